// A main window loaded as at start-up, with a private settings store, program folder and
// scripted dialogs, so that the file commands run without blocking.
#pragma once

#include "app/frmMain.h"
#include "commands/EditCommands.h"
#include "commands/FormatCommands.h"
#include "dialogs/HelpCommands.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "platform/AppPaths.h"
#include "platform/CommonDialog.h"
#include "platform/MsgBox.h"
#include "platform/SettingsStore.h"
#include "platform/richtext/RichTextBox.h"
#include "prefs/PrefsCommands.h"
#include "search/SearchCommands.h"
#include "settings/EditorSettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QMdiArea>
#include <gtest/gtest.h>

#include <memory>

namespace kelvane::test {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(scratch.file("program"));
        setAppPathOverride(scratch.file("program"));
        setSettingsFileOverride(scratch.file("settings.ini"));
    }
    void TearDown() override {
        if (main) {
            for (frmDocument* document : DocumentRegistry.openDocuments())
                document->Changed = false; // no save prompts while tearing down
            main.reset();
        }
        setSettingsFileOverride(QString());
        setAppPathOverride(QString());
    }

    /// Loads the main window as start-up does, with the given command line.
    frmMain* start(const QString& commandLine = QString()) {
        main = std::make_unique<frmMain>();
        main->MainWindowInit(nullptr, commandLine);
        main->show();
        return main.get();
    }

    QString setting(const QString& key, const QString& section = QStringLiteral("Settings")) {
        return GetSetting(kAppTitle, section, key, QStringLiteral("<absent>"));
    }

    std::vector<QString> captions() const {
        std::vector<QString> result;
        for (frmDocument* document : DocumentRegistry.openDocuments())
            result.push_back(document->Caption());
        return result;
    }

    ScratchDir scratch;
    ScriptedMsgBoxes boxes;
    ScriptedCommonDialogs dialogs;
    std::unique_ptr<frmMain> main;
};

} // namespace kelvane::test
