// The style table of a text and the rule for a style that finds no room.
#include "platform/text/StyleTable.h"

#include <QHashFunctions>

#include <algorithm>
#include <cmath>

namespace kelvane {

size_t qHash(const CharStyle& s, size_t seed) {
    const int flags = (s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0);
    return qHashMulti(seed, s.hasColour ? s.colour : 0xFFFFFFFFu,
                      s.hasBackground ? s.background : 0xFFFFFFFFu, flags, s.pointSize, s.fontName);
}

namespace {

// Squared distance of two optional colours in RGB; "no colour" is as far from any colour
// as black is from white.
double colourDistance(bool hasA, WinColour a, bool hasB, WinColour b) {
    constexpr double kFar = 3.0 * 255 * 255;
    if (hasA != hasB)
        return kFar;
    if (!hasA)
        return 0;
    double sum = 0;
    for (int shift : {0, 8, 16}) {
        const double d = double((a >> shift) & 0xFF) - double((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

} // namespace

double styleDistance(const CharStyle& a, const CharStyle& b) {
    double d = 4 * colourDistance(a.hasColour, a.colour, b.hasColour, b.colour);
    d += 2 * colourDistance(a.hasBackground, a.background, b.hasBackground, b.background);
    d += 20000.0 * ((a.bold != b.bold) + (a.italic != b.italic) + (a.underline != b.underline));
    d += a.fontName == b.fontName ? 0.0 : 10000.0;
    d += 1000.0 * std::min(10.0, double(std::fabs(a.pointSize - b.pointSize)));
    return d;
}

StyleTable::StyleTable() {
    reset();
}

void StyleTable::reset() {
    styles_.assign(1, CharStyle{});
    index_.clear();
    index_.insert(CharStyle{}, 0);
    nearest_.clear();
    ++generation_;
}

void StyleTable::put(std::size_t index, const CharStyle& style) {
    if (index == styles_.size()) {
        styles_.push_back(style);
    } else {
        index_.remove(styles_[index]);
        styles_[index] = style;
    }
    index_.insert(style, std::uint8_t(index));
    nearest_.clear(); // a closer style may have come
    ++generation_;
}

std::uint8_t StyleTable::intern(const CharStyle& style, const UsedIndexes& usedIndexes) {
    if (const auto found = index_.constFind(style); found != index_.cend())
        return *found;
    if (styles_.size() < kMaxStyles) {
        put(styles_.size(), style);
        return std::uint8_t(styles_.size() - 1);
    }
    if (usedIndexes) {
        const std::array<bool, kMaxStyles> used = usedIndexes();
        for (std::size_t i = 1; i < styles_.size(); ++i) {
            if (!used[i]) {
                put(i, style);
                return std::uint8_t(i);
            }
        }
    }
    if (const auto found = nearest_.constFind(style); found != nearest_.cend())
        return *found;
    const std::uint8_t index = closest(style);
    nearest_.insert(style, index);
    return index;
}

std::uint8_t StyleTable::closest(const CharStyle& style) const {
    std::size_t best = 0;
    double bestDistance = styleDistance(style, styles_[0]);
    for (std::size_t i = 1; i < styles_.size(); ++i) {
        const double d = styleDistance(style, styles_[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return std::uint8_t(best);
}

} // namespace kelvane
