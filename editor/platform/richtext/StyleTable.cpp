// The style table of a document and the overlay formats it hands to the view.
#include "platform/richtext/StyleTable.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

namespace kelvane {

QColor displayColour(WinColour colour) {
    if (colour & 0x80000000u) {
        const QPalette palette = QApplication::palette();
        switch (colour & 0xFF) {
        case 5:
            return palette.color(QPalette::Base); // window background
        case 13:
            return palette.color(QPalette::Highlight); // selected items
        case 14:
            return palette.color(QPalette::HighlightedText); // selected text
        case 15:
            return palette.color(QPalette::Button); // button face
        case 17:
            return palette.color(QPalette::PlaceholderText); // grey text
        case 18:
            return palette.color(QPalette::ButtonText); // button text
        default:
            return palette.color(QPalette::Text); // window text and the rest
        }
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QTextCharFormat overlayFormat(const CharStyle& style) {
    QTextCharFormat format;
    // The window-text colour is the view's own text colour (black on paper): no explicit
    // foreground.
    if (style.hasColour && style.colour != kWindowTextColour)
        format.setForeground(displayColour(style.colour));
    if (style.hasBackground)
        format.setBackground(displayColour(style.background));
    if (style.bold)
        format.setFontWeight(QFont::Bold);
    if (style.italic)
        format.setFontItalic(true);
    if (style.underline)
        format.setFontUnderline(true);
    if (style.pointSize > 0)
        format.setFontPointSize(style.pointSize);
    if (!style.fontName.isEmpty())
        format.setFontFamilies({style.fontName});
    return format;
}

namespace {

int distance(const CharStyle& a, const CharStyle& b) {
    int d = 0;
    if (a.hasColour != b.hasColour)
        d += 9; // a coloured character should stay coloured, if in another colour
    else if (a.colour != b.colour)
        d += 8;
    if (a.hasBackground != b.hasBackground || a.background != b.background)
        d += 4;
    d += (a.bold != b.bold) + (a.italic != b.italic) + (a.underline != b.underline);
    d += (a.pointSize != b.pointSize) + (a.fontName != b.fontName);
    return d;
}

} // namespace

StyleTable::StyleTable() {
    reset();
}

void StyleTable::reset() {
    styles_.clear();
    formats_.clear();
    add(CharStyle{});
}

void StyleTable::add(const CharStyle& style) {
    styles_.push_back(style);
    formats_.push_back(overlayFormat(style));
}

std::uint8_t StyleTable::intern(const CharStyle& style,
                                const std::function<std::array<bool, 256>()>& usedIndexes) {
    for (std::size_t i = 0; i < styles_.size(); ++i)
        if (styles_[i] == style)
            return std::uint8_t(i);
    if (styles_.size() < 256) {
        add(style);
        return std::uint8_t(styles_.size() - 1);
    }
    if (usedIndexes) {
        const std::array<bool, 256> used = usedIndexes();
        for (std::size_t i = 1; i < styles_.size(); ++i) {
            if (!used[i]) {
                styles_[i] = style;
                formats_[i] = overlayFormat(style);
                return std::uint8_t(i);
            }
        }
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < styles_.size(); ++i)
        if (distance(styles_[i], style) < distance(styles_[best], style))
            best = i;
    return std::uint8_t(best);
}

} // namespace kelvane
