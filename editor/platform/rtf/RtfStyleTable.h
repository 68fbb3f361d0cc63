// The table of distinct character styles a reader builds, capped at 256 entries.
#pragma once

#include "platform/rtf/RichText.h"

#include <QHash>

#include <cstdint>
#include <vector>

namespace kelvane::rtf {

/// Hands out one index per distinct style into a table that starts with the plain style.
/// Once 256 styles exist, a new style takes the index of the closest existing one.
class StyleTable {
public:
    /// Starts the table in styles, which is cleared to hold just the plain style.
    explicit StyleTable(std::vector<CharStyle>& styles);

    /// The index of the style, adding it while there is room.
    std::uint8_t indexOf(const CharStyle& style);

    static constexpr std::size_t kMaxStyles = 256;

private:
    std::uint8_t closest(const CharStyle& style) const;

    std::vector<CharStyle>& styles_;
    QHash<CharStyle, std::uint8_t> index_; // every style seen, including mapped ones
};

/// How different two styles look; 0 when they are equal.
double styleDistance(const CharStyle& a, const CharStyle& b);

} // namespace kelvane::rtf

namespace kelvane {
/// Hash of a style, for style tables.
size_t qHash(const CharStyle& style, size_t seed = 0);
} // namespace kelvane
