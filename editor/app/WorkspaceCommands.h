// The Workspace group: Save and Restore Project/Workspace (placed in the Advanced menu, which is
// this group's menu) and the read loop they share with a workspace named on the command line.
#pragma once

#include "platform/CommandGroup.h"

#include <QString>

namespace kelvane {

class DocumentHost;
class FileCommands;

/// The filter of the workspace open and save dialogs.
inline const QString kWorkspaceFileFilter = QStringLiteral("Kelvane Project Files (*.kpj)|*.kpj");

class WorkspaceCommands : public CommandGroup {
    Q_OBJECT
public:
    /// Saving a workspace saves every document first with `files`' Save All.
    WorkspaceCommands(DocumentHost& host, FileCommands& files, QWidget* parent);

    void mnuAdvancedSaveProject_Click();
    void mnuAdvancedRestoreProject_Click();

    /// Where a workspace's read loop tests for the end: the command line before the first
    /// record, Restore only after each record (so it always reads one).
    enum class EndTest { BeforeFirstRecord, AfterEachRecord };
    /// Opens a document for every record of a workspace file, in file order. False with the
    /// error text when the file, a record or a listed file cannot be read; the documents
    /// opened before stay open.
    bool openWorkspaceDocuments(const QString& path, EndTest endTest, QString& error);

private:
    DocumentHost& host_;
    FileCommands& files_;
};

} // namespace kelvane
