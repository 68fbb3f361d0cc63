// One style index per character of a document, in a gap buffer so that edits near the
// caret cost little even in very large documents.
#pragma once

#include "platform/text/GapBuffer.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvane {

class StyleBuffer {
public:
    using Lut = std::array<std::uint8_t, 256>;

    qsizetype size() const { return buffer_.size(); }
    std::uint8_t at(qsizetype index) const { return buffer_.at(index); }
    /// Bytes held, for memory figures.
    qsizetype memoryBytes() const { return buffer_.capacity(); }
    /// See GapBuffer::moveGapToward.
    bool moveGapToward(qsizetype position, qsizetype limit) {
        return buffer_.moveGapToward(position, limit);
    }

    /// Replaces `removed` entries at `from` by `added` entries of `fill`.
    void replace(qsizetype from, qsizetype removed, qsizetype added, std::uint8_t fill) {
        buffer_.replaceWith(from, removed, added, fill);
    }
    /// Several replacements in one pass (GapBuffer::replaceEach); the entries of piece i take
    /// fills[i].
    template <typename Pieces>
    void replaceEach(const Pieces& pieces, const std::vector<std::uint8_t>& fills) {
        buffer_.replaceEach(pieces,
                            [&fills](std::size_t i, qsizetype, std::uint8_t* out, qsizetype count) {
                                std::fill_n(out, count, fills[i]);
                            });
    }
    /// Sets `count` entries from `from` to `value`.
    void fill(qsizetype from, qsizetype count, std::uint8_t value);
    /// Sets entries from `from` to the given values.
    void write(qsizetype from, const std::uint8_t* values, qsizetype count);
    /// Passes every entry of the range through a lookup table.
    void map(qsizetype from, qsizetype count, const Lut& lut);
    /// Calls f(entries, offset in the range, count) for the one or two stored pieces of the
    /// range, whose entries f may change in place.
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f) {
        qsizetype offset = 0;
        buffer_.forPieces(from, count, [&](std::uint8_t* p, qsizetype n) {
            f(p, offset, n);
            offset += n;
        });
    }
    /// As above, the entries read only.
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f) const {
        qsizetype offset = 0;
        buffer_.forPieces(from, count, [&](const std::uint8_t* p, qsizetype n) {
            f(p, offset, n);
            offset += n;
        });
    }
    /// The entries of the range where they are held in one piece, else an empty span: a reader
    /// of a long document takes them in place instead of copying them out.
    std::span<const std::uint8_t> inPlace(qsizetype from, qsizetype count) const {
        std::span<const std::uint8_t> whole;
        forPieces(from, count, [&](const std::uint8_t* p, qsizetype, qsizetype n) {
            if (n == count)
                whole = std::span(p, std::size_t(n));
        });
        return whole;
    }
    /// Replaces every entry of the range by f(offset in the range, entry).
    template <typename F> void transform(qsizetype from, qsizetype count, F&& f) {
        forPieces(from, count, [&f](std::uint8_t* p, qsizetype offset, qsizetype n) {
            for (qsizetype i = 0; i < n; ++i)
                p[i] = f(offset + i, p[i]);
        });
    }
    /// Copies entries of the range out.
    void read(qsizetype from, qsizetype count, std::uint8_t* out) const {
        buffer_.read(from, count, out);
    }
    std::vector<std::uint8_t> read(qsizetype from, qsizetype count) const;
    /// Makes the buffer `count` entries long, new entries `fill`.
    void resize(qsizetype count, std::uint8_t fill);
    /// Holds `count` entries of `fill` and nothing else, with room for an edit of a typical
    /// size, so the first key after loading does not copy the whole buffer.
    void reset(qsizetype count, std::uint8_t fill);
    /// Marks every index that occurs in the buffer.
    std::array<bool, 256> usedValues() const { return usedValues(0, size()); }
    /// Marks every index that occurs in a range.
    std::array<bool, 256> usedValues(qsizetype from, qsizetype count) const;

private:
    GapBuffer<std::uint8_t> buffer_;
};

/// Marks in `used` every value of `values[0, count)`.
void markUsedValues(std::array<bool, 256>& used, const std::uint8_t* values, qsizetype count);

} // namespace kelvane
