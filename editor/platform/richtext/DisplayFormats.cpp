// Display colours and formats of character styles.
#include "platform/richtext/DisplayFormats.h"

#include "platform/text/StyleTable.h"

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

const std::vector<QTextCharFormat>& StyleFormats::of(const StyleTable& table) const {
    if (table_ != &table || generation_ != table.generation() || formats_.size() != table.count()) {
        table_ = &table;
        generation_ = table.generation();
        formats_.clear();
        formats_.reserve(table.count());
        for (const CharStyle& style : table.styles())
            formats_.push_back(overlayFormat(style));
    }
    return formats_;
}

} // namespace kelvane
