// Finds keywords that hold a CR or LF, which can match half of a CR LF line break.
#pragma once

#include "document/KeywordList.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace kelvane {

/// Finds the occurrences of one word in text handed over in consecutive ranges, where each
/// '\n' of the text is read as the two characters CR LF. Occurrences do not overlap: the search
/// resumes after each one. A line break belongs to an occurrence when its CR does. Without
/// caseSensitive the text is compared by simple case folds (the word must already be folded).
/// Such words are rare, so this compares a window of the last characters at every step.
class LineBreakWordFinder {
public:
    LineBreakWordFinder(QString word, bool caseSensitive)
        : word_(std::move(word)), caseSensitive_(caseSensitive),
          window_(std::size_t(word_.size()), Unit{0, 0, false}) {}

    /// Calls paint(from, to) for every occurrence that ends in [begin, end) of chars (the
    /// ranges of successive calls follow each other).
    template <class Paint>
    void feed(const char16_t* chars, qsizetype begin, qsizetype end, Paint&& paint) {
        if (word_.isEmpty())
            return;
        for (qsizetype i = begin; i < end; ++i) {
            const char16_t c = chars[i];
            if (c == '\n') {
                take({'\r', i, false}, paint);
                take({'\n', i, true}, paint);
            } else {
                take({caseSensitive_ ? c : foldKeywordChar(c), i, false}, paint);
            }
        }
    }

    /// Moves the positions remembered from earlier ranges by delta (when the caller's text
    /// moves).
    void shift(qsizetype delta) {
        for (Unit& unit : window_)
            unit.index += delta;
    }

private:
    struct Unit {
        char16_t c;
        qsizetype index;
        bool secondHalf;
    };

    template <class Paint> void take(Unit unit, Paint& paint) {
        const qsizetype length = word_.size();
        window_[std::size_t(seen_ % length)] = unit;
        ++seen_;
        if (seen_ < length || seen_ - length < nextAllowed_)
            return;
        for (qsizetype k = 0; k < length; ++k)
            if (window_[std::size_t((seen_ - length + k) % length)].c != word_[k].unicode())
                return;
        nextAllowed_ = seen_;
        const Unit& first = window_[std::size_t((seen_ - length) % length)];
        const qsizetype from = first.index + (first.secondHalf ? 1 : 0);
        const qsizetype to = unit.index + 1;
        if (from < to)
            paint(from, to);
    }

    QString word_;
    bool caseSensitive_;
    std::vector<Unit> window_;
    qsizetype seen_ = 0;
    qsizetype nextAllowed_ = 0;
};

} // namespace kelvane
