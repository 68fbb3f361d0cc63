// The text of a document: a gap buffer of one or two bytes per character and its line index.
#include "platform/text/TextStore.h"

#include <cstring>

namespace kelvane {

qsizetype TextStore::read(qsizetype from, qsizetype to, char16_t* out) const {
    from = std::clamp<qsizetype>(from, 0, size());
    to = std::clamp<qsizetype>(to, from, size());
    if (wide_) {
        wideText_.read(from, to - from, out);
    } else {
        narrowText_.forPieces(from, to - from, [&out](const char* p, qsizetype n) {
            latin1::widen(p, n, out);
            out += n;
        });
    }
    return to - from;
}

QString TextStore::text(qsizetype from, qsizetype to) const {
    from = std::clamp<qsizetype>(from, 0, size());
    to = std::clamp<qsizetype>(to, from, size());
    QString out(to - from, Qt::Uninitialized);
    read(from, to, reinterpret_cast<char16_t*>(out.data()));
    return out;
}

void TextStore::widen() {
    if (wide_)
        return;
    // The room reserved stays as large: a loader that reserved it for the whole file still
    // fills it without growing.
    const qsizetype count = narrowText_.size();
    wideText_.reset(std::max(narrowText_.capacity(), count + GapBuffer<char16_t>::spareFor(count)));
    narrowText_.forPieces(0, count, [this](const char* p, qsizetype n) {
        latin1::widen(p, n, wideText_.appendRoom(n));
        wideText_.appended(n);
    });
    narrowText_.reset();
    wide_ = true;
}

void TextStore::replace(qsizetype from, qsizetype removed, QStringView inserted) {
    from = std::clamp<qsizetype>(from, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - from);
    if (!wide_ && !latin1::fits(inserted.utf16(), inserted.size()))
        widen();
    lines_.holdPositionsUpTo(size() - removed + inserted.size());
    lines_.replace(from, removed, inserted);
    if (wide_) {
        wideText_.replace(from, removed, inserted.utf16(), inserted.size());
        return;
    }
    narrowText_.replaceFilled(from, removed, inserted.size(), [inserted](char* out) {
        latin1::narrow(inserted.utf16(), inserted.size(), out);
    });
}

void TextStore::replaceEach(const std::vector<SpreadPiece>& pieces, QStringView allInserted) {
    if (pieces.empty())
        return;
    const qsizetype from = pieces.front().at;
    const qsizetype oldEnd = pieces.back().at + pieces.back().removed;
    const char16_t* inserted = allInserted.utf16();
    if (!wide_ && !latin1::fits(inserted, allInserted.size()))
        widen();
    if (wide_) {
        wideText_.replaceEach(
            pieces, [inserted](std::size_t, qsizetype offset, char16_t* out, qsizetype count) {
                if (count > 0)
                    std::memcpy(out, inserted + offset, size_t(count) * sizeof(char16_t));
            });
    } else {
        narrowText_.replaceEach(
            pieces, [inserted](std::size_t, qsizetype offset, char* out, qsizetype count) {
                latin1::narrow(inserted + offset, count, out);
            });
    }
    qsizetype removed = 0;
    for (const SpreadPiece& piece : pieces)
        removed += piece.removed;
    const qsizetype newEnd = oldEnd + allInserted.size() - removed;
    lines_.holdPositionsUpTo(size());
    // The spanned range is one run now (the gap is after the text): its lines are found again.
    const qsizetype spanned = newEnd - from;
    if (wide_)
        lines_.replace(from, oldEnd - from,
                       QStringView(wideText_.contiguous(from, spanned), spanned));
    else
        lines_.replace(from, oldEnd - from,
                       QLatin1StringView(narrowText_.contiguous(from, spanned), spanned));
}

void TextStore::setText(QStringView text) {
    clear(text.size());
    append(text);
    finishLoading();
}

void TextStore::clear(qsizetype expectedSize, qsizetype expectedBreaks) {
    expectedSize = std::max<qsizetype>(expectedSize, 0);
    wide_ = false;
    wideText_.reset();
    narrowText_.reset(expectedSize + GapBuffer<char>::spareFor(expectedSize));
    lines_.clear(expectedBreaks);
}

void TextStore::append(QStringView piece) {
    lines_.appendBreaksOf(piece, size());
    if (!wide_ && !latin1::fits(piece.utf16(), piece.size()))
        widen();
    if (wide_) {
        wideText_.append(piece.utf16(), piece.size());
        return;
    }
    latin1::narrow(piece.utf16(), piece.size(), narrowText_.appendRoom(piece.size()));
    narrowText_.appended(piece.size());
}

char16_t* TextStore::appendRoom(qsizetype count) {
    widen();
    return wideText_.appendRoom(count);
}

void TextStore::appended(qsizetype count) {
    const qsizetype at = size();
    if (wide_) {
        lines_.appendBreaksOf(QStringView(wideText_.appendRoom(0), count), at);
        wideText_.appended(count);
    } else {
        lines_.appendBreaksOf(QLatin1StringView(narrowText_.appendRoom(0), count), at);
        narrowText_.appended(count);
    }
}

void TextStore::finishLoading() {
    narrowText_.shrink();
    wideText_.shrink();
    lines_.shrink();
}

qsizetype TextStore::lineEnd(qsizetype line) const {
    if (line < 0 || line >= lineCount())
        return -1;
    return line + 1 < lineCount() ? lineStart(line + 1) - 1 : size();
}

qsizetype TextStore::memoryBytes() const {
    return narrowText_.capacity() + wideText_.capacity() * qsizetype(sizeof(char16_t)) +
           lines_.memoryBytes();
}

} // namespace kelvane
