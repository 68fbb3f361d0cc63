// A stand-in main window for the compiler and viewer commands, with scripted dialogs, a
// private settings store and a recording launcher.
#pragma once

#include "platform/CommonDialog.h"
#include "platform/MsgBox.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "settings/EditorSettings.h"
#include "support/TestSupport.h"
#include "tools/CompilerCommands.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace kelvane::test {

/// The active document as the commands see it; Save answers from a scripted dialog.
class FakeToolsHost : public ToolsHost {
public:
    bool documentOpen = true;
    QString path;
    bool changed = false;
    int saves = 0;
    /// The name Save As would be given; empty cancels it.
    QString saveAsAnswer;

    bool hasActiveDocument() const override { return documentOpen; }
    QString activeDocumentPath() const override { return path; }
    void saveActiveDocument() override {
        ++saves;
        if (path.isEmpty())
            path = saveAsAnswer;
        if (!path.isEmpty())
            changed = false;
    }
    CommonDialog& commonDialog() override { return dialog; }
    QWidget* ownerWindow() override { return &window; }

    CommonDialog dialog;
    QWidget window;
};

class ToolsFixture : public ::testing::Test {
public:
protected:
    void SetUp() override {
        setSettingsFileOverride(scratch.file(QStringLiteral("settings.ini")));
        EditorSettings = EditorSettingsRecord{};
    }
    void TearDown() override {
        setSettingsFileOverride(QString());
        EditorSettings = EditorSettingsRecord{};
    }

    ScratchDir scratch;
    ScriptedMsgBoxes boxes;
    ScriptedCommonDialogs dialogs;
    RecordingShell shell;
    FakeToolsHost host;
    CompilerCommands commands{host};
};

} // namespace kelvane::test
