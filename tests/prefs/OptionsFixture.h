// A main window started as at start-up, with the Options dialog loaded and scripted prompts.
#pragma once

#include "app/AppFixture.h"
#include "platform/InputBox.h"
#include "prefs/ColourSwatch.h"
#include "prefs/frmOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>

namespace kelvane::test {

class OptionsFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        setInputBoxBackend(&inputs);
        EditorSettings = EditorSettingsRecord{};
    }
    void TearDown() override {
        AppFixture::TearDown();
        setInputBoxBackend(nullptr);
        EditorSettings = EditorSettingsRecord{};
    }

    /// Starts the main window and opens the dialog's filling as opening it does.
    frmOptions* open() {
        if (!main)
            start();
        frmOptions* dialog = frmOptions::load(*main);
        dialog->Form_Activate();
        return dialog;
    }

    static QStringList items(const QListWidget* list) {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result << list->item(row)->text();
        return result;
    }

    /// Closes every document window (none has unsaved changes in these tests).
    void closeAllDocuments() {
        for (frmDocument* document : DocumentRegistry.openDocuments()) {
            document->Changed = false;
            document->subWindow()->close();
        }
    }

    ScriptedInputBox inputs;
};

} // namespace kelvane::test
