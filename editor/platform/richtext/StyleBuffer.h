// One style index per character of a document, in a gap buffer so that edits near the
// caret cost little even in very large documents.
#pragma once

#include <QtGlobal>

#include <array>
#include <cstdint>
#include <vector>

namespace kelvane {

class StyleBuffer {
public:
    using Lut = std::array<std::uint8_t, 256>;

    qsizetype size() const { return qsizetype(buffer_.size()) - gapLength(); }
    std::uint8_t at(qsizetype index) const {
        return index < gapStart_ ? buffer_[size_t(index)] : buffer_[size_t(index + gapLength())];
    }

    /// Replaces `removed` entries at `from` by `added` entries of `fill`.
    void replace(qsizetype from, qsizetype removed, qsizetype added, std::uint8_t fill);
    /// Sets `count` entries from `from` to `value`.
    void fill(qsizetype from, qsizetype count, std::uint8_t value);
    /// Sets entries from `from` to the given values.
    void write(qsizetype from, const std::uint8_t* values, qsizetype count);
    /// Passes every entry of the range through a lookup table.
    void map(qsizetype from, qsizetype count, const Lut& lut);
    /// Copies entries of the range out.
    void read(qsizetype from, qsizetype count, std::uint8_t* out) const;
    std::vector<std::uint8_t> read(qsizetype from, qsizetype count) const;
    /// Makes the buffer `count` entries long, new entries `fill`.
    void resize(qsizetype count, std::uint8_t fill);
    /// Marks every index that occurs in the buffer.
    std::array<bool, 256> usedValues() const;

private:
    qsizetype gapLength() const { return gapEnd_ - gapStart_; }
    void moveGap(qsizetype position);
    void ensureGap(qsizetype needed);
    /// Calls f(pointer, count) for the one or two stored pieces of a logical range.
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f);
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f) const;

    std::vector<std::uint8_t> buffer_;
    qsizetype gapStart_ = 0;
    qsizetype gapEnd_ = 0;
};

} // namespace kelvane
