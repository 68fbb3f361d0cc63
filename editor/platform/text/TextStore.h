// The characters of a document in UTF-16 (two bytes each) with the starts of its lines. Line
// breaks are stored as one '\n'; positions here are such document positions.
#pragma once

#include "platform/text/GapBuffer.h"
#include "platform/text/LineIndex.h"
#include "platform/text/SpreadPiece.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace kelvane {

class TextStore {
public:
    qsizetype size() const { return text_.size(); }
    QChar at(qsizetype position) const { return QChar(text_.at(position)); }
    /// The characters of [from, to), clamped to the text.
    QString text(qsizetype from, qsizetype to) const;
    QString text() const { return text(0, size()); }
    /// Calls f(QStringView) for the stored pieces of [from, to), in order (at most two).
    template <typename F> void forPieces(qsizetype from, qsizetype to, F&& f) const {
        text_.forPieces(from, to - from,
                        [&f](const char16_t* p, qsizetype n) { f(QStringView(p, n)); });
    }
    /// The characters of [from, to) as one view, valid until the next change.
    QStringView view(qsizetype from, qsizetype to) {
        from = std::clamp<qsizetype>(from, 0, size());
        to = std::clamp<qsizetype>(to, from, size());
        return QStringView(text_.contiguous(from, to - from), to - from);
    }

    /// Replaces `removed` characters at `from` with `inserted` ('\n' line breaks).
    void replace(qsizetype from, qsizetype removed, QStringView inserted);
    /// Makes every replacement of `pieces` in one pass (see GapBuffer::replaceEach); the
    /// inserted characters are `allInserted`, piece after piece.
    void replaceEach(const std::vector<SpreadPiece>& pieces, QStringView allInserted);
    /// Moves the room for edits (of the text and of its line index) at most `limit`
    /// characters toward `position`; true once an edit there has nothing left to move.
    bool prepareEditAt(qsizetype position, qsizetype limit) {
        const bool lines = lines_.prepareEditAt(position, limit);
        return text_.moveGapToward(position, limit) && lines;
    }
    /// Replaces the whole text.
    void setText(QStringView text);

    /// Loading in pieces: clear(expected size and line breaks), then append pieces, then
    /// finishLoading().
    void clear(qsizetype expectedSize = 0, qsizetype expectedBreaks = 0);
    void append(QStringView piece);
    /// Room for at least `count` characters after the last, for a loader to decode into in
    /// place; appended() takes in the first `count` of them ('\n' line breaks).
    char16_t* appendRoom(qsizetype count) { return text_.appendRoom(count); }
    void appended(qsizetype count);
    void finishLoading();

    qsizetype lineCount() const { return lines_.lineCount(); }
    /// Position of a line's first character; -1 past the last line.
    qsizetype lineStart(qsizetype line) const { return lines_.lineStart(line); }
    /// Position of a line's break (or of the end of the text for the last line).
    qsizetype lineEnd(qsizetype line) const;
    qsizetype lineLength(qsizetype line) const { return lineEnd(line) - lineStart(line); }
    /// The line holding a position.
    qsizetype lineOf(qsizetype position) const { return lines_.lineOf(position); }

    /// Bytes held by the text and its line index.
    qsizetype memoryBytes() const;

private:
    GapBuffer<char16_t> text_;
    LineIndex lines_;
};

} // namespace kelvane
