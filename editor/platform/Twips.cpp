// Twips conversion with the primary screen's logical DPI (96 when there is no screen).
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {
double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}
} // namespace

int twipsToPixels(double twips) {
    return int(std::lround(twips * logicalDpi() / 1440.0));
}

double pixelsToTwips(int pixels) {
    return pixels * 1440.0 / logicalDpi();
}

TwipsBox twipsBoxOf(const QRect& pixels) {
    return {pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()), pixelsToTwips(pixels.width()),
            pixelsToTwips(pixels.height())};
}

QRect pixelBoxOf(const TwipsBox& twips) {
    const int left = twipsToPixels(twips.left);
    const int top = twipsToPixels(twips.top);
    return {left, top, std::max(0, twipsToPixels(twips.right()) - left),
            std::max(0, twipsToPixels(twips.bottom()) - top)};
}

} // namespace kelvane
