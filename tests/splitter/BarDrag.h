// Drags a splitter's bar with mouse events on its grab area, as the window system sends them.
#pragma once

#include "splitter/Splitter.h"

#include <QApplication>
#include <QMouseEvent>

namespace kelvane {

/// Sends one mouse event to a widget, as the window system would during a drag.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

/// Presses on the middle of the bar's grab area and moves by (dx, dy) pixels, button held.
inline void dragBar(Splitter& splitter, int dx, int dy) {
    QWidget* grab = splitter.imgSplitter;
    const QPoint from = grab->rect().center();
    sendMouse(grab, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(grab, QEvent::MouseMove, from + QPoint(dx / 2, dy / 2), Qt::NoButton, Qt::LeftButton);
    sendMouse(grab, QEvent::MouseMove, from + QPoint(dx, dy), Qt::NoButton, Qt::LeftButton);
}

/// Releases the button (dx, dy) pixels from where dragBar pressed it.
inline void releaseBar(Splitter& splitter, int dx, int dy) {
    QWidget* grab = splitter.imgSplitter;
    sendMouse(grab, QEvent::MouseButtonRelease, grab->rect().center() + QPoint(dx, dy),
              Qt::LeftButton, Qt::NoButton);
}

} // namespace kelvane
