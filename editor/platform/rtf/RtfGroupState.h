// What an RTF group carries while it is read: where its text goes and the character formatting
// it sets, saved when a group opens and given back when it closes.
#pragma once

#include <cstdint>

namespace kelvane::rtf {

/// Where the characters read in a group end up.
enum class Destination : std::uint8_t {
    Text,        ///< the document's text
    Skip,        ///< nowhere: a destination the reader does not know or keep
    FontTable,   ///< the name of a font table entry
    ColourTable, ///< nowhere: the colour table takes only its control words and semicolons
};

/// The state a group saves and its closing brace restores.
struct GroupState {
    Destination destination = Destination::Text;
    bool fresh = true; ///< nothing read in the group yet, so \* may still mark it
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int font = -1;       ///< RTF font number; -1 the document's default font
    int halfPoints = 0;  ///< 0: no size given
    int colour = -1;     ///< colour table indexes; -1 the automatic colour
    int background = -1; ///< \cb
    int pattern = -1;    ///< \chcbpat
    int highlight = 0;   ///< \highlight, 0 none
    int unicodeSkip = 1; ///< \uc: fallback characters after each \u

    /// \plain: the character formatting back to the document's defaults.
    void resetCharacter() {
        bold = italic = underline = false;
        font = colour = background = pattern = -1;
        halfPoints = highlight = 0;
    }
};

} // namespace kelvane::rtf
