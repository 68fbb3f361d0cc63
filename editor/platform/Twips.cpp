// Twips conversion with the primary screen's logical DPI (96 when there is no screen).
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

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

} // namespace kelvane
