// The File menu's commands: New, Open, Close, Save, Save As, Save All and Exit.
#include "app/RecentFiles.h"
#include "app/frmMain.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "library/LibraryCommands.h"
#include "platform/KeyedTabBar.h"
#include "platform/MsgBox.h"
#include "platform/TextLines.h"
#include "platform/richtext/RichTextBox.h"
#include "settings/EditorSettings.h"

#include <QMdiSubWindow>

namespace kelvane {

namespace {
const QString kFileIOError = QStringLiteral("File I/O Error");
} // namespace

void frmMain::mnuFileNew_Click() {
    library->mnuFileNew_Click();
}

bool frmMain::openFileInto(frmDocument* document, const QString& path, const QString& title,
                           QString& error) {
    if (!document->rtfText->LoadFile(path, error))
        return false;
    if (EditorSettings.Backup) {
        QString backupError;
        const QString backup = path + QLatin1Char('~');
        // The file itself opened; a backup that cannot be written is reported, not fatal.
        if (!document->rtfText->SaveFile(backup, 0, backupError))
            MsgBox(QStringLiteral("The backup copy ") + backup +
                       QStringLiteral(" could not be written.") + kCrLf + backupError,
                   vbOKOnly, kFileIOError);
    }
    document->setCaption(title);
    document->Tag = path;
    document->Changed = false;
    RecentFiles.cycle(path);
    refreshRecentFiles();
    return true;
}

void frmMain::mnuFileOpen_Click() {
    const QString path = dlgCommonDialog.askOpenFile(QStringLiteral("Open"), kDocumentFilter);
    if (path.isEmpty())
        return;
    frmDocument* document = NewDocument();
    QString error;
    if (!openFileInto(document, path, dlgCommonDialog.FileTitle, error))
        MsgBox(QStringLiteral("An error occurred while you were trying to open a file:") + kCrLf +
                   error,
               vbOKOnly, kFileIOError);
}

void frmMain::mnuFileClose_Click() {
    if (frmDocument* document = activeDocument())
        document->subWindow()->close();
}

bool frmMain::saveUnderNewName(frmDocument* document, const QString& title, QString& error,
                               bool& cancelled) {
    const QString path = dlgCommonDialog.askSaveFile(title, kDocumentFilter);
    cancelled = path.isEmpty();
    if (cancelled)
        return false;
    if (!document->rtfText->SaveFile(path, 1, error))
        return false;
    document->Tag = path;
    document->setCaption(dlgCommonDialog.FileTitle);
    document->Changed = false;
    tabFiles->setKeyedCaption(document->tabKey(), document->Caption());
    tabFiles->setKeyedToolTip(document->tabKey(), document->Tag);
    return true;
}

bool frmMain::saveDocument(frmDocument* document) {
    if (!document)
        return false;
    const QString caption = document->Caption();
    QString error;
    bool cancelled = false;
    bool saved = false;
    // A document with no file of its own asks for one even when its caption no longer says
    // "File " (Export as RTF shows the exported path there).
    if (document->isUntitled() || document->Tag.isEmpty()) {
        saved = saveUnderNewName(document, QStringLiteral("Save"), error, cancelled);
    } else {
        saved = document->rtfText->SaveFile(document->Tag, 1, error);
        if (saved)
            document->Changed = false;
    }
    if (!saved && !cancelled)
        MsgBox(QStringLiteral("An error occurred trying to save the file ") + caption +
                   QLatin1Char('.') + kCrLf + error,
               vbOKOnly);
    return saved;
}

void frmMain::mnuFileSave_Click() {
    saveDocument(activeDocument());
}

void frmMain::mnuFileSaveAs_Click() {
    frmDocument* document = activeDocument();
    if (!document)
        return;
    const QString caption = document->Caption();
    QString error;
    bool cancelled = false;
    if (!saveUnderNewName(document, QStringLiteral("Save As"), error, cancelled) && !cancelled)
        MsgBox(QStringLiteral("An error occurred when saving the file ") + caption +
                   QLatin1Char('.') + QLatin1Char('\r') + error,
               vbOKOnly);
}

void frmMain::mnuFileSaveAll_Click() {
    for (int slot = 1; slot <= DocumentRegistry.upperBound(); ++slot) {
        frmDocument* document = DocumentRegistry.openDocument(slot);
        if (!document)
            continue;
        QString error;
        bool cancelled = false;
        bool saved = false;
        if (document->isUntitled() || document->Tag.isEmpty()) {
            saved = saveUnderNewName(document, QStringLiteral("Save ") + document->Caption(), error,
                                     cancelled);
            if (cancelled)
                return; // no name chosen: the later documents stay unsaved
        } else {
            saved = document->rtfText->SaveFile(document->Tag, 1, error);
            if (saved)
                document->Changed = false;
        }
        if (!saved) {
            MsgBox(QStringLiteral("An error occurred during the save process."), vbOKOnly,
                   kFileIOError);
            return;
        }
    }
}

void frmMain::mnuFileExit_Click() {
    close();
}

} // namespace kelvane
