// Start-up of the editor.
#include "app/Startup.h"

#include "app/Resources.h"
#include "app/WindowArrangement.h"
#include "app/WorkspaceCommands.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "dialogs/frmTip.h"
#include "document/frmDocument.h"
#include "platform/AppPaths.h"
#include "platform/MsgBox.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/help/Help.h"
#include "platform/richtext/RichTextBox.h"
#include "settings/EditorSettings.h"
#include "settings/ReloadSetting.h"
#include "settings/SettingForms.h"
#include "settings/WindowState.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

namespace kelvane {

QString commandLineOf(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

void showStartupStep(frmSplash* splash, const QString& text) {
    if (splash)
        splash->showStatus(text);
}

void readEditorPreferences(frmSplash* splash) {
    // Each step pauses 100 ms so its text can be read; showing it painted it already.
    const auto step = [splash](const char* text) {
        if (!splash)
            return;
        splash->showStatus(QString::fromLatin1(text));
        QThread::msleep(100);
    };
    step("Reading Keywords...");
    readKeywordSettings(EditorSettings);
    step("Reading Keyword Colors...");
    readKeywordColours(EditorSettings);
    step("Reading Editor Settings...");
    readEditorSwitches(EditorSettings);
    readReloadSetting();
    step("Reading Printer Settings...");
    readPrinterMargins(PageMargins);
    const QString firstLoad = QStringLiteral("First Load");
    if (readFlag(GetSetting(kAppTitle, kSettingsSection, firstLoad, QStringLiteral("True")), true))
        SaveSetting(kAppTitle, kSettingsSection, firstLoad, QStringLiteral("False"));
}

QRect readWindowPlace(WindowStateRecord& state) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screen = primary ? primary->geometry() : QRect(0, 0, 1024, 768);
    state.MainWidth = float(int(pixelsToTwips(screen.width())));
    state.MainHeight = float(int(pixelsToTwips(screen.height())));
    readWindowState(state);
    std::vector<QRect> screens;
    for (const QScreen* each : QGuiApplication::screens())
        screens.push_back(each->availableGeometry());
    return placeOnScreens(QRect(twipsToPixels(state.MainLeft), twipsToPixels(state.MainTop),
                                twipsToPixels(state.MainWidth), twipsToPixels(state.MainHeight)),
                          screens, primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768));
}

void openCommandLine(DocumentHost& host, WorkspaceCommands& workspaces,
                     const QString& commandLine) {
    if (commandLine.isEmpty())
        return;
    QString error;
    bool ok = true;
    // The workspace extension in any case: Save Project/Workspace writes ".kpj".
    if (commandLine.right(4).compare(QLatin1String(".KPJ"), Qt::CaseInsensitive) == 0) {
        ok = workspaces.openWorkspaceDocuments(
            commandLine, WorkspaceCommands::EndTest::BeforeFirstRecord, error);
    } else if (frmDocument* document = host.activeDocument()) {
        ok = document->loadFile(commandLine, {.caption = {}, .backup = true, .recentFiles = true},
                                error);
    }
    if (!ok)
        MsgBox(QStringLiteral("An error occurred while processing the file ") + commandLine +
                   QStringLiteral(", specified in the command line.") + QStringLiteral("\r\n") +
                   error,
               vbOKOnly);
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
