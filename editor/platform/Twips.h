// Twips (1/1440 inch), the unit of stored window geometry, converted at one place.
#pragma once

#include <QRect>

namespace kelvane {

/// Pixels for a length in twips at the screen's logical resolution.
int twipsToPixels(double twips);

/// Twips for a length in pixels at the screen's logical resolution.
double pixelsToTwips(int pixels);

/// A rectangle in twips by its corner and size (a page record, by its four edges, is a
/// different type).
struct TwipsBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const TwipsBox&) const = default;
};

/// A pixel rectangle in twips.
TwipsBox twipsBoxOf(const QRect& pixels);

/// The pixels of a rectangle in twips; both edges are converted, so rectangles that meet in
/// twips meet in pixels, and a negative size becomes empty.
QRect pixelBoxOf(const TwipsBox& twips);

} // namespace kelvane
