// The font and colour tables of an RTF document being read, built entry by entry as the markup
// gives them, and the style a group's character formatting stands for with them.
#pragma once

#include "platform/rtf/RtfCodec.h"
#include "platform/rtf/RtfGroupState.h"

#include <QHash>
#include <QString>

#include <vector>

namespace kelvane::rtf {

class DocumentTables {
public:
    // --- the font table ---

    /// \fonttbl: entries follow; one left open before is dropped.
    void beginFontTable() { fontOpen_ = false; }
    /// Starts the entry of font `number`, ending the one still open.
    void beginFont(int number);
    /// Ends the open font entry, if any: it now names the font.
    void endFont();
    bool fontOpen() const { return fontOpen_; }
    /// Appends a character to the open entry's name.
    void appendToFontName(QChar c) { entry_.name.append(c); }
    /// \fcharsetN of the open entry; a code page given with \cpg wins.
    void setFontCharset(int charset);
    /// \cpgN of the open entry.
    void setFontCodePage(int codePage);
    /// \deffN: the font that stands for the control's own.
    void setDefaultFont(int font) { defaultFont_ = font; }

    // --- the colour table ---

    /// Starts the table afresh (a document has one).
    void beginColours();
    /// \red, \green or \blue of the entry being read (0 red, 1 green, 2 blue).
    void setColourComponent(int component, int value);
    /// The semicolon that ends an entry; an entry without components is the automatic colour.
    void endColour();

    /// The code page of the text in `font` (-1: the document's default font), 0 when the font
    /// does not name one; while a font entry is open, that entry's own.
    int codePageOf(int font) const;
    int openFontCodePage() const { return entry_.codePage; }

    /// The style a group's character formatting stands for. With `defaults`, a font or size
    /// equal to them reads as the control's own (no font name, size 0).
    CharStyle styleOf(const GroupState& state, const WriteOptions* defaults) const;

private:
    struct Font {
        QString name;
        int codePage = 0; ///< 0: the document's code page
    };
    struct Colour {
        bool automatic = true;
        WinColour value = 0;
    };
    bool colourAt(int index, WinColour& out) const;

    int defaultFont_ = 0;
    QHash<int, Font> fonts_;
    bool fontOpen_ = false;
    bool codePageGiven_ = false; ///< the open entry had a \cpg
    int fontNumber_ = 0;
    Font entry_;

    std::vector<Colour> colours_;
    bool componentGiven_ = false;
    unsigned components_[3] = {0, 0, 0};
};

} // namespace kelvane::rtf
