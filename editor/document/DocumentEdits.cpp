// One-edit replacement of a document range, keeping the formatting of untouched characters.
#include "document/DocumentEdits.h"

#include "platform/richtext/RichTextBox.h"

namespace kelvane {

UndoStep::UndoStep(RichTextBox& box) : box_(box) {
    box_.sealUndoStep();
}

UndoStep::~UndoStep() {
    box_.sealUndoStep();
}

namespace {

/// Whether making each edit in place is cheaper than replacing the whole range at once.
/// Measured on 10 MB documents: an edit in place costs about 3 us; replacing a range costs
/// about 6 us per line it holds plus 0.04 us per character. Indenting 200,000 lines is three
/// times faster in place; converting 1,000,000 tabs is faster as one replacement.
bool cheaperInPlace(QStringView text, const RangeRewrite& rewrite, std::size_t editCount) {
    const QStringView range = text.mid(rewrite.from, rewrite.to - rewrite.from);
    const double lines = double(range.count(QLatin1Char('\n')));
    return double(editCount) * 3.0 < lines * 6.0 + double(range.size()) * 0.04;
}

} // namespace

bool applyDocumentEdits(RichTextBox& box, const TextEdits& edits) {
    if (edits.empty())
        return false;
    const UndoStep step(box);
    const RichText old = box.richText();
    RangeRewrite rewrite = rewriteRange(old.text, old.styleOfChar, edits);
    box.setRedraw(false);
    if (cheaperInPlace(old.text, rewrite, edits.size())) {
        // Each edit where it belongs, last first so earlier positions stay valid, inside one
        // edit block (one undo step); then every character of the range gets its formatting.
        box.beginEditBatch();
        for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit)
            box.replaceDocumentRange(edit->from, edit->removed, edit->inserted);
        box.endEditBatch();
        box.assignStyles(rewrite.from, rewrite.styles, old.styles);
    } else {
        const qsizetype start = box.fromDocumentPosition(rewrite.from);
        const qsizetype end = box.fromDocumentPosition(rewrite.to);
        box.setSelStart(start);
        box.setSelLength(end - start);
        RichText replacement;
        replacement.text = std::move(rewrite.text);
        replacement.styleOfChar = std::move(rewrite.styles);
        replacement.styles = old.styles;
        box.setSelRichText(replacement);
    }
    box.setRedraw(true);
    box.Refresh();
    return true;
}

void placeCaretAtDocumentPosition(RichTextBox& box, qsizetype documentPosition) {
    box.setSelStart(box.fromDocumentPosition(documentPosition));
}

} // namespace kelvane
