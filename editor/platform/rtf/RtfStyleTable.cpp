// The table of distinct character styles a reader builds, capped at 256 entries.
#include "platform/rtf/RtfStyleTable.h"

#include <QHashFunctions>

#include <cmath>

namespace kelvane {

size_t qHash(const CharStyle& s, size_t seed) {
    const int flags = (s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0);
    return qHashMulti(seed, s.hasColour ? s.colour : 0xFFFFFFFFu,
                      s.hasBackground ? s.background : 0xFFFFFFFFu, flags, s.pointSize, s.fontName);
}

namespace rtf {

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

// The weights put the text colour first (the editor's colours are its syntax colouring),
// then the background, then bold, italic and underline, then font and size: a style that
// does not fit takes the style that looks most like it in that order.
double styleDistance(const CharStyle& a, const CharStyle& b) {
    double d = 4 * colourDistance(a.hasColour, a.colour, b.hasColour, b.colour);
    d += 2 * colourDistance(a.hasBackground, a.background, b.hasBackground, b.background);
    d += 20000.0 * ((a.bold != b.bold) + (a.italic != b.italic) + (a.underline != b.underline));
    d += a.fontName == b.fontName ? 0.0 : 10000.0;
    d += 1000.0 * std::min(10.0, double(std::fabs(a.pointSize - b.pointSize)));
    return d;
}

StyleTable::StyleTable(std::vector<CharStyle>& styles) : styles_(styles) {
    styles_.assign(1, CharStyle{});
    index_.insert(CharStyle{}, 0);
}

std::uint8_t StyleTable::indexOf(const CharStyle& style) {
    const auto found = index_.constFind(style);
    if (found != index_.cend())
        return *found;
    std::uint8_t index;
    if (styles_.size() < kMaxStyles) {
        index = std::uint8_t(styles_.size());
        styles_.push_back(style);
    } else {
        index = closest(style);
    }
    index_.insert(style, index);
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

} // namespace rtf
} // namespace kelvane
