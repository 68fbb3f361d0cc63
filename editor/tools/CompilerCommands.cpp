// The compiler and viewer commands: the save check, then the dialogs or the desktop.
#include "tools/CompilerCommands.h"

#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "tools/frmCompilerConfig.h"
#include "tools/frmRunCompiler.h"

namespace kelvane {

const QString CompilerCommands::kRunSaveQuestion = QStringLiteral(
    "You must must save the file before you can process it using a compiler. Do you wish to "
    "save the file now?");
const QString CompilerCommands::kViewerSaveQuestion = QStringLiteral(
    "You must first save the file before you can view it in its currently associated program. "
    "Do you wish to save the file now?");

QString CompilerCommands::savedDocumentPath(const QString& question) {
    if (!host_.hasActiveDocument())
        return QString();
    // A document with a name is taken as last saved, unsaved changes and all.
    if (host_.activeDocumentPath().isEmpty()) {
        if (MsgBox(question, vbYesNo + vbQuestion, QStringLiteral("Confirm")) != vbYes)
            return QString();
        host_.saveActiveDocument();
    }
    return host_.activeDocumentPath();
}

void CompilerCommands::mnuAdvancedConfigure_Click() {
    frmCompilerConfig dialog(host_.commonDialog(), host_.ownerWindow());
    dialog.exec();
}

void CompilerCommands::mnuAdvancedRunCompiler_Click() {
    const QString path = savedDocumentPath(kRunSaveQuestion);
    if (path.isEmpty())
        return;
    frmRunCompiler dialog(path, host_.ownerWindow());
    dialog.exec();
}

void CompilerCommands::mnuAdvancedOpenViewer_Click() {
    const QString path = savedDocumentPath(kViewerSaveQuestion);
    if (path.isEmpty())
        return;
    OpenWithDefaultApp(path);
}

} // namespace kelvane
