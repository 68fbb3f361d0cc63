// A main window as at start-up with private program and user folders, scripted dialogs and
// input box, for the library commands and panes.
#pragma once

#include "app/AppFixture.h"
#include "library/ClipTextPane.h"
#include "library/FileBrowserPane.h"
#include "library/LibraryCommands.h"
#include "library/LibraryFolders.h"
#include "platform/FileIO.h"
#include "platform/InputBox.h"

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

    QStringList rows(const QListWidget* list) const {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text();
        return result;
    }

    ScriptedInputBox inputs;
};

} // namespace kelvane::test
