// The text view's mouse: placing the caret, selecting by dragging and by double click, pasting
// with the middle button, and the button numbers the document window hears.
#include "platform/richtext/TextView.h"

#include "platform/TextLines.h"
#include "platform/richtext/KeyCodes.h"
#include "platform/richtext/TextDrag.h"
#include "platform/text/TextBoundaries.h"
#include "platform/text/TextModel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMouseEvent>

namespace kelvane {

void TextView::mousePressEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mousePressEvent(event);
    endComposing();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !readOnly_) {
        // X11 habit: the middle button pastes the text selected last, where it is pressed.
        const QString selected = toLfLineBreaks(clipboard->text(QClipboard::Selection));
        setCaret(positionAt(event->position().toPoint()));
        if (!selected.isEmpty())
            insertText(selected);
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QPoint point = event->position().toPoint();
    const qsizetype at = positionAt(point);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (!shift && textdrag::pressOnSelection(at, rectAt(at).x(), point.x(), selectionStart(),
                                             selectionEnd())) {
        // A press on the selection may start dragging it; the caret waits for the release.
        pressOnSelection_ = true;
        pressPoint_ = point;
        pressPosition_ = at;
        event->accept();
        return;
    }
    if (shift)
        setSelection(anchor_, at);
    else
        setCaret(at);
    dragging_ = true;
    event->accept();
}

void TextView::mouseMoveEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mouseMoveEvent(event);
    if (pressOnSelection_ && (event->buttons() & Qt::LeftButton)) {
        if (textdrag::dragDistanceReached(pressPoint_, event->position().toPoint(),
                                          QApplication::startDragDistance())) {
            pressOnSelection_ = false;
            startDrag();
        }
        return;
    }
    if (!dragging_ || !(event->buttons() & Qt::LeftButton))
        return;
    setSelection(anchor_, positionAt(event->position().toPoint()));
    ensureCaretVisible();
}

void TextView::mouseReleaseEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    if (pressOnSelection_ && event->button() == Qt::LeftButton)
        setCaret(pressPosition_); // a click on the selection that dragged nothing
    pressOnSelection_ = false;
    if (dragging_ && event->button() == Qt::LeftButton)
        publishSelection();
    dragging_ = false;
    const int button = vbButton(event->button());
    if (onMouseUp && button)
        onMouseUp(button, vbShiftState(event->modifiers()), event->globalPosition().toPoint());
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        selectWordAt(positionAt(event->position().toPoint()));
        publishSelection();
    }
    event->accept();
}

void TextView::contextMenuEvent(QContextMenuEvent* event) {
    // The document window shows its own menu on the right button's release.
    event->accept();
}

void TextView::selectWordAt(qsizetype position) {
    const TextStore& text = model_->text();
    const auto [start, end] = boundaries::wordAt(text, position);
    if (start == end)
        setSelection(position, boundaries::nextCharacter(text, position));
    else
        setSelection(start, end);
}

} // namespace kelvane
