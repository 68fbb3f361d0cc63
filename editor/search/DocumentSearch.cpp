// Searching the cached document text and mapping matches back to the control's positions.
#include "search/DocumentSearch.h"
#include "platform/TextLines.h"

#include "document/DocumentText.h"
#include "platform/richtext/RichTextBox.h"
#include "search/TextSearch.h"

namespace kelvane {

void selectDocumentRange(RichTextBox& box, qsizetype from, qsizetype to) {
    const qsizetype start = box.fromDocumentPosition(from);
    box.setSelStart(start);
    box.setSelLength(box.fromDocumentPosition(to) - start);
}

qsizetype findInDocument(RichTextBox& box, const QString& needle, qsizetype start,
                         Qt::CaseSensitivity sensitivity) {
    const qsizetype position = std::max<qsizetype>(start, 1) - 1;
    if (position > box.textLength())
        return 0;
    qsizetype from = box.toDocumentPosition(position);
    // A start on the second character of a line break begins after that break.
    if (box.fromDocumentPosition(from) < position)
        ++from;
    const QString documentNeedle = toLfLineBreaks(needle);
    const qsizetype at = findText(cachedDocumentText(box), documentNeedle, from, sensitivity);
    if (at < 0)
        return 0;
    selectDocumentRange(box, at, at + documentNeedle.size());
    return box.fromDocumentPosition(at) + 1;
}

} // namespace kelvane
