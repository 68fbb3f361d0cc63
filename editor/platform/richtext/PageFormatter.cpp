// Page layout of formatted text for printing: paragraphs laid out with QTextLayout at the
// page's own resolution, so the printed lines break where the width in twips says.
#include "platform/richtext/PageFormatter.h"

#include "platform/richtext/DisplayFormats.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextOption>

#include <algorithm>

namespace kelvane {

struct PageFormatter::Layout {
    int paragraph = -1;
    const QPaintDevice* device = nullptr;
    double width = 0;
    QTextLayout layout;
};

PageFormatter::PageFormatter(RichText content, const QFont& baseFont, double tabTwips)
    : content_(std::move(content)), baseFont_(baseFont), tabTwips_(tabTwips) {
    const QString& text = content_.text;
    starts_.push_back(0);
    for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0;
         i = text.indexOf(QLatin1Char('\n'), i + 1))
        starts_.push_back(i + 1);
    crlfLength_ = text.size() + qsizetype(starts_.size()) - 1;
    formats_.reserve(content_.styles.size());
    for (const CharStyle& style : content_.styles)
        formats_.push_back(overlayFormat(style));
}

PageFormatter::~PageFormatter() = default;

qsizetype PageFormatter::paragraphLength(int paragraph) const {
    const size_t next = size_t(paragraph) + 1;
    const qsizetype end = next < starts_.size() ? starts_[next] - 1 : content_.text.size();
    return end - starts_[size_t(paragraph)];
}

int PageFormatter::paragraphOf(qsizetype crlfPosition) const {
    // The last paragraph whose start (line breaks counting two) is not past the position.
    int low = 0;
    int high = int(starts_.size()) - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (crlfStart(mid) <= crlfPosition)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

QList<QTextLayout::FormatRange> PageFormatter::formatsOf(int paragraph) const {
    const qsizetype start = paragraphStart(paragraph);
    const auto& styleOf = content_.styleOfChar;
    return formatRanges(
        paragraphLength(paragraph),
        [&](qsizetype i) -> std::uint8_t {
            const qsizetype at = start + i;
            return at < qsizetype(styleOf.size()) ? styleOf[size_t(at)] : 0;
        },
        formats_);
}

PageFormatter::Layout& PageFormatter::layoutOf(int paragraph, QPaintDevice* device,
                                               double widthPixels) {
    if (cached_ && cached_->paragraph == paragraph && cached_->device == device &&
        cached_->width == widthPixels)
        return *cached_;
    cached_ = std::make_unique<Layout>();
    cached_->paragraph = paragraph;
    cached_->device = device;
    cached_->width = widthPixels;
    QTextLayout& layout = cached_->layout;
    layout.setText(content_.text.mid(paragraphStart(paragraph), paragraphLength(paragraph)));
    layout.setFont(QFont(baseFont_, device));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(tabTwips_ * device->logicalDpiX() / 1440.0);
    layout.setTextOption(option);
    layout.setFormats(formatsOf(paragraph));
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthPixels);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return *cached_;
}

qsizetype PageFormatter::formatPage(QPainter* painter, QPaintDevice* device, const TwipsRect& rc,
                                    const TwipsRect& rcPage, qsizetype first) {
    first = std::clamp<qsizetype>(first, 0, crlfLength_);
    if (first >= crlfLength_ && crlfLength_ > 0)
        return crlfLength_;
    const double scaleX = device->logicalDpiX() / 1440.0;
    const double scaleY = device->logicalDpiY() / 1440.0;
    const double width = rc.width() * scaleX;
    if (width <= 0)
        return first; // no room for a single character
    const double left = rc.left * scaleX;
    const double bottom = rc.bottom * scaleY;
    double y = rc.top * scaleY;

    if (painter) {
        painter->save();
        painter->setClipRect(QRectF(rcPage.left * scaleX, rcPage.top * scaleY,
                                    rcPage.width() * scaleX, rcPage.height() * scaleY));
        painter->setPen(Qt::black);
    }
    auto finish = [painter](qsizetype next) {
        if (painter)
            painter->restore();
        return next;
    };

    int paragraph = paragraphOf(first);
    qsizetype offset = std::min(first - crlfStart(paragraph), paragraphLength(paragraph));
    bool anyLine = false;
    for (; paragraph < int(starts_.size()); ++paragraph, offset = 0) {
        const QTextLayout& layout = layoutOf(paragraph, device, width).layout;
        int lineNumber = 0;
        if (offset > 0) {
            const QTextLine holding = layout.lineForTextPosition(int(offset));
            lineNumber = holding.isValid() ? holding.lineNumber() : 0;
        }
        for (; lineNumber < layout.lineCount(); ++lineNumber) {
            const QTextLine line = layout.lineAt(lineNumber);
            if (y + line.height() > bottom + 1e-6)
                return finish(anyLine ? crlfStart(paragraph) + line.textStart() : first);
            if (painter)
                line.draw(painter, QPointF(left, y - line.y()));
            y += line.height();
            anyLine = true;
        }
    }
    return finish(crlfLength_);
}

} // namespace kelvane
