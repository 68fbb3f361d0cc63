// Font and colour tables of a document being read, and the styles of its groups.
#include "platform/rtf/RtfDocumentTables.h"

#include "platform/rtf/RtfCodePages.h"

#include <algorithm>
#include <array>

namespace kelvane::rtf {

namespace {

constexpr std::size_t kMaxColours = 1 << 16; // colour table entries kept

constexpr WinColour rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

// The sixteen highlight colours of \highlightN (index 0 is "no highlight").
constexpr std::array<WinColour, 17> kHighlightColours = {
    0,
    rgb(0, 0, 0),
    rgb(0, 0, 255),
    rgb(0, 255, 255),
    rgb(0, 255, 0),
    rgb(255, 0, 255),
    rgb(255, 0, 0),
    rgb(255, 255, 0),
    rgb(255, 255, 255),
    rgb(0, 0, 128),
    rgb(0, 128, 128),
    rgb(0, 128, 0),
    rgb(128, 0, 128),
    rgb(128, 0, 0),
    rgb(128, 128, 0),
    rgb(128, 128, 128),
    rgb(192, 192, 192),
};

} // namespace

void DocumentTables::beginFont(int number) {
    endFont();
    fontOpen_ = true;
    codePageGiven_ = false;
    fontNumber_ = number;
    entry_ = Font{};
}

void DocumentTables::endFont() {
    if (!fontOpen_)
        return;
    fontOpen_ = false;
    entry_.name = entry_.name.trimmed();
    fonts_.insert(fontNumber_, entry_);
    entry_ = Font{};
}

void DocumentTables::setFontCharset(int charset) {
    if (!codePageGiven_)
        entry_.codePage = codePageOfCharset(charset);
}

void DocumentTables::setFontCodePage(int codePage) {
    entry_.codePage = std::max(0, codePage);
    codePageGiven_ = true;
}

void DocumentTables::beginColours() {
    colours_.clear();
    componentGiven_ = false;
    std::fill(std::begin(components_), std::end(components_), 0u);
}

void DocumentTables::setColourComponent(int component, int value) {
    components_[std::clamp(component, 0, 2)] = unsigned(std::clamp(value, 0, 255));
    componentGiven_ = true;
}

void DocumentTables::endColour() {
    if (colours_.size() < kMaxColours)
        colours_.push_back(componentGiven_
                               ? Colour{false, rgb(components_[0], components_[1], components_[2])}
                               : Colour{});
    componentGiven_ = false;
    std::fill(std::begin(components_), std::end(components_), 0u);
}

int DocumentTables::codePageOf(int font) const {
    const auto it = fonts_.constFind(font < 0 ? defaultFont_ : font);
    return it != fonts_.cend() ? it->codePage : 0;
}

bool DocumentTables::colourAt(int index, WinColour& out) const {
    if (index < 0 || std::size_t(index) >= colours_.size() || colours_[size_t(index)].automatic)
        return false;
    out = colours_[size_t(index)].value;
    return true;
}

CharStyle DocumentTables::styleOf(const GroupState& state, const WriteOptions* defaults) const {
    CharStyle s;
    s.hasColour = colourAt(state.colour, s.colour);
    if (state.highlight >= 1 && std::size_t(state.highlight) < kHighlightColours.size()) {
        s.hasBackground = true;
        s.background = kHighlightColours[std::size_t(state.highlight)];
    } else {
        s.hasBackground =
            colourAt(state.pattern, s.background) || colourAt(state.background, s.background);
    }
    s.bold = state.bold;
    s.italic = state.italic;
    s.underline = state.underline;
    s.pointSize = float(state.halfPoints) / 2;
    // The document's default font stands for the control's own font.
    const int font = state.font < 0 ? defaultFont_ : state.font;
    if (font != defaultFont_) {
        const auto it = fonts_.constFind(font);
        if (it != fonts_.cend())
            s.fontName = it->name;
    }
    if (defaults) {
        if (s.fontName == defaults->defaultFont)
            s.fontName.clear();
        if (s.pointSize == effectiveStyle(CharStyle{}, *defaults).pointSize)
            s.pointSize = 0;
    }
    return s;
}

} // namespace kelvane::rtf
