// The file browser pane: the drive list, the folder list and the file list, linked so that
// each shows what the one above it chose.
#pragma once

#include "library/BrowserDrives.h"

#include <QFrame>
#include <QHash>
#include <QIcon>

class QComboBox;
class QFileSystemWatcher;
class QListView;
class QListWidget;
class QListWidgetItem;
class QModelIndex;
class QStringListModel;
class QTimer;

namespace kelvane {

/// The pane `picBrowser`: a sunken frame holding the three lists, which it places whenever it
/// is resized (the main window also asks on activation and when the splitter repaints).
class FileBrowserPane : public QFrame {
    Q_OBJECT
public:
    explicit FileBrowserPane(QWidget* parent = nullptr);

    QComboBox* lstDrives; ///< file-system roots, the home folder and mounted volumes
    QListWidget* lstDirs; ///< the folder's parents, the folder, then its subfolders
    QListView* lstFiles;  ///< every file of the folder (hidden files left out)

    /// Places the lists: the drive list keeps its place and takes the width, the folder list
    /// four tenths of the pane's height below it, the file list the rest.
    void layoutLists();

    /// The folder shown, ending in a separator only when it is a root.
    QString folder() const { return folder_; }
    /// Shows a folder. False, leaving every list as it was, when the folder cannot be read.
    bool setFolder(const QString& folder);
    /// The names the file list shows, in order.
    QStringList fileNames() const;
    /// The drive list's entries.
    const QList<BrowserDrive>& drives() const { return drives_; }
    /// Reads the drive list again (volumes come and go).
    void refreshDrives();
    /// Shows the given drives instead of the system's.
    void setDrives(const QList<BrowserDrive>& drives);

    /// Drive chosen in lstDrives: shows the folder last seen on that drive (its root at
    /// first); when that cannot be read the drive list goes back to the folder's drive.
    void lstDrives_Change(int index);
    /// Folder entry activated in lstDirs (double click or Enter): shows that folder.
    void lstDirs_DblClick(QListWidgetItem* item);
    /// File activated in lstFiles (double click or Enter): reports its full path.
    void lstFiles_DblClick(const QModelIndex& index);

signals:
    /// The folder shown changed.
    void folderChanged(const QString& folder);
    /// A file was chosen to be opened.
    void fileChosen(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillLists(const QString& folder, const QStringList& subfolders, const QStringList& files);
    void selectDriveOf(const QString& folder);
    void folderContentChanged();

    QList<BrowserDrive> drives_;
    QHash<QString, QString> lastFolderOnDrive_;
    QString folder_;
    QStringListModel* fileModel_;
    QFileSystemWatcher* watcher_;
    QTimer* rescan_;
    QIcon openFolderIcon_;
    QIcon closedFolderIcon_;
};

} // namespace kelvane
