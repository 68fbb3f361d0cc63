// The text view's geometry over its layout cache: the caret's rectangle, the position under a
// point, and scrolling the caret into view.
#include "platform/richtext/TextView.h"

#include "platform/richtext/TextViewPiece.h"
#include "platform/text/TextModel.h"

#include <QScrollBar>

namespace kelvane {

QRect TextView::caretRect() {
    return rectAt(position_);
}

QRect TextView::rectAt(qsizetype position) {
    const Spot spot = layout_.spotOf(position);
    const qsizetype row = layout_.rowOfSpot(spot);
    const qsizetype top = (row - verticalScrollBar()->value()) * rowHeight();
    const int x = int(spot.x) - horizontalScrollBar()->value() + kCaretRoom;
    return QRect(x, int(top), 1, rowHeight());
}

qsizetype TextView::positionAt(QPoint point) {
    const qsizetype row =
        verticalScrollBar()->value() + (point.y() >= 0 ? point.y() / rowHeight() : -1);
    if (row < 0)
        return 0;
    if (row >= rowCount())
        return model_->size();
    return layout_.positionOnRow(row,
                                 qreal(point.x() + horizontalScrollBar()->value() - kCaretRoom));
}

void TextView::ensureCaretVisible() {
    const int visibleRows = std::max(1, viewport()->height() / rowHeight());
    const qsizetype row = rowOf(position_);
    QScrollBar* vertical = verticalScrollBar();
    updateScrollBars();
    if (row < vertical->value())
        vertical->setValue(int(row));
    else if (row >= vertical->value() + visibleRows)
        vertical->setValue(int(row - visibleRows + 1));
    const int x = int(layout_.spotOf(position_).x);
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width() - 2 * kCaretRoom;
    if (x < horizontal->value())
        horizontal->setValue(std::max(0, x - width / 4));
    else if (x > horizontal->value() + width)
        horizontal->setValue(x - width + width / 4);
}

} // namespace kelvane
