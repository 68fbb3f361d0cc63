// Start-up and shut-down of the editor.
#include "app/Startup.h"

#include "app/MainToolbar.h"
#include "app/RecentFiles.h"
#include "app/Resources.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "dialogs/frmTip.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "library/ClipTextPane.h"
#include "platform/AppPaths.h"
#include "platform/KeyedTabBar.h"
#include "platform/MsgBox.h"
#include "platform/PanelStatusBar.h"
#include "platform/RecoveryKeeper.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/help/Help.h"
#include "platform/richtext/RichTextBox.h"
#include "prefs/frmOptions.h"
#include "settings/EditorSettings.h"
#include "settings/ReloadSetting.h"
#include "settings/SettingForms.h"
#include "settings/WindowState.h"
#include "splitter/Splitter.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QScreen>
#include <QThread>
#include <QToolBar>

#include <cmath>
#include <tuple>

namespace kelvane {

namespace {

QString setting(const QString& key, const QString& fallback) {
    return GetSetting(kAppTitle, kSettingsSection, key, fallback);
}

QRect screenTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    return QRect(0, 0, int(pixelsToTwips(area.width())), int(pixelsToTwips(area.height())));
}

} // namespace

QString commandLineOf(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

void frmMain::restoreWindowState() {
    WindowStateRecord state;
    const QRect screen = screenTwips();
    state.MainWidth = float(screen.width());
    state.MainHeight = float(screen.height());
    readWindowState(state);

    QRect wanted(twipsToPixels(state.MainLeft), twipsToPixels(state.MainTop),
                 twipsToPixels(state.MainWidth), twipsToPixels(state.MainHeight));
    // A position stored for a screen that is gone is brought back onto the screen.
    bool onScreen = false;
    for (const QScreen* s : QGuiApplication::screens())
        onScreen = onScreen || s->availableGeometry().intersects(wanted);
    if (!onScreen || wanted.width() < 100 || wanted.height() < 100) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        const QRect area = primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768);
        wanted.setSize(wanted.size().boundedTo(area.size()).expandedTo(QSize(400, 300)));
        wanted.moveTopLeft(area.topLeft());
    }
    move(wanted.topLeft());
    resize(wanted.size());

    const std::tuple<bool, QWidget*, QAction*> parts[] = {
        {state.ToolBar, tbToolBar, mnuViewToolbar},
        {state.StatusBar, sbStatusBar, mnuViewStatusBar},
        {state.FileBrowser, SplitterLeft, mnuViewBrowser},
        {state.ClipText, SplitterRight, mnuViewCliptext}};
    for (const auto& [shown, part, toggle] : parts) {
        part->setVisible(shown);
        toggle->setChecked(shown);
    }
    setPaneWidth(SplitterLeft, state.FileBrowserWidth);
    setPaneWidth(SplitterRight, state.ClipTextWidth);
}

WindowStateRecord frmMain::windowState() const {
    WindowStateRecord state;
    state.MainLeft = float(pixelsToTwips(x()));
    state.MainTop = float(pixelsToTwips(y()));
    state.MainWidth = float(std::round(pixelsToTwips(width())));
    state.MainHeight = float(std::round(pixelsToTwips(height())));
    state.ToolBar = !tbToolBar->isHidden();
    state.StatusBar = !sbStatusBar->isHidden();
    state.FileBrowser = !SplitterLeft->isHidden();
    state.ClipText = !SplitterRight->isHidden();
    state.FileBrowserWidth = qint32(std::lround(paneWidth(SplitterLeft)));
    state.ClipTextWidth = qint32(std::lround(paneWidth(SplitterRight)));
    return state;
}

void frmMain::MainWindowInit(frmSplash* splash, const QString& commandLine) {
    auto status = [splash](const QString& text) {
        if (splash)
            splash->showStatus(text);
    };
    // Shows a status text, pauses 100 ms so it can be read, and paints it again.
    auto statusAndPause = [splash](const QString& text) {
        if (!splash)
            return;
        splash->showStatus(text);
        QThread::msleep(100);
        splash->lblLoadStatus->repaint();
    };
    tabFiles->removeAllTabs();
    DocumentRegistry.reset();

    status(QStringLiteral("Reading Settings"));
    restoreWindowState();

    statusAndPause(QStringLiteral("Reading Keywords..."));
    readKeywordSettings(EditorSettings);

    statusAndPause(QStringLiteral("Reading Keyword Colors..."));
    readKeywordColours(EditorSettings);

    statusAndPause(QStringLiteral("Reading Editor Settings..."));
    readEditorSwitches(EditorSettings);
    readReloadSetting();

    statusAndPause(QStringLiteral("Reading Printer Settings..."));
    readPrinterMargins(PageMargins);

    setBrowserFolder(setting(QStringLiteral("LastDir"), AppPath()));

    for (int i = 1; i <= RecentFileList::kCount; ++i)
        RecentFiles.setEntry(i,
                             setting(QStringLiteral("RecentFile") + QString::number(i), QString()));
    fileCommands->refreshRecentFiles();

    clipPane->refreshLibraries();

    dlgCommonDialog.InitDir = AppPath();
    // Qt's toolbars are flat already: buttons show a frame only under the mouse.

    status(QStringLiteral("Populating Fonts List..."));
    frmOptions* options = frmOptions::load(*this); // loaded here, shown only on request
    options->cboFonts->clear();
    options->cboFonts->addItems(QFontDatabase::families());

    if (readFlag(setting(QStringLiteral("First Load"), QStringLiteral("True")), true))
        SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("First Load"),
                    QStringLiteral("False"));

    NewDocument();
    CommandLineOpen(commandLine);
}

void frmMain::CommandLineOpen(const QString& commandLine) {
    if (commandLine.isEmpty())
        return;
    QString error;
    bool ok = true;
    // The workspace extension in any case: Save Project/Workspace writes ".kpj".
    if (commandLine.right(4).compare(QLatin1String(".KPJ"), Qt::CaseInsensitive) == 0) {
        ok = workspaceCommands->openWorkspaceDocuments(
            commandLine, WorkspaceCommands::EndTest::BeforeFirstRecord, error);
    } else if (frmDocument* document = activeDocument()) {
        ok = document->loadFile(commandLine, {.caption = {}, .backup = true, .recentFiles = true},
                                error);
    }
    if (!ok)
        MsgBox(QStringLiteral("An error occurred while processing the file ") + commandLine +
                   QStringLiteral(", specified in the command line.") + QStringLiteral("\r\n") +
                   error,
               vbOKOnly);
}

void frmMain::ShutdownSequence() {
    // A minimised window's place is not its place.
    saveWindowState(windowState(), !isMinimized());
    for (int i = 1; i <= RecentFileList::kCount; ++i)
        SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("RecentFile") + QString::number(i),
                    RecentFiles.entry(i));
    SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("LastDir"), browserFolder);
}

void frmMain::keepUnsavedForNextStart() {
    for (frmDocument* document : DocumentRegistry.openDocuments()) {
        if (!document->Changed)
            continue;
        document->keepForRecovery();
        recovery_->writeNow(document);
        recovery_->keepAfterExit(document);
    }
    recovery_->waitForDone();
}

bool frmMain::commitSession(bool mayAsk) {
    if (mayAsk) {
        // The questions of Exit; a document answered No stays unsaved and is kept below.
        for (frmDocument* document : DocumentRegistry.openDocuments())
            if (!document->confirmClose())
                return false;
    }
    keepUnsavedForNextStart();
    ShutdownSequence();
    sessionCommitted_ = true;
    return true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (shuttingDown_) {
        event->accept();
        return;
    }
    if (sessionCommitted_) {
        // The session ends: the questions were asked (or could not be), the settings are
        // written, and what is unsaved stays in recovery files.
        keepUnsavedForNextStart();
        shuttingDown_ = true;
        event->accept();
        return;
    }
    // Every changed document is asked about first, in slot order; a Cancel (or a failed save)
    // stops the shut-down with every window still open. Only then do the windows close.
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
    shuttingDown_ = true;
    event->accept();
}

frmMain* StartupSequence(const QString& commandLine) {
    loadResources();
    setHelpFile(AppPath() + QStringLiteral("KELVANE.HLP"));
    auto* splash = new frmSplash;
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    auto* main = new frmMain;
    main->MainWindowInit(splash, commandLine);
    splash->close();
    splash->deleteLater();
    main->show();
    main->offerRecovery();
    if (frmDocument* document = main->activeDocument())
        document->rtfText->SetFocus();
    if (showTipsAtStartup()) {
        frmTip tip(main);
        tip.exec();
    }
    return main;
}

} // namespace kelvane
