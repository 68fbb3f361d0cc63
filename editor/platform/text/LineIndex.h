// Where each line of a text starts: one position per line, kept in a gap buffer with a pending
// shift for the lines after the last edit, so that typing costs the same on line 3 and on line
// 3,000,000 and nothing is recounted from the start.
#pragma once

#include "platform/text/GapBuffer.h"

#include <QStringView>

namespace kelvane {

class LineIndex {
public:
    /// Number of lines: one more than the number of line breaks.
    qsizetype lineCount() const { return starts_.size() + 1; }
    /// Position of the first character of a line; lines past the last report -1.
    qsizetype lineStart(qsizetype line) const;
    /// The line holding a position (a line break belongs to the line it ends).
    qsizetype lineOf(qsizetype position) const;

    /// Forgets every line break, keeping room for `expectedBreaks` to be appended.
    void clear(qsizetype expectedBreaks = 0);
    /// Records a line starting at `position`, after every line known so far (loading).
    void appendLineStart(qsizetype position) { starts_.append(position - shift_); }
    /// Records the line breaks of `text` placed at `position` at the end of the text (loading).
    void appendBreaksOf(QStringView text, qsizetype position);

    /// Follows an edit: `removed` characters at `from` replaced by `inserted`.
    void replace(qsizetype from, qsizetype removed, QStringView inserted);

    /// Does at most `limit` entries of the work an edit at `position` would do first (bringing
    /// the pending shift and the room for new lines to that line); true once none is left.
    bool prepareEditAt(qsizetype position, qsizetype limit);

    /// Gives back spare room after loading.
    void shrink() { starts_.shrink(); }
    /// Bytes held, for memory figures.
    qsizetype memoryBytes() const { return starts_.capacity() * qsizetype(sizeof(qsizetype)); }

private:
    qsizetype startAt(qsizetype entry) const {
        return starts_.at(entry) + (entry > step_ ? shift_ : 0);
    }
    /// Index of the first entry whose start is greater than `position`.
    qsizetype firstEntryAfter(qsizetype position) const;
    /// Moves the step so that entries up to and including `entry` hold their real values.
    void moveStep(qsizetype entry);

    GapBuffer<qsizetype> starts_; ///< starts of lines 1, 2, ...; line 0 starts at 0
    qsizetype step_ = -1;         ///< entries after this one still need `shift_` added
    qsizetype shift_ = 0;
};

} // namespace kelvane
