// A main window as at start-up with private program and user folders, scripted dialogs and
// input box, for the library commands and panes.
#pragma once

#include "app/AppFixture.h"
#include "platform/InputBox.h"
#include "library/ClipTextPane.h"
#include "library/FileBrowserPane.h"
#include "library/LibraryCommands.h"
#include "library/LibraryFolders.h"

#include <QApplication>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

namespace kelvane::test {

class LibraryFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        setUserDataFolderOverride(scratch.file("userdata"));
        setInputBoxBackend(&inputs);
    }
    void TearDown() override {
        setInputBoxBackend(nullptr);
        AppFixture::TearDown();
        setUserDataFolderOverride(QString());
    }

    /// A file in the program's shipped folder ("CLIPTEXT" or "TEMPLATE").
    QString ship(const QString& folder, const QString& name, const QByteArray& bytes) {
        QDir().mkpath(scratch.file("program/" + folder));
        return scratch.write("program/" + folder + "/" + name, bytes);
    }
    /// The path of an entry in the user's folder.
    QString userFile(const QString& folder, const QString& name) const {
        return scratch.file("userdata/" + folder + "/" + name);
    }

    /// Runs `act` on the next modal dialog of type Dialog once its loop runs; any other modal
    /// window is closed and the test fails, so a test never blocks.
    template <typename Dialog, typename F> static void whenShown(F act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = qobject_cast<Dialog*>(modal);
            if (!dialog) {
                ADD_FAILURE() << "expected dialog not shown";
                if (modal)
                    modal->close();
                return;
            }
            act(dialog);
            // A dialog the test failed to close is closed for it, so the run goes on.
            QTimer::singleShot(5000, dialog, [dialog] {
                if (dialog->isVisible()) {
                    ADD_FAILURE() << "dialog left open";
                    dialog->close();
                }
            });
        });
    }

    QStringList rows(const QListWidget* list) const {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text();
        return result;
    }

    ScriptedInputBox inputs;
};

} // namespace kelvane::test
