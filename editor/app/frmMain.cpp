// The main window: panes, menus, View and Window commands, and the open-files strip.
#include "app/frmMain.h"

#include "app/MainToolbar.h"
#include "app/MenuTree.h"
#include "app/RecentFiles.h"
#include "app/Resources.h"
#include "app/SidePaneLayout.h"
#include "commands/EditCommands.h"
#include "commands/FormatCommands.h"
#include "dialogs/HelpCommands.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "library/ClipTextPane.h"
#include "library/FileBrowserPane.h"
#include "library/LibraryCommands.h"
#include "platform/AppPaths.h"
#include "platform/CommandGroup.h"
#include "platform/CommandNeeds.h"
#include "platform/KeyedTabBar.h"
#include "platform/PanelStatusBar.h"
#include "platform/RecoveryKeeper.h"
#include "platform/Twips.h"
#include "platform/richtext/RichTextBox.h"
#include "prefs/PrefsCommands.h"
#include "print/PrintCommands.h"
#include "search/SearchCommands.h"
#include "splitter/Splitter.h"
#include "tools/ToolCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QSessionManager>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvane {

namespace {
frmMain*& theMainWindow() {
    static frmMain* window = nullptr;
    return window;
}

} // namespace

const QString frmMain::kDocumentFilter = QStringLiteral(
    "All Files (*.*)|*.*|Text Files (*.txt, *.rtf, *.doc, *.faq)|*.txt;*.rtf;*.doc;*.faq|HTML "
    "Files|*.htm;*.html;*.shtm;*.shtml;*.dhtm;*.dhtml|C/C++ Files|*.c;*.cpp;*.h|Java "
    "Files|*.java;*.jav|Perl Files (*.pl)|*.pl|Pascal Files (*.pas)|*.pas|Basic Files "
    "(*.bas)|*.bas|Visual Basic Files|*.mak;*.frm;*.bas;*.cls;*.pag;*.ctl;*.vbp");

frmMain* frmMain::instance() {
    return theMainWindow();
}

frmMain::frmMain() : dlgCommonDialog(this), recovery_(new RecoveryKeeper(this)) {
    theMainWindow() = this;
    setRecoveryKeeper(recovery_);
    loadResources();
    setWindowTitle(QStringLiteral("Kelvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.svg")));
    library = new LibraryCommands(*this, this);
    buildPanes();
    buildMenus();
    buildToolbar();
    // Qt does not close the windows when the desktop session ends: the editor answers the
    // session manager itself, or it would be killed without its questions and its settings.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        const bool mayAsk = manager.allowsInteraction();
        if (!commitSession(mayAsk))
            manager.cancel();
        if (mayAsk)
            manager.release();
    });
}

frmMain::~frmMain() {
    // Closing the window hides the document windows after this object is gone, and the MDI area
    // reports each activation it passes through: that must no longer reach this window.
    mdiArea->disconnect(this);
    if (theMainWindow() == this)
        theMainWindow() = nullptr;
    if (recoveryKeeper() == recovery_)
        setRecoveryKeeper(nullptr);
}

void frmMain::buildPanes() {
    sbStatusBar = new PanelStatusBar(3, this);
    setStatusBar(sbStatusBar);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* band = new QHBoxLayout;
    band->setSpacing(0);

    mdiArea = new QMdiArea(central);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setAccessibleName(QStringLiteral("Documents"));
    // The side panes may leave the document area as little as 600 twips; a larger minimum
    // would make the frame grow instead.
    mdiArea->setMinimumSize(twipsToPixels(kSqueezeLimit), twipsToPixels(kSqueezeLimit));
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::onSubWindowActivated);

    buildSidePanes(central);
    connect(browserPane, &FileBrowserPane::folderChanged, this,
            &frmMain::browserPane_FolderChanged);
    connect(browserPane, &FileBrowserPane::fileChosen, this,
            [this](const QString& path) { library->openFromBrowser(path); });
    library->setClipTextPane(clipPane);
    connect(clipPane, &ClipTextPane::entryChosen, this,
            [this](const QString& text) { library->insertClipText(text); });

    band->addWidget(SplitterLeft);
    band->addWidget(mdiArea, 1);
    band->addWidget(SplitterRight);
    column->addLayout(band, 1);

    buildOpenFilesStrip(central);
    column->addWidget(picTabs);
    setCentralWidget(central);
}

void frmMain::buildToolbar() {
    tbToolBar = new MainToolbar(this, [this](const QString& name) { return command(name); });
    tbToolBar->setMinimumHeight(twipsToPixels(420));
    addToolBar(Qt::TopToolBarArea, tbToolBar);
    // The toggle was built before the toolbar; its check mark says the toolbar shows.
    tbToolBar->setVisible(mnuViewToolbar->isChecked());
    updateToolbarState();
}

QMenu* frmMain::createPopupMenu() {
    return nullptr;
}

void frmMain::updateToolbarState() {
    // Menu items and toolbar buttons are the same actions: both follow at once.
    const bool documentOpen = !DocumentRegistry.openDocuments().empty();
    for (CommandGroup* group : groups())
        for (QAction* action : group->actions())
            if (isDocumentCommand(action))
                action->setEnabled(documentOpen);
}

void frmMain::placeCommands(QMenu* menu, std::span<const char* const> names) {
    for (const char* name : names) {
        const QList<QAction*> items = menu->actions();
        if (QLatin1String(name) == QLatin1String("-")) {
            if (!items.isEmpty() && !items.last()->isSeparator())
                menu->addSeparator();
        } else if (QAction* found = command(QString::fromLatin1(name))) {
            if (!items.contains(found))
                menu->addAction(found);
        } else {
            qWarning("The menu names %s, which is no command", name);
        }
    }
}

void frmMain::buildMenus() {
    fileCommands = new CommandGroup(QStringLiteral("&File"), this);
    editCommands = new EditCommands(*this, this);
    searchCommands = new SearchCommands(*this, editCommands->action(u"mnuEditWordCount"), this);
    formatCommands = new FormatCommands(*this, this);
    viewCommands = new CommandGroup(QStringLiteral("&View"), this);
    advancedCommands = new CommandGroup(QStringLiteral("&Advanced"), this);
    windowCommands = new CommandGroup(QStringLiteral("&Window"), this);
    helpCommands = new HelpCommands(this);
    prefsCommands = new PrefsCommands(*this, this);
    printCommands = new PrintCommands(*this, this);
    toolCommands = new ToolCommands(*this, this);

    // The File and Advanced menus gather commands of several groups: each command is declared
    // by its group, and the menu takes it in the tree's order once it exists.
    CommandGroup& file = *fileCommands;
    file.addUnlisted({"mnuFileNew", QStringLiteral("&New..."), QKeySequence(Qt::CTRL | Qt::Key_N),
                      QStringLiteral("toolbar/new"), QStringLiteral("New")},
                     [this] { mnuFileNew_Click(); });
    file.addUnlisted({"mnuFileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                      QStringLiteral("toolbar/open"), QStringLiteral("Open")},
                     [this] { mnuFileOpen_Click(); });
    file.addUnlisted({"mnuFileClose", QStringLiteral("&Close")}, [this] { mnuFileClose_Click(); });
    needsDocument(file.addUnlisted({"mnuFileSave", QStringLiteral("&Save"),
                                    QKeySequence(Qt::CTRL | Qt::Key_S),
                                    QStringLiteral("toolbar/save"), QStringLiteral("Save")},
                                   [this] { mnuFileSave_Click(); }));
    file.addUnlisted({"mnuFileSaveAs", QStringLiteral("Save &As...")},
                     [this] { mnuFileSaveAs_Click(); });
    needsDocument(file.addUnlisted({"mnuFileSaveAll",
                                    QStringLiteral("Sa&ve All"),
                                    {},
                                    QStringLiteral("toolbar/saveall"),
                                    QStringLiteral("Save All")},
                                   [this] { mnuFileSaveAll_Click(); }));
    needsDocument(file.addUnlisted({"mnuFileReload",
                                    QStringLiteral("&Reload"),
                                    {},
                                    {},
                                    QStringLiteral("Reads the file again as it is on disk now")},
                                   [this] { mnuFileReload_Click(); }));
    file.addUnlisted({"mnuFileExit", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_X)},
                     [this] { mnuFileExit_Click(); });

    CommandGroup& view = *viewCommands;
    mnuViewToolbar = view.add({"mnuViewToolbar", QStringLiteral("&Toolbar")},
                              [this] { mnuViewToolbar_Click(); });
    mnuViewStatusBar = view.add({"mnuViewStatusBar", QStringLiteral("Status &Bar")},
                                [this] { mnuViewStatusBar_Click(); });
    mnuViewBrowser = view.add({"mnuViewBrowser", QStringLiteral("&File Browser")},
                              [this] { mnuViewBrowser_Click(); });
    mnuViewCliptext = view.add({"mnuViewCliptext", QStringLiteral("&Cliptext Browser")},
                               [this] { mnuViewCliptext_Click(); });
    for (QAction* toggle : {mnuViewToolbar, mnuViewStatusBar, mnuViewBrowser, mnuViewCliptext}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    view.addSeparator();
    view.add({"mnuViewRefresh", QStringLiteral("&Refresh"), QKeySequence(Qt::Key_F12)},
             [this] { mnuViewRefresh_Click(); });
    needsDocument(view.add({"mnuViewRefreshColors", QStringLiteral("Refresh Color Coding"),
                            QKeySequence(Qt::Key_F11), QStringLiteral("toolbar/colorcode"),
                            QStringLiteral("Color Code Entire Document")},
                           [this] { mnuViewRefreshColors_Click(); }));

    advancedCommands->addUnlisted(
        {"mnuAdvancedSaveProject", QStringLiteral("&Save Project/Workspace...")},
        [this] { mnuAdvancedSaveProject_Click(); });
    advancedCommands->addUnlisted(
        {"mnuAdvancedRestoreProject", QStringLiteral("R&estore Project/Workspace...")},
        [this] { mnuAdvancedRestoreProject_Click(); });

    CommandGroup& window = *windowCommands;
    window.add({"mnuWindowNewWindow", QStringLiteral("&New Window")},
               [this] { mnuWindowNewWindow_Click(); });
    window.addSeparator();
    window.add({"mnuWindowCascade", QStringLiteral("&Cascade")},
               [this] { mnuWindowCascade_Click(); });
    window.add({"mnuWindowTileHorizontal", QStringLiteral("Tile &Horizontal")},
               [this] { mnuWindowTileHorizontal_Click(); });
    window.add({"mnuWindowTileVertical", QStringLiteral("Tile &Vertical")},
               [this] { mnuWindowTileVertical_Click(); });
    window.add({"mnuWindowArrangeIcons", QStringLiteral("&Arrange Icons")},
               [this] { mnuWindowArrangeIcons_Click(); });
    window.addSeparator();
    window.add({"mnuWindowMinAll", QStringLiteral("&Minimize All Windows")},
               [this] { mnuWindowMinAll_Click(); });
    mnuWindow = window.menu();
    connect(mnuWindow, &QMenu::aboutToShow, this, &frmMain::fillWindowList);

    mnuFile = fileCommands->menu();
    placeCommands(mnuFile, kFileMenuHead);
    mnuFilePreferences = prefsCommands->menu();
    placeCommands(mnuFilePreferences, kPreferencesMenu);
    mnuFile->addMenu(mnuFilePreferences);
    mnuFileRecent << mnuFile->addSeparator();
    for (int i = 1; i <= RecentFileList::kCount; ++i)
        mnuFileRecent << mnuFile->addAction(QString(), this, [this, i] { mnuFileRecent_Click(i); });
    for (QAction* item : mnuFileRecent)
        item->setVisible(false); // until the list is first refreshed
    mnuFile->addSeparator();
    placeCommands(mnuFile, kFileMenuTail);

    mnuAdvanced = advancedCommands->menu();
    placeCommands(mnuAdvanced, kAdvancedMenu);
    if (!mnuAdvanced->actions().isEmpty() && mnuAdvanced->actions().last()->isSeparator())
        mnuAdvanced->removeAction(mnuAdvanced->actions().last());

    mnuEdit = editCommands->menu();
    mnuSearch = searchCommands->menu();
    mnuFormat = formatCommands->menu();
    mnuView = viewCommands->menu();
    mnuHelp = helpCommands->menu();
    for (QMenu* menu :
         {mnuFile, mnuEdit, mnuSearch, mnuFormat, mnuView, mnuAdvanced, mnuWindow, mnuHelp})
        menuBar()->addMenu(menu);
}

QList<CommandGroup*> frmMain::groups() const {
    return {fileCommands,  editCommands,     searchCommands, formatCommands,
            viewCommands,  advancedCommands, windowCommands, helpCommands,
            prefsCommands, printCommands,    toolCommands,   library};
}

QAction* frmMain::command(QStringView name) const {
    for (CommandGroup* group : groups())
        if (QAction* found = group->action(name))
            return found;
    return nullptr;
}

// --- documents ---

frmDocument* frmMain::createDocumentWindow() {
    auto* document = new frmDocument(*this);
    editCommands->installEditKeys(document);
    QMdiSubWindow* sub = mdiArea->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.svg")));
    sub->hide();
    placeNewSubWindow(sub);
    return document;
}

void frmMain::placeNewSubWindow(QMdiSubWindow* sub) {
    // New windows take three quarters of the document area, each one step down and right of
    // the one before, starting again at the corner when the steps run out of room.
    const QSize area = mdiArea->viewport()->size().expandedTo(QSize(400, 300));
    const QSize size(area.width() * 3 / 4, area.height() * 3 / 4);
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const int count = int(mdiArea->subWindowList(QMdiArea::CreationOrder).indexOf(sub));
    const int room =
        std::max(1, std::min(area.width() - size.width(), area.height() - size.height()) / step);
    const int offset = (count % (room + 1)) * step;
    sub->setGeometry(offset, offset, size.width(), size.height());
}

void frmMain::showDocumentWindow(frmDocument* document) {
    QMdiSubWindow* sub = document->subWindow();
    sub->setWindowTitle(document->Caption());
    document->Form_Load();
    sub->show();
    activatedDocument_ = nullptr; // a window shown (again) is activated with its text
    if (mdiArea->activeSubWindow() == sub)
        onSubWindowActivated(sub);
    else
        mdiArea->setActiveSubWindow(sub);
    document->rtfText->SetFocus();
}

frmDocument* frmMain::newDocument() {
    frmDocument* document = createDocumentWindow();
    DocumentRegistry.registerUntitled(document);
    showDocumentWindow(document);
    document->Changed = false;
    return document;
}

frmDocument* NewDocument() {
    return frmMain::instance()->newDocument();
}

void frmMain::setStatusText(int panel, const QString& text) {
    sbStatusBar->setPanelText(panel, text);
    // Progress texts are painted at once: the work that sets them keeps the event loop busy.
    if (panel == 1)
        sbStatusBar->repaint();
}

void frmMain::addDocumentTab(const QString& key, const QString& caption) {
    tabFiles->addKeyedTab(key, caption);
    updateToolbarState();
}

void frmMain::selectDocumentTab(const QString& key) {
    tabFiles->selectKey(key);
}

void frmMain::setDocumentTabCaption(const QString& key, const QString& caption) {
    tabFiles->setKeyedCaption(key, caption);
}

void frmMain::setDocumentTabToolTip(const QString& key, const QString& toolTip) {
    tabFiles->setKeyedToolTip(key, toolTip);
}

void frmMain::removeDocumentTab(const QString& key) {
    tabFiles->removeKeyedTab(key);
    // The closing document leaves the list of open documents once its close is done.
    QTimer::singleShot(0, this, &frmMain::updateToolbarState);
}

void frmMain::popupEditMenu(QPoint globalPosition) {
    mnuEdit->popup(globalPosition);
}

void frmMain::focusActiveDocument() {
    activateWindow();
    if (frmDocument* document = activeDocument())
        document->rtfText->SetFocus();
    else
        setFocus(Qt::OtherFocusReason);
}

frmDocument* frmMain::activeDocument() const {
    QMdiSubWindow* sub = mdiArea->activeSubWindow();
    return sub ? qobject_cast<frmDocument*>(sub->widget()) : nullptr;
}

void frmMain::onSubWindowActivated(QMdiSubWindow* sub) {
    // Closing the last document also passes here; the toolbar looks once the close is done.
    QTimer::singleShot(0, this, &frmMain::updateToolbarState);
    if (!sub)
        return;
    if (auto* document = qobject_cast<frmDocument*>(sub->widget())) {
        // Another program (or a dialog) taking the focus leaves no document active for a
        // while; coming back to the same document is no new activation, so it is neither laid
        // out, refreshed nor coloured again.
        if (!document->isLoaded() || document == activatedDocument_)
            return;
        activatedDocument_ = document;
        document->Form_GotFocus();
        // The window system reports an activation once the command that caused it has finished,
        // so a document opened into a new window is refreshed (and coloured) with its text.
        QTimer::singleShot(0, document, [document = QPointer<frmDocument>(document), this] {
            if (document && mdiArea->activeSubWindow() == document->subWindow())
                document->Form_Activate();
        });
    }
}

void frmMain::tabFiles_Click(const QString& key) {
    if (frmDocument* document = DocumentRegistry.openDocument(DocumentTable::slotOfTabKey(key))) {
        // A minimised window would take the typing unseen: it comes back first.
        if (document->subWindow()->isMinimized())
            document->subWindow()->showNormal();
        mdiArea->setActiveSubWindow(document->subWindow());
        document->setFocus(Qt::MouseFocusReason);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (framePartEvent(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShown_)
        return;
    firstShown_ = true;
    // Windows opened while the main window loaded were placed before the document area had
    // its size; place them again now that it has.
    layout()->activate();
    centralWidget()->layout()->activate();
    for (QMdiSubWindow* sub : mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isMaximized() && !sub->isMinimized())
            placeNewSubWindow(sub);
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Each activation brings the recent-file items up to date: another part of the editor
    // may have changed the list while the main window was inactive.
    // The side panes are laid out again too.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        refreshRecentFiles();
        layoutSidePanes();
        // A file changed by another program while the editor was in the background is looked
        // at, and asked about, once the user is back.
        if (frmDocument* document = activeDocument())
            QTimer::singleShot(0, document, [document = QPointer<frmDocument>(document), this] {
                if (document && isActiveWindow() && activeDocument() == document)
                    document->checkDiskFile();
            });
    }
}

// --- File browser pane ---

void frmMain::setBrowserFolder(const QString& folder) {
    // A folder that has gone since the last run gives way to the program's folder.
    for (const QString& candidate : {folder, AppPath(), QDir::homePath()}) {
        if (browserPane->setFolder(candidate)) {
            browserFolder = candidate;
            break;
        }
    }
    dlgCommonDialog.InitDir = browserPane->folder();
}

void frmMain::browserPane_FolderChanged(const QString& folder) {
    browserFolder = folder;
    dlgCommonDialog.InitDir = folder;
}

// --- View menu ---

void frmMain::mnuViewToolbar_Click() {
    tbToolBar->setVisible(mnuViewToolbar->isChecked());
}

void frmMain::mnuViewStatusBar_Click() {
    sbStatusBar->setVisible(mnuViewStatusBar->isChecked());
}

void frmMain::mnuViewBrowser_Click() {
    SplitterLeft->setVisible(mnuViewBrowser->isChecked());
}

void frmMain::mnuViewCliptext_Click() {
    SplitterRight->setVisible(mnuViewCliptext->isChecked());
}

void frmMain::mnuViewRefresh_Click() {
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->RefreshDisplay();
}

void frmMain::mnuViewRefreshColors_Click() {
    if (frmDocument* document = activeDocument()) {
        document->ChangedHighLight = true;
        document->ColorCode();
    }
}

// --- Window menu ---

void frmMain::mnuWindowNewWindow_Click() {
    NewDocument();
}

void frmMain::mnuWindowCascade_Click() {
    mdiArea->cascadeSubWindows();
}

void frmMain::mnuWindowTileHorizontal_Click() {
    tileDocuments(Qt::Horizontal);
}

void frmMain::mnuWindowTileVertical_Click() {
    tileDocuments(Qt::Vertical);
}

void frmMain::tileDocuments(Qt::Orientation orientation) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea->subWindowList())
        if (sub->isVisible() && !sub->isMinimized())
            windows << sub;
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = windows[i];
        if (sub->isMaximized())
            sub->showNormal();
        // Horizontal tiling stacks the windows one above the other, each the full width.
        if (orientation == Qt::Horizontal)
            sub->setGeometry(0, area.height() * i / n, area.width(),
                             area.height() * (i + 1) / n - area.height() * i / n);
        else
            sub->setGeometry(area.width() * i / n, 0,
                             area.width() * (i + 1) / n - area.width() * i / n, area.height());
    }
}

void frmMain::mnuWindowArrangeIcons_Click() {
    const QRect area = mdiArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : mdiArea->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        sub->move(x, area.height() - size.height());
        x += size.width();
    }
}

void frmMain::mnuWindowMinAll_Click() {
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->subWindow()->showMinimized();
}

void frmMain::fillWindowList() {
    for (QAction* action : windowListActions_) {
        mnuWindow->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    windowListActions_ << mnuWindow->addSeparator();
    int number = 1;
    for (QMdiSubWindow* sub : windows) {
        // The number is the access key; an "&" in the caption shows as written.
        QString caption = sub->windowTitle();
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption)
                                         : QStringLiteral("%1 %2").arg(number).arg(caption);
        QAction* action = mnuWindow->addAction(text);
        action->setCheckable(true);
        action->setChecked(sub == mdiArea->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (!sub)
                return;
            if (sub->isMinimized())
                sub->showNormal();
            mdiArea->setActiveSubWindow(sub);
        });
        windowListActions_ << action;
        ++number;
    }
}

} // namespace kelvane
