// Carries out a list of edits on a document's rich-text control as one edit: the control is
// called once, the change is one step of its undo history, and the characters keep their
// formatting.
#pragma once

#include "document/TextEdits.h"

namespace kelvane {

class RichTextBox;

/// Keeps the edits made during its life one step of the control's undo history, apart from
/// the steps before and after: typing just before or after a command is not joined to it.
class UndoStep {
public:
    explicit UndoStep(RichTextBox& box);
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    RichTextBox& box_;
};

/// Makes the edits (document positions, '\n' line breaks) in one replacement of the control's
/// text. Returns false, changing nothing, when there are no edits. The list is taken over and
/// dropped once the edit is made, and the heap's free pages are given back: a command over a
/// long document makes millions of small edits that would otherwise stay resident.
bool applyDocumentEdits(RichTextBox& box, TextEdits&& edits);

/// Puts the caret at a document position with nothing selected.
void placeCaretAtDocumentPosition(RichTextBox& box, qsizetype documentPosition);

} // namespace kelvane
