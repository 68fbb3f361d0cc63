// The distinct character styles of one document (at most 256), each with its display format.
#pragma once

#include "platform/rtf/RichText.h"

#include <QColor>
#include <QTextCharFormat>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kelvane {

/// The display colour of a Windows colour value; system colours (top bit set) map to the
/// palette roles they name.
QColor displayColour(WinColour colour);

/// The text format a style paints with on screen and on paper: its colours and font changes.
QTextCharFormat overlayFormat(const CharStyle& style);

class StyleTable {
public:
    StyleTable();

    /// Index of a style, added when new. When all 256 places are taken, styles no character
    /// uses any more are dropped first (usedIndexes tells which are in use); if none is free,
    /// the nearest existing style is returned (same colour preferred).
    std::uint8_t intern(const CharStyle& style,
                        const std::function<std::array<bool, 256>()>& usedIndexes);

    const CharStyle& at(std::uint8_t index) const { return styles_[index]; }
    std::size_t count() const { return styles_.size(); }
    const std::vector<CharStyle>& styles() const { return styles_; }

    /// The overlay format of a style: only the attributes the style sets explicitly.
    const QTextCharFormat& format(std::uint8_t index) const { return formats_[index]; }

    /// Forgets every style but the plain one.
    void reset();

private:
    void add(const CharStyle& style);
    std::vector<CharStyle> styles_;
    std::vector<QTextCharFormat> formats_;
};

} // namespace kelvane
