// Painting the text view: the visible pieces with the selection, the caret and the drop caret.
#include "platform/richtext/TextView.h"

#include "platform/richtext/TextViewPiece.h"
#include "platform/text/TextModel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace kelvane {

void TextView::paintEvent(QPaintEvent* event) {
    if (!model_)
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.setPen(palette().color(QPalette::Text));
    const qsizetype selStart = selectionStart();
    const qsizetype selEnd = selectionEnd();
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    const bool showCaret = caretShown_ && hasFocus();
    const int left = kCaretRoom - horizontalScrollBar()->value();
    const int height = viewport()->height();

    auto drawPiece = [&](qsizetype line, qsizetype k, QPointF origin) {
        Piece& layout = layout_.piece(line, k);
        const qsizetype start = layout_.pieceStart(line, k);
        const qsizetype end = layout_.pieceEnd(line, k);
        QList<QTextLayout::FormatRange> selections;
        if (selStart < end && selEnd > start) {
            const int from = LayoutCache::toLayoutOffset(layout, std::max(selStart, start) - start);
            const int to = LayoutCache::toLayoutOffset(layout, std::min(selEnd, end) - start);
            selections.append({from, to - from, selected});
        }
        layout.layout.draw(&painter, origin, selections);
        const bool lastPiece = k + 1 == layout_.pieceCount(line);
        if (showCaret && position_ >= start &&
            (position_ < end || (lastPiece && position_ == end))) {
            const int composed = preedit_.isEmpty() ? 0 : preedit_.cursor();
            layout.layout.drawCursor(&painter, origin, int(position_ - start) + composed, 1);
        }
        // Where dragged text would land, shown while a drag hovers over the view.
        if (dropCaret_ >= start && (dropCaret_ < end || (lastPiece && dropCaret_ == end)))
            layout.layout.drawCursor(&painter, origin,
                                     LayoutCache::toLayoutOffset(layout, dropCaret_ - start), 2);
    };

    const TextStore& text = model_->text();
    qsizetype row = verticalScrollBar()->value();
    if (!wrapping()) {
        const qreal viewLeft = horizontalScrollBar()->value();
        const qreal viewRight = viewLeft + viewport()->width();
        int y = 0;
        for (qsizetype line = row; line < text.lineCount() && y < height;
             ++line, y += rowHeight()) {
            if (y + rowHeight() <= area.top() || y >= area.bottom() + 1)
                continue;
            const qsizetype pieces = layout_.pieceCount(line);
            if (pieces == 1) {
                drawPiece(line, 0, QPointF(left, y));
                continue;
            }
            // Only the pieces of a long line that reach into the window are laid out; each
            // is drawn near the window's origin, so large offsets never reach the painter.
            qreal x = 0;
            for (qsizetype k = 0; k < pieces && x <= viewRight; ++k) {
                const qreal next = x + layout_.pieceWidth(line, k);
                if (next + kCaretRoom >= viewLeft) {
                    drawPiece(line, k, QPointF(x - viewLeft + kCaretRoom, y));
                    // Laying the piece out measured it: later pieces start where it ends.
                    x += layout_.pieceWidth(line, k);
                } else {
                    x = next;
                }
            }
        }
        return;
    }
    qsizetype rowInLine = 0;
    qsizetype line = layout_.lineOfRow(row, &rowInLine);
    int y = 0;
    while (line < text.lineCount() && y < height) {
        const qsizetype pieces = layout_.pieceCount(line);
        for (qsizetype k = layout_.pieceOfRow(line, rowInLine); k < pieces && y < height; ++k) {
            Piece& layout = layout_.piece(line, k);
            rowInLine = std::min<qsizetype>(rowInLine, layout.rows - 1);
            drawPiece(line, k, QPointF(left, y - rowInLine * rowHeight()));
            y += int(layout.rows - rowInLine) * rowHeight();
            rowInLine = 0;
        }
        ++line;
        rowInLine = 0;
    }
}

} // namespace kelvane
