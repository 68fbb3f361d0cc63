// Lays out and paints a formatted text page by page onto any paint device (a printer, a PDF
// file, an image): one QTextLayout per paragraph, wrapped at the page rectangle's width.
#pragma once

#include "platform/text/RichText.h"

#include <QFont>
#include <QList>
#include <QTextLayout>

#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

namespace kelvane {

/// A rectangle in twips: left, top, right, bottom, as a printer's page-layout record holds it.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const TwipsRect&) const = default;
};

class PageFormatter {
public:
    /// `content` paragraphs are separated by '\n'; characters without a font of their own use
    /// `baseFont`; tab stops are `tabTwips` apart.
    PageFormatter(RichText content, const QFont& baseFont, double tabTwips);
    ~PageFormatter();
    PageFormatter(const PageFormatter&) = delete;
    PageFormatter& operator=(const PageFormatter&) = delete;

    /// Length of the text with each line break counted as two characters.
    qsizetype textLength() const { return crlfLength_; }

    /// Paints the lines that fit into `rc` (twips, relative to the device's origin), starting
    /// with the line that holds position `first` (line breaks counting two), and returns the
    /// position of the first character that did not fit, or textLength() when the rest of the
    /// text fitted. When not even one line fits, `first` itself comes back. Nothing outside
    /// `rcPage` is painted. Without a painter the page is measured only.
    qsizetype formatPage(QPainter* painter, QPaintDevice* device, const TwipsRect& rc,
                         const TwipsRect& rcPage, qsizetype first);

private:
    struct Layout;
    int paragraphOf(qsizetype crlfPosition) const;
    qsizetype paragraphStart(int paragraph) const { return starts_[size_t(paragraph)]; }
    qsizetype paragraphLength(int paragraph) const;
    qsizetype crlfStart(int paragraph) const { return starts_[size_t(paragraph)] + paragraph; }
    Layout& layoutOf(int paragraph, QPaintDevice* device, double widthPixels);
    QList<QTextLayout::FormatRange> formatsOf(int paragraph) const;

    RichText content_;
    QFont baseFont_;
    double tabTwips_;
    std::vector<qsizetype> starts_; ///< start of each paragraph in `content_.text`
    qsizetype crlfLength_ = 0;
    std::vector<QTextCharFormat> formats_; ///< printed format of each style
    std::unique_ptr<Layout> cached_;       ///< the paragraph the last page ended in
};

} // namespace kelvane
