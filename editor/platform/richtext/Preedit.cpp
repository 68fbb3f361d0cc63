// The composition of an input method and its formats inside a piece of text.
#include "platform/richtext/Preedit.h"

#include <QTextCharFormat>

namespace kelvane {

void Preedit::set(const QString& text, const QList<QInputMethodEvent::Attribute>& attributes) {
    text_ = text;
    formats_.clear();
    cursor_ = int(text_.size());
    for (const QInputMethodEvent::Attribute& attribute : attributes) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            cursor_ = attribute.start;
        } else if (attribute.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = attribute.value.value<QTextFormat>().toCharFormat();
            if (format.isValid())
                formats_.append({attribute.start, attribute.length, format});
        }
    }
    if (!text_.isEmpty() && formats_.isEmpty()) {
        QTextCharFormat underlined;
        underlined.setFontUnderline(true);
        formats_.append({0, int(text_.size()), underlined});
    }
}

void Preedit::clear() {
    text_.clear();
    formats_.clear();
    cursor_ = 0;
}

QList<QTextLayout::FormatRange> Preedit::withFormats(const QList<QTextLayout::FormatRange>& ranges,
                                                     int at) const {
    const int length = int(text_.size());
    QList<QTextLayout::FormatRange> shifted;
    for (const QTextLayout::FormatRange& range : ranges) {
        const int rangeEnd = range.start + range.length;
        if (rangeEnd <= at) {
            shifted.append(range);
        } else if (range.start >= at) {
            shifted.append({range.start + length, range.length, range.format});
        } else {
            shifted.append({range.start, at - range.start, range.format});
            shifted.append({at + length, rangeEnd - at, range.format});
        }
    }
    for (const QTextLayout::FormatRange& range : formats_)
        shifted.append({at + range.start, range.length, range.format});
    return shifted;
}

} // namespace kelvane
