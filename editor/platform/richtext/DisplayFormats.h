// How character styles look on screen and on paper: Windows colours as display colours and
// each style as the text format it paints with.
#pragma once

#include "platform/text/RichText.h"
#include "platform/text/StyleRuns.h"

#include <QColor>
#include <QList>
#include <QTextCharFormat>
#include <QTextLayout>

#include <vector>

namespace kelvane {

class StyleTable;

/// The display colour of a Windows colour value; system colours (top bit set) map to the
/// palette roles they name.
QColor displayColour(WinColour colour);

/// The text format a style paints with on screen and on paper: only the attributes the style
/// sets explicitly (colours and font changes).
QTextCharFormat overlayFormat(const CharStyle& style);

/// The formats of the styles of one table, worked out again only when the table changed.
class StyleFormats {
public:
    const std::vector<QTextCharFormat>& of(const StyleTable& table) const;

private:
    mutable const StyleTable* table_ = nullptr;
    mutable quint64 generation_ = 0;
    mutable std::vector<QTextCharFormat> formats_;
};

/// One format range per run of characters of one style, for the `length` characters whose
/// style indexes `styleAt(i)` gives; runs whose style paints as plain text get none.
template <typename StyleAt>
QList<QTextLayout::FormatRange> formatRanges(qsizetype length, StyleAt&& styleAt,
                                             const std::vector<QTextCharFormat>& formats) {
    QList<QTextLayout::FormatRange> ranges;
    forEachStyleRun(length, styleAt, [&](qsizetype start, qsizetype end, auto styleIndex) {
        const auto style = std::size_t(styleIndex);
        if (style < formats.size() && !formats[style].properties().isEmpty())
            ranges.append({int(start), int(end - start), formats[style]});
    });
    return ranges;
}

} // namespace kelvane
