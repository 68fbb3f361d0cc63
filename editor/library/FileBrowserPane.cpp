// The file browser pane.
#include "library/FileBrowserPane.h"

#include "library/PaneLayout.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QListView>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTimer>

namespace kelvane {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString cleanFolder(const QString& folder) {
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath()));
}

// The folders from the root down to `folder`, the root first.
QStringList chainTo(const QString& folder) {
    QStringList chain;
    QDir dir(folder);
    chain.prepend(cleanFolder(dir.absolutePath()));
    while (dir.cdUp())
        chain.prepend(cleanFolder(dir.absolutePath()));
    return chain;
}

QString nameOf(const QString& folder) {
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? folder : name;
}

} // namespace

FileBrowserPane::FileBrowserPane(QWidget* parent)
    : QFrame(parent), fileModel_(new QStringListModel(this)),
      watcher_(new QFileSystemWatcher(this)), rescan_(new QTimer(this)),
      // The pane's own folder pictures: asking the style for its standard ones searches the
      // icon theme's folders on disk, which costs more than reading the folder itself.
      openFolderIcon_(QStringLiteral(":/icons/browser/folder-open.svg")),
      closedFolderIcon_(QStringLiteral(":/icons/browser/folder-closed.svg")) {
    setObjectName(QStringLiteral("picBrowser"));
    lstDrives = new QComboBox(this);
    lstDrives->setObjectName(QStringLiteral("lstDrives"));
    lstDrives->setAccessibleName(QStringLiteral("Drives"));
    lstDirs = new QListWidget(this);
    lstDirs->setObjectName(QStringLiteral("lstDirs"));
    lstDirs->setAccessibleName(QStringLiteral("Folders"));
    lstDirs->setToolTip(QStringLiteral("Double-click a folder to open it"));
    lstFiles = new QListView(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setAccessibleName(QStringLiteral("Files"));
    lstFiles->setToolTip(QStringLiteral("Double-click a file to open it"));
    lstFiles->setModel(fileModel_);
    lstFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height, so a folder of thousands of files scrolls smoothly.
    lstFiles->setUniformItemSizes(true);

    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Where the lists start; layoutLists keeps the drive list's corner and the file list's left.
    const QRect inner = contentsRect();
    lstDrives->setGeometry(inner.left(), inner.top(), 1, lstDrives->sizeHint().height());
    lstFiles->move(inner.left(), 0);
    layoutLists();

    connect(lstDrives, &QComboBox::activated, this, &FileBrowserPane::lstDrives_Change);
    connect(lstDirs, &QListWidget::itemActivated, this, &FileBrowserPane::lstDirs_DblClick);
    connect(lstFiles, &QListView::activated, this, &FileBrowserPane::lstFiles_DblClick);

    // Files appear and go while the folder is shown; a burst of changes (a build writing many
    // files) is read once when it settles.
    rescan_->setSingleShot(true);
    rescan_->setInterval(250);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, rescan_, qOverload<>(&QTimer::start));
    connect(rescan_, &QTimer::timeout, this, &FileBrowserPane::folderContentChanged);

    refreshDrives();
}

void FileBrowserPane::refreshDrives() {
    setDrives(browserDrives());
}

void FileBrowserPane::setDrives(const QList<BrowserDrive>& drives) {
    drives_ = drives;
    const QSignalBlocker quiet(lstDrives);
    lstDrives->clear();
    for (const BrowserDrive& drive : drives_)
        lstDrives->addItem(drive.label, drive.root);
    selectDriveOf(folder_);
}

bool FileBrowserPane::setFolder(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QString path = cleanFolder(folder);
    QDir dir(path);
    if (!dir.exists() || !dir.isReadable())
        return false;
#ifndef Q_OS_WIN
    if (!QFileInfo(path).isExecutable())
        return false; // its names could be listed, but none of its files opened
#endif
    const QFileInfoList subfolders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList folderNames;
    folderNames.reserve(subfolders.size());
    for (const QFileInfo& info : subfolders)
        folderNames << info.fileName();
    const QStringList files =
        dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);

    const bool moved = path != folder_;
    if (!folder_.isEmpty())
        watcher_->removePath(folder_);
    folder_ = path;
    watcher_->addPath(folder_);
    fillLists(path, folderNames, files);
    selectDriveOf(path);
    const int drive = lstDrives->currentIndex();
    if (drive >= 0)
        lastFolderOnDrive_.insert(drives_[drive].root, path);
    if (moved)
        emit folderChanged(path);
    return true;
}

void FileBrowserPane::fillLists(const QString& folder, const QStringList& subfolders,
                                const QStringList& files) {
    lstDirs->clear();
    const QStringList chain = chainTo(folder);
    int depth = 0;
    for (const QString& step : chain) {
        auto* item =
            new QListWidgetItem(openFolderIcon_, QString(depth * 2, u' ') + nameOf(step), lstDirs);
        item->setData(kPathRole, step);
        ++depth;
    }
    lstDirs->setCurrentRow(int(chain.size()) - 1);
    for (const QString& name : subfolders) {
        auto* item =
            new QListWidgetItem(closedFolderIcon_, QString(depth * 2, u' ') + name, lstDirs);
        item->setData(kPathRole, QDir::toNativeSeparators(QDir(folder).filePath(name)));
    }
    // Reading the same folder again keeps the file the user is on.
    const QString current = lstFiles->currentIndex().data().toString();
    fileModel_->setStringList(files);
    const qsizetype keep = current.isEmpty() ? -1 : files.indexOf(current);
    if (keep >= 0)
        lstFiles->setCurrentIndex(fileModel_->index(int(keep)));
}

void FileBrowserPane::selectDriveOf(const QString& folder) {
    const QSignalBlocker quiet(lstDrives);
    lstDrives->setCurrentIndex(driveIndexOf(drives_, folder));
}

QStringList FileBrowserPane::fileNames() const {
    return fileModel_->stringList();
}

void FileBrowserPane::layoutLists() {
    const BrowserLists placed = layoutBrowserPane(
        paneSizesOf(*this), {twipsBoxOf(lstDrives->geometry()), twipsBoxOf(lstDirs->geometry()),
                             twipsBoxOf(lstFiles->geometry())});
    placeInTwips(*lstDrives, placed.drives);
    placeInTwips(*lstDirs, placed.dirs);
    placeInTwips(*lstFiles, placed.files);
}

void FileBrowserPane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutLists();
}

void FileBrowserPane::lstDrives_Change(int index) {
    if (index < 0 || index >= drives_.size())
        return;
    const QString root = drives_[index].root;
    const QString last = lastFolderOnDrive_.value(root, root);
    // A volume without a medium, or one that has gone, leaves both lists where they were.
    if (!(QDir(last).exists() && setFolder(last)) && !setFolder(root))
        selectDriveOf(folder_);
}

void FileBrowserPane::lstDirs_DblClick(QListWidgetItem* item) {
    if (item)
        setFolder(item->data(kPathRole).toString());
}

void FileBrowserPane::lstFiles_DblClick(const QModelIndex& index) {
    if (index.isValid())
        emit fileChosen(joinPath(folder_, index.data().toString()));
}

void FileBrowserPane::folderContentChanged() {
    // A folder that went away gives way to the nearest folder above it that is still there.
    QString folder = folder_;
    while (!folder.isEmpty() && !setFolder(folder)) {
        QDir dir(folder);
        if (!dir.cdUp())
            return;
        folder = cleanFolder(dir.absolutePath());
    }
}

} // namespace kelvane
