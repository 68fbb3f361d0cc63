// The undo history of a document: steps of recorded edits, one step per command, with typing,
// Backspace and Delete runs grouped the way users expect (a run of typed characters is undone
// at once; Enter, a command or saving starts a new step).
#pragma once

#include "platform/text/CharStyles.h"
#include "platform/text/SpreadEdit.h"

#include <QString>

#include <memory>
#include <vector>

namespace kelvane {

/// How an edit came about; decides which edits join into one undo step.
enum class EditKind {
    Command,       ///< one step of its own
    Typing,        ///< typed text: joins the typing just before it
    DeleteBack,    ///< Backspace: joins the Backspace run just before it
    DeleteForward, ///< Delete: joins the Delete run just before it
};

/// One change of the text: `removed` at `at` replaced by `inserted`.
struct RecordedEdit {
    qsizetype at = 0;
    QString removed;
    SavedStyles removedStyles;
    QString inserted;
    SavedStyles insertedStyles; ///< taken when the edit is undone, given back on redo
};

class EditHistory {
public:
    struct Step {
        std::vector<RecordedEdit> edits;
        EditKind kind = EditKind::Command;
        bool sealed = false; ///< takes no more edits
        /// Set instead of `edits` for many replacements made together in one pass.
        std::unique_ptr<SpreadEdit> spread;
    };

    /// Adds an edit: to the open batch, to the step before when it continues a run of the
    /// same kind, else as a step of its own. Drops every step that could have been redone.
    void record(RecordedEdit edit, EditKind kind);

    /// Adds a step of its own made of many replacements (never inside a batch). Drops every
    /// step that could have been redone.
    void recordSpread(SpreadEdit edit);
    /// Edits recorded between these calls make one step. Nesting is counted by the caller
    /// (TextModel), which opens and closes only the outermost batch.
    void openBatch();
    void closeBatch();
    bool batchOpen() const { return batchOpen_; }

    int undoSteps() const { return int(applied_); }
    int redoSteps() const { return int(steps_.size() - applied_); }
    /// The step undo would take back (moved down the history by takeUndo), or null.
    Step* takeUndo();
    Step* takeRedo();

    /// Ends the last step: the next edit starts a step of its own.
    void seal();
    /// Marks the present state as the one saved on disk.
    void markClean();
    /// Forgets the saved state: the content counts as changed until marked clean again.
    void markDirty() { clean_ = -1; }
    bool isClean() const { return clean_ == qsizetype(applied_); }
    void clear();

private:
    void dropRedoSteps();
    bool joins(const Step& last, const RecordedEdit& edit, EditKind kind) const;

    std::vector<Step> steps_;
    std::size_t applied_ = 0; ///< steps [0, applied_) are in the text
    qsizetype clean_ = 0;     ///< applied_ when last saved; -1 when that state is gone
    bool batchOpen_ = false;
    bool batchStarted_ = false; ///< the open batch has its step
};

} // namespace kelvane
