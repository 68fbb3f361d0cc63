// The Workspace group's commands and the workspace read loop.
#include "app/WorkspaceCommands.h"

#include "app/FileCommands.h"
#include "app/WorkspaceReader.h"
#include "app/WorkspaceWriter.h"
#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "platform/CommonDialog.h"
#include "platform/FileIO.h"
#include "platform/MsgBox.h"

#include <QMdiSubWindow>

namespace kelvane {

WorkspaceCommands::WorkspaceCommands(DocumentHost& host, FileCommands& files, QWidget* parent)
    : CommandGroup(QStringLiteral("&Advanced"), parent), host_(host), files_(files) {
    // The Advanced menu takes these in the menu tree's order, with the tools' commands.
    addUnlisted({"mnuAdvancedSaveProject", QStringLiteral("&Save Project/Workspace...")},
                [this] { mnuAdvancedSaveProject_Click(); });
    addUnlisted({"mnuAdvancedRestoreProject", QStringLiteral("R&estore Project/Workspace...")},
                [this] { mnuAdvancedRestoreProject_Click(); });
}

bool WorkspaceCommands::openWorkspaceDocuments(const QString& path, EndTest endTest,
                                               QString& error) {
    WorkspaceReader workspace;
    if (!workspace.open(path, error))
        return false;
    if (endTest == EndTest::BeforeFirstRecord && workspace.atEnd())
        return true;
    do {
        QString caption;
        QString file;
        // Both lines are read before a window opens, so a short record opens nothing.
        if (!workspace.readLine(caption, error) || !workspace.readLine(file, error))
            return false;
        frmDocument* document = host_.newDocument();
        // The caption the file names, no backup copy, the recent-files list untouched.
        if (!document->loadFile(file, {.caption = caption, .backup = false, .recentFiles = false},
                                error))
            return false;
    } while (!workspace.atEnd());
    return true;
}

void WorkspaceCommands::mnuAdvancedSaveProject_Click() {
    if (DocumentRegistry.openDocuments().empty())
        return;
    if (MsgBox(QStringLiteral("Before saving a workspace file, all currently opened files in "
                              "the workspace must be saved.") +
                   QStringLiteral("\r\n\nDo you wish to continue?"),
               vbYesNo, QStringLiteral("Confirm")) == vbNo)
        return;
    files_.mnuFileSaveAll_Click();
    if (DocumentRegistry.openDocuments().empty())
        return;

    const QString path = host_.commonDialog().askSaveFile(
        QStringLiteral("Save As"), kWorkspaceFileFilter, QStringLiteral(".kpj"));
    if (path.isEmpty())
        return;

    // Slot order, free slots skipped; the documents themselves are not touched.
    std::vector<WorkspaceRecord> records;
    for (frmDocument* document : DocumentRegistry.openDocuments())
        records.push_back({document->Caption(), document->Tag});
    QString error;
    // Written beside the old file and renamed over it, so a failed save keeps the old one.
    if (!writeFileAtomically(path, workspaceBytes(records), error))
        MsgBox(QStringLiteral("An error occurred when saving the file ") + path + QLatin1Char('.') +
                   QLatin1Char('\r') + error,
               vbOKOnly);
}

void WorkspaceCommands::mnuAdvancedRestoreProject_Click() {
    if (MsgBox(QStringLiteral("Before loading a workspace file, all currently opened files in "
                              "the workspace must be closed.") +
                   QStringLiteral("\r\n\nDo you wish to continue?"),
               vbYesNo, QStringLiteral("Confirm")) == vbNo)
        return;
    // Each document closes through its own save prompt; one the user keeps stays open.
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->subWindow()->close();

    const QString path =
        host_.commonDialog().askOpenFile(QStringLiteral("Open"), kWorkspaceFileFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!openWorkspaceDocuments(path, EndTest::AfterEachRecord, error))
        MsgBox(QStringLiteral("There was an error when trying to load the files contained in ") +
                   path + QLatin1Char('.') + QStringLiteral("\r\n") + error,
               vbOKOnly, QStringLiteral("File I/O Error"));
}

} // namespace kelvane
