// Finds keywords that hold a CR or LF, which can match half of a CR LF line break.
#pragma once

#include "document/KeywordList.h"

#include <QStringView>

#include <vector>

namespace kelvane {

/// Calls paint(from, to) for every occurrence of word in [begin, end) of the text, where each
/// '\n' of the text is read as the two characters CR LF. Occurrences do not overlap: the search
/// resumes after each one. A line break belongs to an occurrence when its CR does. Without
/// caseSensitive the text is compared by simple case folds (word must already be folded).
/// Such words are rare, so this walks the text once per word and compares each window.
template <class Paint>
void colourLineBreakWord(QStringView text, qsizetype begin, qsizetype end, QStringView word,
                         bool caseSensitive, Paint&& paint) {
    struct Unit {
        char16_t c;
        qsizetype index;
        bool secondHalf;
    };
    const qsizetype length = word.size();
    if (length == 0)
        return;
    std::vector<Unit> window(std::size_t(length), Unit{0, 0, false});
    qsizetype seen = 0;
    qsizetype nextAllowed = 0;
    const auto take = [&](Unit unit) {
        window[std::size_t(seen % length)] = unit;
        ++seen;
        if (seen < length || seen - length < nextAllowed)
            return;
        for (qsizetype k = 0; k < length; ++k)
            if (window[std::size_t((seen - length + k) % length)].c != word[k].unicode())
                return;
        nextAllowed = seen;
        const Unit& first = window[std::size_t((seen - length) % length)];
        const qsizetype from = first.index + (first.secondHalf ? 1 : 0);
        const qsizetype to = unit.index + 1;
        if (from < to)
            paint(from, to);
    };
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c == '\n') {
            take({'\r', i, false});
            take({'\n', i, true});
        } else {
            take({caseSensitive ? c : foldKeywordChar(c), i, false});
        }
    }
}

} // namespace kelvane
