// The main window: the frame built from the command groups, the host of the document windows,
// and the order of start-up and shut-down.
#include "app/frmMain.h"

#include "app/MainToolbar.h"
#include "app/MenuTree.h"
#include "app/OpenFilesStrip.h"
#include "app/RecentFiles.h"
#include "app/RecoveryOffer.h"
#include "app/Resources.h"
#include "app/SidePaneLayout.h"
#include "app/SidePanes.h"
#include "app/Startup.h"
#include "commands/EditCommands.h"
#include "commands/FormatCommands.h"
#include "dialogs/HelpCommands.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "library/ClipTextPane.h"
#include "library/FileBrowserPane.h"
#include "library/LibraryCommands.h"
#include "platform/AppPaths.h"
#include "platform/CommandNeeds.h"
#include "platform/KeyedTabBar.h"
#include "platform/PanelStatusBar.h"
#include "platform/RecoveryKeeper.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/richtext/RichTextBox.h"
#include "prefs/PrefsCommands.h"
#include "print/PrintCommands.h"
#include "search/SearchCommands.h"
#include "settings/EditorSettings.h"
#include "settings/WindowState.h"
#include "splitter/Splitter.h"
#include "tools/ToolCommands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSessionManager>
#include <QTimer>

#include <cmath>

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

frmDocument* NewDocument() {
    return frmMain::instance()->newDocument();
}

frmMain::frmMain() : dlgCommonDialog(this), recovery_(new RecoveryKeeper(this)) {
    theMainWindow() = this;
    setRecoveryKeeper(recovery_);
    loadResources();
    setWindowTitle(QStringLiteral("Kelvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.svg")));
    library = new LibraryCommands(*this, this);
    buildFrame();
    buildMenus();
    tbToolBar->Rebuild(); // the buttons appear now that their commands exist
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
    // reports each activation it passes through: that must no longer reach the frame's parts.
    mdiArea->disconnect();
    if (theMainWindow() == this)
        theMainWindow() = nullptr;
    if (recoveryKeeper() == recovery_)
        setRecoveryKeeper(nullptr);
}

void frmMain::buildFrame() {
    sbStatusBar = new PanelStatusBar(3, this);
    setStatusBar(sbStatusBar);
    tbToolBar = new MainToolbar(this, [this](const QString& name) { return command(name); });
    tbToolBar->setMinimumHeight(twipsToPixels(420));
    addToolBar(Qt::TopToolBarArea, tbToolBar);

    auto* central = new QWidget(this);
    mdiArea = new QMdiArea(central);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setAccessibleName(QStringLiteral("Documents"));
    // The side panes may leave the document area as little as 600 twips; a larger minimum
    // would make the frame grow instead.
    mdiArea->setMinimumSize(twipsToPixels(kSqueezeLimit), twipsToPixels(kSqueezeLimit));
    // Closing the last document also activates; the toolbar looks once the close is done.
    connect(mdiArea, &QMdiArea::subWindowActivated, this,
            [this] { QTimer::singleShot(0, this, &frmMain::updateToolbarState); });

    sidePanes = new SidePanes(this, central);
    SplitterLeft = sidePanes->SplitterLeft;
    SplitterRight = sidePanes->SplitterRight;
    picBrowser = browserPane = sidePanes->browserPane;
    picClip = clipPane = sidePanes->clipPane;
    connect(browserPane, &FileBrowserPane::folderChanged, this, [this](const QString& folder) {
        browserFolder = folder;
        dlgCommonDialog.InitDir = folder;
    });
    connect(browserPane, &FileBrowserPane::fileChosen, library, &LibraryCommands::openFromBrowser);
    library->setClipTextPane(clipPane);
    connect(clipPane, &ClipTextPane::entryChosen, library, &LibraryCommands::insertClipText);

    auto* strip = new OpenFilesStrip(central);
    picTabs = strip;
    lblOpenFiles = strip->lblOpenFiles;
    tabFiles = strip->tabFiles;

    auto* band = new QHBoxLayout;
    band->setSpacing(0);
    band->addWidget(SplitterLeft);
    band->addWidget(mdiArea, 1);
    band->addWidget(SplitterRight);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(band, 1);
    column->addWidget(picTabs);
    setCentralWidget(central);
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
    connect(tabFiles, &KeyedTabBar::keyClicked, windowCommands, &WindowCommands::tabFiles_Click);

    // The File and Advanced menus gather commands of several groups in the tree's order.
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
    static_cast<OpenFilesStrip*>(picTabs)->setWindowMenu(mnuWindow);
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

void frmMain::updateToolbarState() {
    // Menu items and toolbar buttons are the same actions: both follow at once.
    const bool documentOpen = !DocumentRegistry.openDocuments().empty();
    for (CommandGroup* group : groups())
        for (QAction* action : group->actions())
            if (isDocumentCommand(action))
                action->setEnabled(documentOpen);
}

// --- documents ---

frmDocument* frmMain::createDocumentWindow() {
    auto* document = new frmDocument(*this);
    editCommands->installEditKeys(document);
    windowCommands->addDocumentWindow(document);
    return document;
}

void frmMain::showDocumentWindow(frmDocument* document) {
    windowCommands->showDocumentWindow(document);
}

frmDocument* frmMain::newDocument() {
    frmDocument* document = createDocumentWindow();
    DocumentRegistry.registerUntitled(document);
    showDocumentWindow(document);
    document->Changed = false;
    return document;
}

frmDocument* frmMain::activeDocument() const {
    QMdiSubWindow* sub = mdiArea->activeSubWindow();
    return sub ? qobject_cast<frmDocument*>(sub->widget()) : nullptr;
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
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // Another part of the editor may have changed the recent files while the window was
    // inactive; the side panes are laid out again too.
    fileCommands->refreshRecentFiles();
    sidePanes->layoutPanes();
    // A file changed by another program while the editor was in the background is looked at,
    // and asked about, once the user is back.
    if (frmDocument* document = activeDocument())
        QTimer::singleShot(0, document, [document = QPointer<frmDocument>(document), this] {
            if (document && isActiveWindow() && activeDocument() == document)
                document->checkDiskFile();
        });
}

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

// --- start-up and shut-down ---

void frmMain::MainWindowInit(frmSplash* splash, const QString& commandLine) {
    tabFiles->removeAllTabs();
    DocumentRegistry.reset();
    showStartupStep(splash, QStringLiteral("Reading Settings"));
    restoreWindowState();
    readEditorPreferences(splash);
    setBrowserFolder(GetSetting(kAppTitle, kSettingsSection, QStringLiteral("LastDir"), AppPath()));
    readRecentFiles(RecentFiles);
    fileCommands->refreshRecentFiles();
    // The cliptext pane listed the program's libraries when it was built.
    dlgCommonDialog.InitDir = AppPath();
    // The Options dialog and its font list are built when first opened; the step still shows.
    showStartupStep(splash, QStringLiteral("Populating Fonts List..."));
    newDocument();
    openCommandLine(*this, *workspaceCommands, commandLine);
}

void frmMain::restoreWindowState() {
    WindowStateRecord state;
    const QRect place = readWindowPlace(state);
    move(place.topLeft());
    resize(place.size());
    const std::tuple<bool, QWidget*, QAction*> parts[] = {
        {state.ToolBar, tbToolBar, mnuViewToolbar},
        {state.StatusBar, sbStatusBar, mnuViewStatusBar},
        {state.FileBrowser, SplitterLeft, mnuViewBrowser},
        {state.ClipText, SplitterRight, mnuViewCliptext}};
    for (const auto& [shown, part, toggle] : parts) {
        part->setVisible(shown);
        toggle->setChecked(shown);
    }
    sidePanes->setWidths(state.FileBrowserWidth, state.ClipTextWidth);
}

void frmMain::ShutdownSequence() {
    const WindowStateRecord state{float(pixelsToTwips(x())),
                                  float(pixelsToTwips(y())),
                                  float(std::round(pixelsToTwips(width()))),
                                  float(std::round(pixelsToTwips(height()))),
                                  !tbToolBar->isHidden(),
                                  !sbStatusBar->isHidden(),
                                  !SplitterLeft->isHidden(),
                                  !SplitterRight->isHidden(),
                                  qint32(std::lround(sidePanes->leftWidth())),
                                  qint32(std::lround(sidePanes->rightWidth()))};
    saveWindowState(state, !isMinimized()); // a minimised window's place is not its place
    saveRecentFiles(RecentFiles);
    SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("LastDir"), browserFolder);
}

bool frmMain::commitSession(bool mayAsk) {
    // The questions of Exit; a document answered No stays unsaved and is kept below.
    if (mayAsk)
        for (frmDocument* document : DocumentRegistry.openDocuments())
            if (!document->confirmClose())
                return false;
    keepUnsavedForNextStart(*recovery_);
    ShutdownSequence();
    sessionCommitted_ = true;
    return true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!shuttingDown_ && sessionCommitted_) {
        // The session ends: the questions were asked (or could not be), the settings are
        // written, and what is unsaved stays in recovery files.
        keepUnsavedForNextStart(*recovery_);
    } else if (!shuttingDown_) {
        // Every changed document is asked about first, in slot order; a Cancel (or a failed
        // save) stops the shut-down with every window still open. Only then do they close.
        const std::vector<frmDocument*> documents = DocumentRegistry.openDocuments();
        for (frmDocument* document : documents) {
            if (!document->confirmClose()) {
                event->ignore();
                return;
            }
        }
        for (frmDocument* document : documents) {
            document->Changed = false; // answered: saved, or No (left unsaved)
            document->subWindow()->close();
        }
        ShutdownSequence();
    }
    shuttingDown_ = true;
    event->accept();
}

} // namespace kelvane
