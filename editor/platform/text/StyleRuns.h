// Runs of characters of one style: the one walk from per-character style indexes to runs that
// the screen, the printed page and the RTF writer all use, so they cannot disagree on where a
// run ends.
#pragma once

#include <QtGlobal>

#include <utility>

namespace kelvane {

/// Calls `run(start, end, style)` for every longest run [start, end) of the `length` characters
/// whose style indexes `styleAt(i)` gives, in order; nothing for an empty text.
template <typename StyleAt, typename Run>
void forEachStyleRun(qsizetype length, StyleAt&& styleAt, Run&& run) {
    qsizetype start = 0;
    while (start < length) {
        const auto style = styleAt(start);
        qsizetype end = start + 1;
        while (end < length && styleAt(end) == style)
            ++end;
        run(start, end, style);
        start = end;
    }
}

} // namespace kelvane
