// Gap buffer of per-character style indexes.
#include "platform/richtext/StyleBuffer.h"

#include <algorithm>
#include <cstring>

namespace kelvane {

namespace {

// memcpy and memset may not be handed a null pointer even for no bytes, and an empty
// vector's data() is null.
void copyBytes(std::uint8_t* to, const std::uint8_t* from, qsizetype count) {
    if (count > 0)
        std::memcpy(to, from, size_t(count));
}

void setBytes(std::uint8_t* to, std::uint8_t value, qsizetype count) {
    if (count > 0)
        std::memset(to, value, size_t(count));
}

} // namespace

void StyleBuffer::moveGap(qsizetype position) {
    if (position < gapStart_) {
        const qsizetype moved = gapStart_ - position;
        std::memmove(buffer_.data() + gapEnd_ - moved, buffer_.data() + position, size_t(moved));
        gapStart_ -= moved;
        gapEnd_ -= moved;
    } else if (position > gapStart_) {
        const qsizetype moved = position - gapStart_;
        std::memmove(buffer_.data() + gapStart_, buffer_.data() + gapEnd_, size_t(moved));
        gapStart_ += moved;
        gapEnd_ += moved;
    }
}

void StyleBuffer::ensureGap(qsizetype needed) {
    if (gapLength() >= needed)
        return;
    const qsizetype logical = size();
    const qsizetype newGap = std::max<qsizetype>({needed, logical / 8, 4096});
    std::vector<std::uint8_t> grown(size_t(logical + newGap));
    copyBytes(grown.data(), buffer_.data(), gapStart_);
    const qsizetype tail = qsizetype(buffer_.size()) - gapEnd_;
    copyBytes(grown.data() + gapStart_ + newGap, buffer_.data() + gapEnd_, tail);
    buffer_.swap(grown);
    gapEnd_ = gapStart_ + newGap;
}

void StyleBuffer::replace(qsizetype from, qsizetype removed, qsizetype added, std::uint8_t fill) {
    from = std::clamp<qsizetype>(from, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - from);
    added = std::max<qsizetype>(added, 0);
    moveGap(from);
    gapEnd_ += removed;
    ensureGap(added);
    setBytes(buffer_.data() + gapStart_, fill, added);
    gapStart_ += added;
}

void StyleBuffer::fill(qsizetype from, qsizetype count, std::uint8_t value) {
    forPieces(from, count,
              [value](std::uint8_t* p, qsizetype n) { std::memset(p, value, size_t(n)); });
}

void StyleBuffer::write(qsizetype from, const std::uint8_t* values, qsizetype count) {
    forPieces(from, count, [&values](std::uint8_t* p, qsizetype n) {
        std::memcpy(p, values, size_t(n));
        values += n;
    });
}

void StyleBuffer::map(qsizetype from, qsizetype count, const Lut& lut) {
    forPieces(from, count, [&lut](std::uint8_t* p, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i)
            p[i] = lut[p[i]];
    });
}

void StyleBuffer::read(qsizetype from, qsizetype count, std::uint8_t* out) const {
    forPieces(from, count, [&out](const std::uint8_t* p, qsizetype n) {
        std::memcpy(out, p, size_t(n));
        out += n;
    });
}

std::vector<std::uint8_t> StyleBuffer::read(qsizetype from, qsizetype count) const {
    from = std::clamp<qsizetype>(from, 0, size());
    count = std::clamp<qsizetype>(count, 0, size() - from);
    std::vector<std::uint8_t> out(static_cast<size_t>(count));
    read(from, count, out.data());
    return out;
}

void StyleBuffer::resize(qsizetype count, std::uint8_t fill) {
    const qsizetype current = size();
    if (count > current)
        replace(current, 0, count - current, fill);
    else if (count < current)
        replace(count, current - count, 0, fill);
}

std::array<bool, 256> StyleBuffer::usedValues(qsizetype from, qsizetype count) const {
    std::array<bool, 256> used{};
    forPieces(from, count, [&used](const std::uint8_t* p, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i)
            used[p[i]] = true;
    });
    return used;
}

} // namespace kelvane
