// The characters of a document with the starts of its lines. While every character is in
// U+0000-U+00FF (ASCII and Latin-1: most source files) they are held one byte each; the first
// character beyond arriving widens the store to UTF-16 for the rest of its life (until it is
// cleared for new text). Line breaks are stored as one '\n'; positions here are such document
// positions.
#pragma once

#include "platform/TextEncoding.h"
#include "platform/text/GapBuffer.h"
#include "platform/text/LineIndex.h"
#include "platform/text/SpreadPiece.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace kelvane {

class TextStore {
public:
    qsizetype size() const { return wide_ ? wideText_.size() : narrowText_.size(); }
    QChar at(qsizetype position) const {
        return wide_ ? QChar(wideText_.at(position))
                     : QChar(char16_t(static_cast<unsigned char>(narrowText_.at(position))));
    }
    /// Whether the text is held one byte per character.
    bool isNarrow() const { return !wide_; }
    /// The characters of [from, to), clamped to the text.
    QString text(qsizetype from, qsizetype to) const;
    QString text() const { return text(0, size()); }
    /// Copies the characters of [from, to), clamped to the text, to `out`; returns how many.
    qsizetype read(qsizetype from, qsizetype to, char16_t* out) const;

    /// Characters converted per piece when the text is held one byte each.
    static constexpr qsizetype kPieceBlock = 8192;
    /// Calls f(QStringView) for consecutive pieces of [from, to), in order, never for an empty
    /// one. A view is valid during its call only: text held one byte per character is handed
    /// over a block at a time, converted into a buffer that the next piece reuses.
    template <typename F> void forPieces(qsizetype from, qsizetype to, F&& f) const {
        if (wide_) {
            wideText_.forPieces(from, to - from,
                                [&f](const char16_t* p, qsizetype n) { f(QStringView(p, n)); });
            return;
        }
        char16_t block[kPieceBlock];
        narrowText_.forPieces(from, to - from, [&](const char* p, qsizetype n) {
            for (qsizetype at = 0; at < n; at += kPieceBlock) {
                const qsizetype count = std::min(kPieceBlock, n - at);
                latin1::widen(p + at, count, block);
                f(QStringView(block, count));
            }
        });
    }

    /// Calls f(QStringView) with [from, to), clamped to the text, as one view and returns what
    /// f returns; the view is valid during the call only. Text held in UTF-16 is read in place
    /// (the room for edits is moved out of the range); text held one byte per character is
    /// converted into a copy made for the call and dropped after it.
    template <typename F> decltype(auto) withView(qsizetype from, qsizetype to, F&& f) {
        from = std::clamp<qsizetype>(from, 0, size());
        to = std::clamp<qsizetype>(to, from, size());
        if (wide_)
            return f(QStringView(wideText_.contiguous(from, to - from), to - from));
        const QString copy = text(from, to);
        return f(QStringView(copy));
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
        const bool text = wide_ ? wideText_.moveGapToward(position, limit)
                                : narrowText_.moveGapToward(position, limit);
        return text && lines;
    }
    /// Replaces the whole text.
    void setText(QStringView text);

    /// Loading in pieces: clear(expected size and line breaks), then append pieces, then
    /// finishLoading(). A cleared store holds its text one byte per character again.
    void clear(qsizetype expectedSize = 0, qsizetype expectedBreaks = 0);
    void append(QStringView piece);
    /// Room for at least `count` characters after the last, for a loader to decode into in
    /// place; appended() takes in the first `count` of them ('\n' line breaks). The store holds
    /// UTF-16 from then on.
    char16_t* appendRoom(qsizetype count);
    /// The same, one byte per character (U+0000-U+00FF only); null once the store holds UTF-16.
    char* appendNarrowRoom(qsizetype count) {
        return wide_ ? nullptr : narrowText_.appendRoom(count);
    }
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
    /// Takes the text over into UTF-16, once: a character beyond U+00FF is about to arrive.
    void widen();

    bool wide_ = false;
    GapBuffer<char> narrowText_;
    GapBuffer<char16_t> wideText_;
    LineIndex lines_;
};

} // namespace kelvane
