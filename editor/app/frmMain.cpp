// The main window: the frame, the menu bar assembled from the command groups, and the host of
// the document windows.
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
    buildToolbar();
    buildMenus();
    // The toolbar shows its buttons once their commands exist.
    tbToolBar->Rebuild();
    updateToolbarState();
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

void frmMain::buildMenus() {
    fileCommands = new FileCommands(*this, *library, this);
    editCommands = new EditCommands(*this, this);
    searchCommands = new SearchCommands(*this, editCommands->action(u"mnuEditWordCount"), this);
    formatCommands = new FormatCommands(*this, this);
    viewCommands =
        new ViewCommands(*this, {tbToolBar, sbStatusBar, SplitterLeft, SplitterRight}, this);
    workspaceCommands = new WorkspaceCommands(*this, *fileCommands, this);
    windowCommands = new WindowCommands(*this, mdiArea, this);
    helpCommands = new HelpCommands(this);
    prefsCommands = new PrefsCommands(*this, this);
    printCommands = new PrintCommands(*this, this);
    toolCommands = new ToolCommands(*this, this);
    mnuViewToolbar = viewCommands->mnuViewToolbar;
    mnuViewStatusBar = viewCommands->mnuViewStatusBar;
    mnuViewBrowser = viewCommands->mnuViewBrowser;
    mnuViewCliptext = viewCommands->mnuViewCliptext;

    // The File and Advanced menus gather commands of several groups: each command is declared
    // by its group, and the menu takes it in the tree's order.
    const CommandLookup lookup = [this](QStringView name) { return command(name); };
    mnuFile = fileCommands->menu();
    placeCommands(mnuFile, kFileMenuHead, lookup);
    mnuFilePreferences = prefsCommands->menu();
    placeCommands(mnuFilePreferences, kPreferencesMenu, lookup);
    mnuFile->addMenu(mnuFilePreferences);
    fileCommands->addRecentItems();
    mnuFileRecent = fileCommands->recentItems();
    mnuFile->addSeparator();
    placeCommands(mnuFile, kFileMenuTail, lookup);
    mnuAdvanced = workspaceCommands->menu();
    placeCommands(mnuAdvanced, kAdvancedMenu, lookup);

    mnuEdit = editCommands->menu();
    mnuSearch = searchCommands->menu();
    mnuFormat = formatCommands->menu();
    mnuView = viewCommands->menu();
    mnuWindow = windowCommands->menu();
    mnuHelp = helpCommands->menu();
    for (QMenu* menu :
         {mnuFile, mnuEdit, mnuSearch, mnuFormat, mnuView, mnuAdvanced, mnuWindow, mnuHelp})
        menuBar()->addMenu(menu);
}

QList<CommandGroup*> frmMain::groups() const {
    return {fileCommands,  editCommands,      searchCommands, formatCommands,
            viewCommands,  workspaceCommands, windowCommands, helpCommands,
            prefsCommands, printCommands,     toolCommands,   library};
}

QAction* frmMain::command(QStringView name) const {
    for (CommandGroup* group : groups())
        if (QAction* found = group ? group->action(name) : nullptr)
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
    windowCommands->placeNewSubWindow(sub);
    return document;
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
            windowCommands->placeNewSubWindow(sub);
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Each activation brings the recent-file items up to date: another part of the editor
    // may have changed the list while the main window was inactive.
    // The side panes are laid out again too.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        fileCommands->refreshRecentFiles();
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

} // namespace kelvane
