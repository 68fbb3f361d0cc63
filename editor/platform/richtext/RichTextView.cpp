// The text view of RichTextBox.
#include "platform/richtext/RichTextView.h"

#include "platform/richtext/StyleOverlay.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace kelvane {

int vbKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return qtKey & 0xFFFF;
    }
}

int vbShiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

RichTextView::RichTextView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
}

void RichTextView::setWrapWidth(int pixels) {
    wrapPixels_ = pixels;
    setLineWrapMode(pixels > 0 ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    applyWrapMargin();
}

void RichTextView::applyWrapMargin() {
    // Setting the margins resizes the viewport, which comes back here: guard against that.
    if (applyingMargin_)
        return;
    applyingMargin_ = true;
    const QMargins current = viewportMargins();
    const int available = viewport()->width() + current.right();
    const int right = wrapPixels_ > 0 ? std::max(0, available - wrapPixels_) : 0;
    if (right != current.right())
        setViewportMargins(0, 0, right, 0);
    applyingMargin_ = false;
}

void RichTextView::refreshVisibleFormats() {
    if (!overlay_)
        return;
    const QPointF offset = contentOffset();
    overlay_->refreshBlocks(firstVisibleBlock(), viewport()->height(),
                            [&](const QTextBlock& block) {
                                return blockBoundingGeometry(block).translated(offset).top();
                            });
}

bool RichTextView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Paint)
        refreshVisibleFormats();
    return QPlainTextEdit::viewportEvent(event);
}

void RichTextView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    applyWrapMargin();
}

void RichTextView::keyPressEvent(QKeyEvent* event) {
    int keyCode = vbKeyCode(event->key());
    if (onKeyDown)
        onKeyDown(keyCode, vbShiftState(event->modifiers()));
    if (keyCode == 0) { // the handler consumed the key
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void RichTextView::keyReleaseEvent(QKeyEvent* event) {
    int keyCode = vbKeyCode(event->key());
    if (onKeyUp)
        onKeyUp(keyCode, vbShiftState(event->modifiers()));
    QPlainTextEdit::keyReleaseEvent(event);
}

void RichTextView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    int button = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        button = 1;
        break;
    case Qt::RightButton:
        button = 2;
        break;
    case Qt::MiddleButton:
        button = 4;
        break;
    default:
        break;
    }
    if (onMouseUp && button)
        onMouseUp(button, vbShiftState(event->modifiers()), event->globalPosition().toPoint());
}

void RichTextView::contextMenuEvent(QContextMenuEvent* event) {
    // The document window shows its own menu on the right button's release.
    event->accept();
}

} // namespace kelvane
