// Start-up recovery: offering back the unsaved text of documents from runs that ended without
// saving them (a crash, a killed process).
#include "app/RecoveryOffer.h"

#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "platform/AppPaths.h"
#include "platform/RecoveryKeeper.h"
#include "platform/RecoveryPrompt.h"
#include "platform/richtext/RichTextBox.h"

#include <QFile>
#include <QLockFile>

#include <memory>
#include <vector>

namespace kelvane {

namespace {

/// Opens a left recovery file's text in a new, unsaved window under the document's name.
/// True once the text is safe in this run's own recovery file.
bool recoverDocument(DocumentHost& host, RecoveryKeeper& keeper, const LeftRecovery& left) {
    frmDocument* document = host.newDocument();
    document->rtfText->setText(left.record.text);
    if (!left.record.path.isEmpty()) {
        // Under the file's name, so Save writes it there; until then the file stays as it is.
        document->showAsFile(left.record.path, FileTitleOf(left.record.path));
    }
    document->Changed = true;
    document->keepForRecovery();
    // The text is safe in this run's own recovery file before the earlier run's goes.
    keeper.writeNow(document);
    keeper.waitForDone();
    return QFile::exists(keeper.fileOf(document));
}

} // namespace

void offerLeftRecovery(DocumentHost& host, RecoveryKeeper& keeper) {
    // The runs' folders stay claimed while their files are asked about, so an editor started
    // at the same moment does not offer them too.
    std::vector<std::unique_ptr<QLockFile>> claimed;
    for (const LeftRecovery& left : findLeftRecovery(&claimed)) {
        switch (askRecovery(left.record)) {
        case RecoveryAnswer::Recover:
            if (recoverDocument(host, keeper, left))
                removeLeftRecovery(left.file, &claimed);
            break;
        case RecoveryAnswer::Discard:
            removeLeftRecovery(left.file, &claimed);
            break;
        case RecoveryAnswer::Later:
            break;
        }
    }
}

void keepUnsavedForNextStart(RecoveryKeeper& keeper) {
    for (frmDocument* document : DocumentRegistry.openDocuments()) {
        if (!document->Changed)
            continue;
        document->keepForRecovery();
        keeper.writeNow(document);
        keeper.keepAfterExit(document);
    }
    keeper.waitForDone();
}

} // namespace kelvane
