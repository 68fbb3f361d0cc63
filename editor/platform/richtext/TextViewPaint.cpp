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
        Piece& layout = piece(line, k);
        const qsizetype start = pieceStart(line, k);
        const qsizetype end = pieceEnd(line, k);
        QList<QTextLayout::FormatRange> selections;
        if (selStart < end && selEnd > start) {
            const int from = toLayoutOffset(layout, std::max(selStart, start) - start);
            const int to = toLayoutOffset(layout, std::min(selEnd, end) - start);
            selections.append({from, to - from, selected});
        }
        layout.layout.draw(&painter, origin, selections);
        const bool lastPiece = k + 1 == pieceCount(line);
        if (showCaret && position_ >= start &&
            (position_ < end || (lastPiece && position_ == end))) {
            const int composed = preedit_.isEmpty() ? 0 : preedit_.cursor();
            layout.layout.drawCursor(&painter, origin, int(position_ - start) + composed, 1);
        }
        // Where dragged text would land, shown while a drag hovers over the view.
        if (dropCaret_ >= start && (dropCaret_ < end || (lastPiece && dropCaret_ == end)))
            layout.layout.drawCursor(&painter, origin, toLayoutOffset(layout, dropCaret_ - start),
                                     2);
    };

    const TextStore& text = model_->text();
    qsizetype row = verticalScrollBar()->value();
    if (!wrapping()) {
        const qreal viewLeft = horizontalScrollBar()->value();
        const qreal viewRight = viewLeft + viewport()->width();
        int y = 0;
        for (qsizetype line = row; line < text.lineCount() && y < height; ++line, y += rowHeight_) {
            if (y + rowHeight_ <= area.top() || y >= area.bottom() + 1)
                continue;
            const qsizetype pieces = pieceCount(line);
            if (pieces == 1) {
                drawPiece(line, 0, QPointF(left, y));
                continue;
            }
            // Only the pieces of a long line that reach into the window are laid out; each
            // is drawn near the window's origin, so large offsets never reach the painter.
            qreal x = 0;
            for (qsizetype k = 0; k < pieces && x <= viewRight; ++k) {
                const qreal next = x + pieceWidth(line, k, knownWidths(line));
                if (next + kCaretRoom >= viewLeft) {
                    drawPiece(line, k, QPointF(x - viewLeft + kCaretRoom, y));
                    // Laying the piece out measured it: later pieces start where it ends.
                    x += pieceWidth(line, k, knownWidths(line));
                } else {
                    x = next;
                }
            }
        }
        return;
    }
    qsizetype rowInLine = 0;
    qsizetype line = rows_.lineOfRow(row, &rowInLine);
    int y = 0;
    while (line < text.lineCount() && y < height) {
        const qsizetype pieces = pieceCount(line);
        for (qsizetype k = pieceOfRow(line, rowInLine); k < pieces && y < height; ++k) {
            Piece& layout = piece(line, k);
            rowInLine = std::min<qsizetype>(rowInLine, layout.rows - 1);
            drawPiece(line, k, QPointF(left, y - rowInLine * rowHeight_));
            y += int(layout.rows - rowInLine) * rowHeight_;
            rowInLine = 0;
        }
        ++line;
        rowInLine = 0;
    }
}

} // namespace kelvane
