// Gap buffer of per-character style indexes.
#include "platform/text/StyleBuffer.h"

#include <algorithm>
#include <cstring>

namespace kelvane {

void StyleBuffer::fill(qsizetype from, qsizetype count, std::uint8_t value) {
    buffer_.forPieces(from, count,
                      [value](std::uint8_t* p, qsizetype n) { std::memset(p, value, size_t(n)); });
}

void StyleBuffer::write(qsizetype from, const std::uint8_t* values, qsizetype count) {
    buffer_.forPieces(from, count, [&values](std::uint8_t* p, qsizetype n) {
        std::memcpy(p, values, size_t(n));
        values += n;
    });
}

void StyleBuffer::map(qsizetype from, qsizetype count, const Lut& lut) {
    buffer_.forPieces(from, count, [&lut](std::uint8_t* p, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i)
            p[i] = lut[p[i]];
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

void StyleBuffer::reset(qsizetype count, std::uint8_t fill) {
    count = std::max<qsizetype>(count, 0);
    const qsizetype capacity = count + GapBuffer<std::uint8_t>::spareFor(count);
    if (fill == 0) {
        // Colouring overwrites most of it: zeroed pages are not written twice.
        buffer_.resetZeroed(count, capacity);
        return;
    }
    buffer_.reset(capacity);
    buffer_.replaceWith(0, 0, count, fill);
}

std::array<bool, 256> StyleBuffer::usedValues(qsizetype from, qsizetype count) const {
    std::array<bool, 256> used{};
    buffer_.forPieces(from, count,
                      [&used](const std::uint8_t* p, qsizetype n) { markUsedValues(used, p, n); });
    return used;
}

void markUsedValues(std::array<bool, 256>& used, const std::uint8_t* values, qsizetype count) {
    // Runs of one value are passed over a block at a time: a long document is mostly runs.
    constexpr qsizetype kRunBlock = 32;
    for (qsizetype i = 0; i < count;) {
        const std::uint8_t value = values[i++];
        used[value] = true;
        while (count - i >= kRunBlock) {
            unsigned differs = 0;
            for (qsizetype k = 0; k < kRunBlock; ++k)
                differs |= unsigned(values[i + k] ^ value);
            if (differs != 0)
                break;
            i += kRunBlock;
        }
        while (i < count && values[i] == value)
            ++i;
    }
}

} // namespace kelvane
