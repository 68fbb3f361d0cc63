// The text of a document: a UTF-16 gap buffer and its line index.
#include "platform/text/TextStore.h"

#include <cstring>

namespace kelvane {

QString TextStore::text(qsizetype from, qsizetype to) const {
    from = std::clamp<qsizetype>(from, 0, size());
    to = std::clamp<qsizetype>(to, from, size());
    QString out(to - from, Qt::Uninitialized);
    text_.read(from, to - from, reinterpret_cast<char16_t*>(out.data()));
    return out;
}

void TextStore::replace(qsizetype from, qsizetype removed, QStringView inserted) {
    from = std::clamp<qsizetype>(from, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - from);
    lines_.holdPositionsUpTo(size() - removed + inserted.size());
    lines_.replace(from, removed, inserted);
    text_.replace(from, removed, inserted.utf16(), inserted.size());
}

void TextStore::replaceEach(const std::vector<SpreadPiece>& pieces, QStringView allInserted) {
    if (pieces.empty())
        return;
    const qsizetype from = pieces.front().at;
    const qsizetype oldEnd = pieces.back().at + pieces.back().removed;
    const char16_t* inserted = allInserted.utf16();
    text_.replaceEach(pieces,
                      [inserted](std::size_t, qsizetype offset, char16_t* out, qsizetype count) {
                          if (count > 0)
                              std::memcpy(out, inserted + offset, size_t(count) * sizeof(char16_t));
                      });
    qsizetype removed = 0;
    for (const SpreadPiece& piece : pieces)
        removed += piece.removed;
    const qsizetype newEnd = oldEnd + allInserted.size() - removed;
    lines_.holdPositionsUpTo(size());
    // The spanned range is one run now (the gap is after the text): its lines are found again.
    lines_.replace(from, oldEnd - from,
                   QStringView(text_.contiguous(from, newEnd - from), newEnd - from));
}

void TextStore::setText(QStringView text) {
    clear(text.size());
    append(text);
    finishLoading();
}

void TextStore::clear(qsizetype expectedSize, qsizetype expectedBreaks) {
    expectedSize = std::max<qsizetype>(expectedSize, 0);
    text_.reset(expectedSize + GapBuffer<char16_t>::spareFor(expectedSize));
    lines_.clear(expectedBreaks);
}

void TextStore::append(QStringView piece) {
    lines_.appendBreaksOf(piece, size());
    text_.append(piece.utf16(), piece.size());
}

void TextStore::appended(qsizetype count) {
    const qsizetype at = size();
    lines_.appendBreaksOf(QStringView(text_.appendRoom(0), count), at);
    text_.appended(count);
}

void TextStore::finishLoading() {
    text_.shrink();
    lines_.shrink();
}

qsizetype TextStore::lineEnd(qsizetype line) const {
    if (line < 0 || line >= lineCount())
        return -1;
    return line + 1 < lineCount() ? lineStart(line + 1) - 1 : size();
}

qsizetype TextStore::memoryBytes() const {
    return text_.capacity() * qsizetype(sizeof(char16_t)) + lines_.memoryBytes();
}

} // namespace kelvane
