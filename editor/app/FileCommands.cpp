// The File group's commands and its recent-file items.
#include "app/FileCommands.h"

#include "app/RecentFiles.h"
#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "library/LibraryCommands.h"
#include "platform/CommonDialog.h"
#include "platform/MsgBox.h"
#include "platform/TextLines.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>

namespace kelvane {

namespace {
const QString kFileIOError = QStringLiteral("File I/O Error");

void reportOpenError(const QString& error) {
    MsgBox(QStringLiteral("An error occurred while you were trying to open a file:") + kCrLf +
               error,
           vbOKOnly, kFileIOError);
}
} // namespace

FileCommands::FileCommands(DocumentHost& host, LibraryCommands& library, QWidget* parent)
    : CommandGroup(QStringLiteral("&File"), parent), host_(host), library_(library) {
    // The menu takes these in the menu tree's order, with the commands of other groups.
    addUnlisted({"mnuFileNew", QStringLiteral("&New..."), QKeySequence(Qt::CTRL | Qt::Key_N),
                 QStringLiteral("toolbar/new"), QStringLiteral("New")},
                [this] { mnuFileNew_Click(); });
    addUnlisted({"mnuFileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                 QStringLiteral("toolbar/open"), QStringLiteral("Open")},
                [this] { mnuFileOpen_Click(); });
    addUnlisted({"mnuFileClose", QStringLiteral("&Close")}, [this] { mnuFileClose_Click(); });
    addUnlisted({"mnuFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
                 QStringLiteral("toolbar/save"), QStringLiteral("Save"), true},
                [this] { mnuFileSave_Click(); });
    addUnlisted({"mnuFileSaveAs", QStringLiteral("Save &As...")},
                [this] { mnuFileSaveAs_Click(); });
    addUnlisted({"mnuFileSaveAll",
                 QStringLiteral("Sa&ve All"),
                 {},
                 QStringLiteral("toolbar/saveall"),
                 QStringLiteral("Save All"),
                 true},
                [this] { mnuFileSaveAll_Click(); });
    addUnlisted({"mnuFileReload",
                 QStringLiteral("&Reload"),
                 {},
                 {},
                 QStringLiteral("Reads the file again as it is on disk now"),
                 true},
                [this] { mnuFileReload_Click(); });
    addUnlisted({"mnuFileExit", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_X)},
                [this] { mnuFileExit_Click(); });
}

void FileCommands::mnuFileNew_Click() {
    library_.mnuFileNew_Click();
}

void FileCommands::mnuFileOpen_Click() {
    CommonDialog& dialog = host_.commonDialog();
    const QString path = dialog.askOpenFile(QStringLiteral("Open"), kDocumentFileFilter);
    if (path.isEmpty())
        return;
    frmDocument* document = host_.newDocument();
    QString error;
    if (!document->loadFile(
            path, {.caption = dialog.FileTitle, .backup = true, .recentFiles = true}, error))
        reportOpenError(error);
}

void FileCommands::mnuFileClose_Click() {
    if (frmDocument* document = host_.activeDocument())
        document->subWindow()->close();
}

bool FileCommands::saveUnderNewName(frmDocument* document, const QString& title, QString& error,
                                    bool& cancelled) {
    CommonDialog& dialog = host_.commonDialog();
    const QString path = dialog.askSaveFile(title, kDocumentFileFilter);
    cancelled = path.isEmpty();
    if (cancelled)
        return false;
    // Declining to write over a file another program changed ends the save as a cancel does.
    return document->saveFileAs(path, dialog.FileTitle, error, cancelled);
}

bool FileCommands::saveDocument(frmDocument* document) {
    if (!document)
        return false;
    const QString caption = document->Caption();
    QString error;
    bool cancelled = false;
    bool saved = false;
    // A document with no file of its own asks for one even when its caption no longer says
    // "File " (Export as RTF shows the exported path there).
    if (document->isUntitled() || document->Tag.isEmpty())
        saved = saveUnderNewName(document, QStringLiteral("Save"), error, cancelled);
    else
        saved = document->saveFile(error, cancelled);
    if (!saved && !cancelled)
        MsgBox(QStringLiteral("An error occurred trying to save the file ") + caption +
                   QLatin1Char('.') + kCrLf + error,
               vbOKOnly);
    return saved;
}

void FileCommands::mnuFileSave_Click() {
    saveDocument(host_.activeDocument());
}

void FileCommands::mnuFileSaveAs_Click() {
    frmDocument* document = host_.activeDocument();
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

void FileCommands::mnuFileSaveAll_Click() {
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

void FileCommands::mnuFileReload_Click() {
    if (frmDocument* document = host_.activeDocument())
        document->reloadCommand();
}

void FileCommands::mnuFileExit_Click() {
    host_.hostWindow()->close();
}

// --- recent files ---

void FileCommands::addRecentItems() {
    recent_ << menu()->addSeparator();
    for (int i = 1; i <= RecentFileList::kCount; ++i)
        recent_ << menu()->addAction(QString(), this, [this, i] { mnuFileRecent_Click(i); });
    for (QAction* item : recent_)
        item->setVisible(false); // until the list is first refreshed
}

void FileCommands::refreshRecentFiles() {
    const bool any = !RecentFiles.entry(1).isEmpty();
    recent_[0]->setVisible(any);
    for (int i = 1; i <= RecentFileList::kCount; ++i) {
        if (!any) {
            recent_[i]->setVisible(false);
            continue;
        }
        // An item once shown stays shown until the list empties: its entry is only ever
        // pushed down, never removed.
        if (!RecentFiles.entry(i).isEmpty())
            recent_[i]->setVisible(true);
        // Ampersands in a path would turn into access keys; double them to show them.
        recent_[i]->setText(
            QString(RecentFiles.entry(i)).replace(QLatin1Char('&'), QLatin1String("&&")));
        recent_[i]->setData(RecentFiles.entry(i));
    }
}

void FileCommands::CycleRecentFiles(const QString& path) {
    RecentFiles.cycle(path);
    refreshRecentFiles();
}

void FileCommands::mnuFileRecent_Click(int index) {
    const QString path = recent_[index]->data().toString();
    frmDocument* document = host_.newDocument();
    QString error;
    // Reopening neither writes a backup copy nor moves the entry to the top.
    if (!document->loadFile(path, {.caption = {}, .backup = false, .recentFiles = false}, error))
        reportOpenError(error);
}

} // namespace kelvane
