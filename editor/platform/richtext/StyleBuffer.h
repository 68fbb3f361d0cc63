// One style index per character of a document, in a gap buffer so that edits near the
// caret cost little even in very large documents.
#pragma once

#include <QtGlobal>

#include <algorithm>
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
    /// Replaces every entry of the range by f(offset in the range, entry).
    template <typename F> void transform(qsizetype from, qsizetype count, F&& f) {
        qsizetype offset = 0;
        forPieces(from, count, [&](std::uint8_t* p, qsizetype n) {
            for (qsizetype i = 0; i < n; ++i)
                p[i] = f(offset + i, p[i]);
            offset += n;
        });
    }
    /// Copies entries of the range out.
    void read(qsizetype from, qsizetype count, std::uint8_t* out) const;
    std::vector<std::uint8_t> read(qsizetype from, qsizetype count) const;
    /// Makes the buffer `count` entries long, new entries `fill`.
    void resize(qsizetype count, std::uint8_t fill);
    /// Marks every index that occurs in the buffer.
    std::array<bool, 256> usedValues() const { return usedValues(0, size()); }
    /// Marks every index that occurs in a range.
    std::array<bool, 256> usedValues(qsizetype from, qsizetype count) const;

private:
    qsizetype gapLength() const { return gapEnd_ - gapStart_; }
    void moveGap(qsizetype position);
    void ensureGap(qsizetype needed);
    /// Calls f(pointer, count) for the one or two stored pieces of a logical range; never
    /// for an empty piece, so f may hand its pointer to memcpy and the like.
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f) {
        from = std::clamp<qsizetype>(from, 0, size());
        count = std::clamp<qsizetype>(count, 0, size() - from);
        const qsizetype end = from + count;
        if (count == 0)
            return;
        if (from < gapStart_) {
            const qsizetype firstEnd = std::min(end, gapStart_);
            f(buffer_.data() + from, firstEnd - from);
        }
        if (end > gapStart_) {
            const qsizetype start = std::max(from, gapStart_);
            f(buffer_.data() + start + gapLength(), end - start);
        }
    }
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f) const {
        const_cast<StyleBuffer*>(this)->forPieces(from, count, [&](std::uint8_t* p, qsizetype n) {
            f(static_cast<const std::uint8_t*>(p), n);
        });
    }

    std::vector<std::uint8_t> buffer_;
    qsizetype gapStart_ = 0;
    qsizetype gapEnd_ = 0;
};

} // namespace kelvane
