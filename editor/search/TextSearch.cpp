// Substring search with Qt's case folding (one folded character per character, so positions
// and lengths of matches are those of the text).
#include "search/TextSearch.h"

#include <algorithm>
#include <vector>

namespace kelvane {

qsizetype findText(QStringView haystack, QStringView needle, qsizetype from,
                   Qt::CaseSensitivity sensitivity) {
    if (needle.isEmpty() || from < 0 || from > haystack.size() - needle.size())
        return -1;
    return haystack.indexOf(needle, from, sensitivity);
}

TextEdits replaceAllEdits(QStringView haystack, QStringView needle, const QString& replacement,
                          Qt::CaseSensitivity sensitivity) {
    return replaceAllEdits([haystack](const auto& take) { take(haystack); }, needle, replacement,
                           sensitivity);
}

TextEdits replaceAllEdits(const TextPieces& pieces, QStringView needle, const QString& replacement,
                          Qt::CaseSensitivity sensitivity) {
    TextEdits edits;
    if (needle.isEmpty())
        return edits;
    // Where the occurrences start, first: the edits are made once their number is known, not
    // moved from one growing list to the next (a common word has a million occurrences).
    std::vector<qsizetype> starts;
    const qsizetype n = needle.size();
    // The text searched is a window [windowStart, windowStart + window.size()) of the whole.
    // Case folding looks at the neighbour of a character (the two halves of a surrogate
    // pair), so a match counts only with the character after it in the window too, unless
    // the window ends the text, and the window keeps the character before the next search.
    QString window;
    qsizetype windowStart = 0;
    qsizetype next = 0; // where the next occurrence may start: after the last one
    auto search = [&](bool atEnd) {
        const qsizetype windowEnd = windowStart + window.size();
        const qsizetype lastStart = atEnd ? windowEnd - n : windowEnd - n - 1;
        for (qsizetype at = findText(window, needle, next - windowStart, sensitivity);
             at >= 0 && windowStart + at <= lastStart;
             at = findText(window, needle, next - windowStart, sensitivity)) {
            starts.push_back(windowStart + at);
            next = windowStart + at + n;
        }
        // Every occurrence starting up to lastStart was found: keep the rest of the window and
        // the character before it.
        next = std::max(next, lastStart + 1);
        const qsizetype keepFrom = std::clamp<qsizetype>(next - 1, windowStart, windowEnd);
        window.remove(0, keepFrom - windowStart);
        windowStart = keepFrom;
    };
    constexpr qsizetype kWindow = 64 * 1024; // searched at once: fits the caches, few calls
    pieces([&](QStringView piece) {
        window.append(piece);
        if (window.size() >= kWindow)
            search(false);
    });
    search(true);
    edits.reserve(starts.size());
    for (const qsizetype at : starts)
        edits.push_back({at, n, replacement});
    return edits;
}

} // namespace kelvane
