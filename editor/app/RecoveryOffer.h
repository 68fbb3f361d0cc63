// Unsaved text between runs: what a run that ended without saving left behind is offered back
// at start-up, and what is unsaved when the desktop session ends is kept for the next start.
#pragma once

namespace kelvane {

class DocumentHost;
class RecoveryKeeper;

/// Offers back, one by one, the unsaved text that earlier runs which ended without saving left
/// in recovery files: Recover opens it in a new window, Discard deletes it, Later keeps it.
void offerLeftRecovery(DocumentHost& host, RecoveryKeeper& keeper);

/// Writes the recovery file of every changed document now and keeps it after this run ends.
void keepUnsavedForNextStart(RecoveryKeeper& keeper);

} // namespace kelvane
