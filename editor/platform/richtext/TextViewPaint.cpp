// Painting the text view: the visible pieces with the selection, the caret and the drop caret;
// and which rows a change repaints, so that a typed key repaints its line, not the window.
#include "platform/richtext/TextView.h"

#include "platform/richtext/TextViewPiece.h"
#include "platform/text/TextModel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace kelvane {

void TextView::updateRows(qsizetype firstRow, qsizetype endRow) {
    const qsizetype top = verticalScrollBar()->value();
    const qsizetype visible = viewport()->height() / rowHeight() + 1;
    const qsizetype from = std::max<qsizetype>(firstRow - top, 0);
    const qsizetype to = std::min<qsizetype>(endRow - top, visible);
    if (from < to)
        viewport()->update(0, int(from) * rowHeight(), viewport()->width(),
                           int(to - from) * rowHeight());
}

void TextView::updateLines(qsizetype first, qsizetype last) {
    updateRows(layout_.rowOfLine(first), layout_.rowOfLine(last + 1));
}

void TextView::updateChangedLines(const LayoutCache::LineChange& change) {
    const qsizetype firstRow = layout_.rowOfLine(change.first);
    const qsizetype below = rowCount() + 1; // past the last row: to the window's bottom
    if (change.lines != change.oldLines) {
        updateRows(firstRow, below);
        return;
    }
    if (wrapping()) {
        const qsizetype top = verticalScrollBar()->value();
        if (firstRow < top) {
            viewport()->update(); // the rows above the window may have changed
            return;
        }
        if (firstRow > top + viewport()->height() / rowHeight())
            return; // below the window
        // The changed lines are laid out now, as painting them would, to learn whether they
        // wrap into as many rows as before; long lines are not, and repaint what follows.
        if (change.lines > 64) {
            updateRows(firstRow, below);
            return;
        }
        for (qsizetype line = change.first; line < change.first + change.lines; ++line) {
            if (layout_.pieceCount(line) > 1) {
                updateRows(firstRow, below);
                return;
            }
            layout_.piece(line, 0);
        }
        if (layout_.rowOfLine(change.first + change.lines) - firstRow != change.oldRows) {
            updateRows(firstRow, below);
            return;
        }
    }
    updateLines(change.first, change.first + change.lines - 1);
}

void TextView::updateSelection(qsizetype oldAnchor, qsizetype oldPosition) {
    const TextStore& text = model_->text();
    auto between = [&](qsizetype a, qsizetype b) {
        updateLines(text.lineOf(std::min(a, b)), text.lineOf(std::max(a, b)));
    };
    between(oldPosition, oldPosition);
    between(position_, position_);
    const qsizetype oldStart = std::min(oldAnchor, oldPosition);
    const qsizetype oldEnd = std::max(oldAnchor, oldPosition);
    if (oldStart == oldEnd && !hasSelection())
        return;
    // The highlight changes only between where each end of the selection was and is.
    if (oldStart != selectionStart())
        between(oldStart, selectionStart());
    if (oldEnd != selectionEnd())
        between(oldEnd, selectionEnd());
}

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
            const int bottom = y + int(layout.rows - rowInLine) * rowHeight();
            // Only the pieces that reach into the area to paint are drawn.
            if (bottom > area.top() && y <= area.bottom())
                drawPiece(line, k, QPointF(left, y - rowInLine * rowHeight()));
            y = bottom;
            rowInLine = 0;
        }
        ++line;
        rowInLine = 0;
    }
}

} // namespace kelvane
