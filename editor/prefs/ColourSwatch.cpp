// A colour swatch of the Options dialog.
#include "prefs/ColourSwatch.h"

#include "platform/richtext/DisplayFormats.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kelvane {

ColourSwatch::ColourSwatch(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    // Reachable from the keyboard too: Space or Enter opens the colour dialog.
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(64, 22);
    setBackColor(0);
}

void ColourSwatch::setBackColor(WinColour colour) {
    colour_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Window, displayColour(colour));
    setPalette(p);
    update();
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void ColourSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace kelvane
