// One-edit replacement of a document range, keeping the formatting of untouched characters.
#include "commands/DocumentEdits.h"

#include "platform/richtext/RichTextBox.h"

#include <QTextDocument>

namespace kelvane {

UndoStep::UndoStep(RichTextBox& box) : box_(box) {
    box_.document()->setModified(false);
}

UndoStep::~UndoStep() {
    box_.document()->setModified(false);
}

bool applyDocumentEdits(RichTextBox& box, const TextEdits& edits) {
    if (edits.empty())
        return false;
    const UndoStep step(box);
    const RichText old = box.richText();
    RangeRewrite rewrite = rewriteRange(old.text, old.styleOfChar, edits);
    const qsizetype start = box.fromDocumentPosition(rewrite.from);
    const qsizetype end = box.fromDocumentPosition(rewrite.to);
    box.setRedraw(false);
    box.setSelStart(start);
    box.setSelLength(end - start);
    RichText replacement;
    replacement.text = std::move(rewrite.text);
    replacement.styleOfChar = std::move(rewrite.styles);
    replacement.styles = old.styles;
    box.setSelRichText(replacement);
    box.setRedraw(true);
    box.Refresh();
    return true;
}

void placeCaretAtDocumentPosition(RichTextBox& box, qsizetype documentPosition) {
    box.setSelStart(box.fromDocumentPosition(documentPosition));
}

} // namespace kelvane
