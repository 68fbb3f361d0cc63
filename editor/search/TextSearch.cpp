// Substring search with Qt's case folding (one folded character per character, so positions
// and lengths of matches are those of the text).
#include "search/TextSearch.h"

namespace kelvane {

qsizetype findText(QStringView haystack, QStringView needle, qsizetype from,
                   Qt::CaseSensitivity sensitivity) {
    if (needle.isEmpty() || from < 0 || from > haystack.size() - needle.size())
        return -1;
    return haystack.indexOf(needle, from, sensitivity);
}

TextEdits replaceAllEdits(QStringView haystack, QStringView needle, const QString& replacement,
                          Qt::CaseSensitivity sensitivity) {
    TextEdits edits;
    for (qsizetype at = findText(haystack, needle, 0, sensitivity); at >= 0;
         at = findText(haystack, needle, at + needle.size(), sensitivity))
        edits.push_back({at, needle.size(), replacement});
    return edits;
}

} // namespace kelvane
