// Where each line of a text starts: one position per line, kept in a gap buffer with a pending
// shift for the lines after the last edit, so that typing costs the same on line 3 and on line
// 3,000,000 and nothing is recounted from the start. Positions take four bytes while the text
// is shorter than 4 Gi characters (every text that fits in memory today), eight beyond.
#pragma once

#include "platform/text/GapBuffer.h"

#include <QLatin1StringView>
#include <QStringView>

#include <cstdint>

namespace kelvane {

class LineIndex {
public:
    /// Number of lines: one more than the number of line breaks.
    qsizetype lineCount() const { return entries() + 1; }
    /// Position of the first character of a line; lines past the last report -1.
    qsizetype lineStart(qsizetype line) const;
    /// The line holding a position (a line break belongs to the line it ends).
    qsizetype lineOf(qsizetype position) const;

    /// Forgets every line break, keeping room for `expectedBreaks` to be appended.
    void clear(qsizetype expectedBreaks = 0);
    /// The text is about to be `length` characters long: positions that large must fit.
    void holdPositionsUpTo(qsizetype length);
    /// Records a line starting at `position`, after every line known so far (loading).
    void appendLineStart(qsizetype position);
    /// Records the line breaks of `text` placed at `position` at the end of the text (loading).
    void appendBreaksOf(QStringView text, qsizetype position);
    void appendBreaksOf(QLatin1StringView text, qsizetype position);

    /// Follows an edit: `removed` characters at `from` replaced by `inserted`.
    void replace(qsizetype from, qsizetype removed, QStringView inserted);
    void replace(qsizetype from, qsizetype removed, QLatin1StringView inserted);

    /// Does at most `limit` entries of the work an edit at `position` would do first (bringing
    /// the pending shift and the room for new lines to that line); true once none is left.
    bool prepareEditAt(qsizetype position, qsizetype limit);

    /// Gives back spare room after loading.
    void shrink();
    /// Bytes held, for memory figures.
    qsizetype memoryBytes() const;

private:
    using Narrow = std::uint32_t;
    /// Calls f with the starts in use, of either width.
    template <typename F> decltype(auto) withStarts(F&& f) const {
        return wide_ ? f(wideStarts_) : f(narrowStarts_);
    }
    template <typename F> decltype(auto) withStarts(F&& f) {
        return wide_ ? f(wideStarts_) : f(narrowStarts_);
    }
    qsizetype entries() const { return wide_ ? wideStarts_.size() : narrowStarts_.size(); }
    /// The position entry `entry` stands for. Narrow entries wrap around: the pending shift
    /// added back gives the position as long as it fits in four bytes.
    template <typename Entry>
    qsizetype startAt(const GapBuffer<Entry>& starts, qsizetype entry) const {
        const Entry stored = starts.at(entry);
        return entry > step_ ? qsizetype(Entry(stored + Entry(shift_))) : qsizetype(stored);
    }
    /// Index of the first entry whose start is greater than `position`.
    template <typename Entry>
    qsizetype firstEntryAfter(const GapBuffer<Entry>& starts, qsizetype position) const;
    /// Moves the step so that entries up to and including `entry` hold their real values.
    template <typename Entry> void moveStep(GapBuffer<Entry>& starts, qsizetype entry);
    template <typename Unit>
    void appendBreaksIn(const Unit* begin, qsizetype count, qsizetype position);
    /// Follows an edit whose `count` inserted characters, of either width, are at `begin`.
    template <typename Entry, typename Unit>
    void replaceIn(GapBuffer<Entry>& starts, qsizetype from, qsizetype removed, const Unit* begin,
                   qsizetype count);

    bool wide_ = false;
    GapBuffer<Narrow> narrowStarts_; ///< starts of lines 1, 2, ...; line 0 starts at 0
    GapBuffer<qsizetype> wideStarts_;
    qsizetype step_ = -1; ///< entries after this one still need `shift_` added
    qsizetype shift_ = 0;
};

} // namespace kelvane
