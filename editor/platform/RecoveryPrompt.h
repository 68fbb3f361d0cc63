// The start-up question about a recovery file: recover its text, discard it, or ask again later.
#pragma once

#include "platform/RecoveryFile.h"

#include <functional>

namespace kelvane {

enum class RecoveryAnswer {
    Recover, ///< open the text in a new window, unsaved
    Discard, ///< delete the recovery file
    Later,   ///< the question was closed: keep the file and ask at the next start
};

/// The question's text for a record.
QString recoveryQuestion(const RecoveryRecord& record);

/// Asks about one recovery file, with the buttons Recover and Discard.
RecoveryAnswer askRecovery(const RecoveryRecord& record);

/// Replaces the dialog (tests answer from a script); an empty function restores it.
void setRecoveryPromptBackend(std::function<RecoveryAnswer(const RecoveryRecord&)> backend);

} // namespace kelvane
