// Text with per-character formatting: what the RTF reader produces and the writer consumes.
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace kelvane {

/// A Windows colour value 0x00BBGGRR (red in the low byte).
using WinColour = quint32;

/// The system window-text colour: text painted with it shows the control's own text colour.
inline constexpr WinColour kWindowTextColour = 0x80000008u;

/// Formatting of one character. The default-constructed style is plain text in the
/// control's own font, size and colours.
struct CharStyle {
    bool hasColour = false;
    WinColour colour = 0; ///< used when hasColour
    bool hasBackground = false;
    WinColour background = 0; ///< used when hasBackground
    bool bold = false;
    bool italic = false;
    bool underline = false;
    float pointSize = 0; ///< 0: the control's default size
    QString fontName;    ///< empty: the control's default font

    bool operator==(const CharStyle&) const = default;
};

/// Plain text plus one style index per character. Paragraphs are separated by '\n'
/// (the line break itself is one character here and carries a style like any other).
struct RichText {
    QString text;
    std::vector<CharStyle> styles{CharStyle{}}; ///< styles[0] is the plain style; at most 256
    std::vector<std::uint8_t> styleOfChar;      ///< same length as text
};

} // namespace kelvane
