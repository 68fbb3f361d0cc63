// The document windows' arrangements as plain arithmetic.
#include "app/WindowArrangement.h"

#include <algorithm>

namespace kelvane {

namespace {

/// How many steps fit between a window of `size` and the far edges of `area` (at least 0).
int stepsOfRoom(QSize area, QSize size, int step) {
    if (step <= 0)
        return 0;
    return std::max(0, std::min(area.width() - size.width(), area.height() - size.height()) / step);
}

} // namespace

QRect newWindowPlace(QSize area, int step, int index) {
    const QSize room = area.expandedTo(QSize(400, 300));
    const QSize size(room.width() * 3 / 4, room.height() * 3 / 4);
    const int steps = std::max(1, stepsOfRoom(room, size, step));
    const int offset = (std::max(0, index) % (steps + 1)) * std::max(0, step);
    return QRect(QPoint(offset, offset), size);
}

std::vector<QRect> cascadePlaces(QRect area, int count, int step) {
    std::vector<QRect> places;
    if (count <= 0)
        return places;
    step = std::max(0, step);
    const int stepped = (count - 1) * step;
    const QSize size(std::max(area.width() / 2, area.width() - stepped),
                     std::max(area.height() / 2, area.height() - stepped));
    const int steps = stepsOfRoom(area.size(), size, step);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % (steps + 1)) * step;
        places.emplace_back(area.topLeft() + QPoint(offset, offset), size);
    }
    return places;
}

std::vector<QRect> tilePlaces(QRect area, int count, Qt::Orientation orientation) {
    std::vector<QRect> places;
    const bool stacked = orientation == Qt::Horizontal;
    const int length = stacked ? area.height() : area.width();
    for (int i = 0; i < count; ++i) {
        // Edges at i * length / count, so the sizes differ by at most one pixel and add up.
        const int from = int(qint64(length) * i / count);
        const int to = int(qint64(length) * (i + 1) / count);
        places.push_back(stacked ? QRect(area.left(), area.top() + from, area.width(), to - from)
                                 : QRect(area.left() + from, area.top(), to - from, area.height()));
    }
    return places;
}

std::vector<QPoint> iconPlaces(QRect area, const std::vector<QSize>& sizes) {
    std::vector<QPoint> places;
    int x = 0;
    int bottom = area.height(); // the bottom edge of the row being filled
    int rowHeight = 0;
    for (const QSize& size : sizes) {
        if (x > 0 && x + size.width() > area.width()) {
            bottom -= rowHeight; // the row is full: the next one stands on it
            x = 0;
            rowHeight = 0;
        }
        places.push_back(area.topLeft() + QPoint(x, bottom - size.height()));
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
    return places;
}

QRect placeOnScreens(QRect wanted, const std::vector<QRect>& screens, QRect primary) {
    const bool onScreen = std::any_of(screens.begin(), screens.end(), [&wanted](QRect screen) {
        return screen.intersects(wanted);
    });
    if (onScreen && wanted.width() >= 100 && wanted.height() >= 100)
        return wanted;
    // A place stored for a screen that is gone is brought back onto the screen.
    return QRect(primary.topLeft(),
                 wanted.size().boundedTo(primary.size()).expandedTo(QSize(400, 300)));
}

} // namespace kelvane
