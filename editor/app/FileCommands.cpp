// The File menu's commands: New, Open, Close, Save, Save As, Save All, Reload and Exit.
#include "app/frmMain.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "library/LibraryCommands.h"
#include "platform/MsgBox.h"
#include "platform/TextLines.h"

#include <QMdiSubWindow>

namespace kelvane {

namespace {
const QString kFileIOError = QStringLiteral("File I/O Error");
} // namespace

void frmMain::mnuFileNew_Click() {
    library->mnuFileNew_Click();
}

void frmMain::mnuFileOpen_Click() {
    const QString path = dlgCommonDialog.askOpenFile(QStringLiteral("Open"), kDocumentFilter);
    if (path.isEmpty())
        return;
    frmDocument* document = NewDocument();
    QString error;
    if (!document->loadFile(
            path, {.caption = dlgCommonDialog.FileTitle, .backup = true, .recentFiles = true},
            error))
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
    // Declining to write over a file another program changed ends the save as a cancel does.
    return document->saveFileAs(path, dlgCommonDialog.FileTitle, error, cancelled);
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
        saved = document->saveFile(error, cancelled);
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
            saved = document->saveFile(error, cancelled);
            if (cancelled)
                continue; // not written over a newer file; the others are still saved
        }
        if (!saved) {
            MsgBox(QStringLiteral("An error occurred during the save process."), vbOKOnly,
                   kFileIOError);
            return;
        }
    }
}

void frmMain::mnuFileReload_Click() {
    if (frmDocument* document = activeDocument())
        document->reloadCommand();
}

void frmMain::mnuFileExit_Click() {
    close();
}

} // namespace kelvane
