// The distinct character styles of one text (at most 256), each with a one-byte index: the
// table of a document's characters and the one the RTF reader builds.
#pragma once

#include "platform/text/RichText.h"

#include <QHash>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kelvane {

/// How different two styles look; 0 when they are equal. The text colour weighs most (the
/// editor's colours are its syntax colouring), then the background, then bold, italic and
/// underline, then font and size.
double styleDistance(const CharStyle& a, const CharStyle& b);

/// Hash of a style, for style tables.
size_t qHash(const CharStyle& style, size_t seed = 0);

class StyleTable {
public:
    static constexpr std::size_t kMaxStyles = 256;
    /// Which indexes characters still use; an index not used may be given to a new style.
    using UsedIndexes = std::function<std::array<bool, kMaxStyles>()>;

    StyleTable();

    /// Index of a style, added when new. When all 256 places are taken, an index no character
    /// uses any more (as `usedIndexes` tells) takes the style; if none is free, the index of
    /// the closest existing style (styleDistance) is returned.
    std::uint8_t intern(const CharStyle& style, const UsedIndexes& usedIndexes = {});

    const CharStyle& at(std::uint8_t index) const { return styles_[index]; }
    std::size_t count() const { return styles_.size(); }
    const std::vector<CharStyle>& styles() const { return styles_; }
    /// Changes whenever an index gets another style, so that what is derived from the styles
    /// (the formats the view paints with) knows when to be worked out again.
    quint64 generation() const { return generation_; }

    /// Forgets every style but the plain one (index 0).
    void reset();

private:
    void put(std::size_t index, const CharStyle& style);
    std::uint8_t closest(const CharStyle& style) const;

    std::vector<CharStyle> styles_;
    QHash<CharStyle, std::uint8_t> index_;   ///< the index of each style in the table
    QHash<CharStyle, std::uint8_t> nearest_; ///< styles that found no room, and where they went
    quint64 generation_ = 0;
};

} // namespace kelvane
