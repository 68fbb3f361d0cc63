// One-edit replacement of a document range, keeping the formatting of untouched characters.
#include "document/DocumentEdits.h"

#include "platform/richtext/RichTextBox.h"
#include "platform/text/SystemPages.h"

#include <algorithm>

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
bool cheaperInPlace(const RichTextBox& box, const TextEdits& edits) {
    const qsizetype from = edits.front().from;
    const qsizetype to = edits.back().from + edits.back().removed;
    // The line breaks of the range, counted on the control's own text, not on a copy.
    qsizetype lines = 0;
    qsizetype at = 0;
    box.forEachTextPiece(qsizetype(1) << 20, [&](QStringView piece) {
        const qsizetype start = std::max(from, at);
        const qsizetype end = std::min(to, at + piece.size());
        if (start < end)
            lines += piece.sliced(start - at, end - start).count(QLatin1Char('\n'));
        at += piece.size();
    });
    return double(edits.size()) * 3.0 < double(lines) * 6.0 + double(to - from) * 0.04;
}

/// The edits as one replacement of the range they span, through a rewrite of that range.
void applyAsRewrite(RichTextBox& box, const TextEdits& edits, bool inPlace) {
    const RichText old = box.richText();
    RangeRewrite rewrite = rewriteRange(old.text, old.styleOfChar, edits);
    if (inPlace) {
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
}

/// The edits as many replacements made in one pass: neither the text nor its styles are
/// copied, and the undo history keeps only the replaced pieces. False inside an edit batch.
bool applyAsSpread(RichTextBox& box, const TextEdits& edits) {
    std::vector<SpreadPiece> pieces;
    pieces.reserve(edits.size());
    qsizetype inserted = 0;
    qsizetype removed = 0;
    for (const TextEdit& edit : edits) {
        pieces.push_back({edit.from, edit.removed, edit.inserted.size()});
        inserted += edit.inserted.size();
        removed += edit.removed;
    }
    QString allInserted;
    allInserted.reserve(inserted);
    for (const TextEdit& edit : edits)
        allInserted += edit.inserted;
    const qsizetype end = edits.back().from + edits.back().removed + inserted - removed;
    if (!box.replaceEach(std::move(pieces), std::move(allInserted)))
        return false;
    box.setSelStart(box.fromDocumentPosition(end));
    return true;
}

} // namespace

bool applyDocumentEdits(RichTextBox& box, TextEdits&& edits) {
    if (edits.empty())
        return false;
    {
        const TextEdits taken = std::move(edits);
        const UndoStep step(box);
        box.setRedraw(false);
        // Inside an edit batch of the caller the pieces cannot be one step of their own.
        if (!applyAsSpread(box, taken))
            applyAsRewrite(box, taken, cheaperInPlace(box, taken));
        box.setRedraw(true);
    }
    // The edits and the copies made to carry them out are gone: their pages go back to the
    // system before the document is painted again.
    giveBackFreeHeap();
    box.Refresh();
    return true;
}

void placeCaretAtDocumentPosition(RichTextBox& box, qsizetype documentPosition) {
    box.setSelStart(box.fromDocumentPosition(documentPosition));
}

} // namespace kelvane
