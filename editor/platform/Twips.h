// Twips (1/1440 inch), the unit of stored window geometry, converted at one place.
#pragma once

namespace kelvane {

/// Pixels for a length in twips at the screen's logical resolution.
int twipsToPixels(double twips);

/// Twips for a length in pixels at the screen's logical resolution.
double pixelsToTwips(int pixels);

} // namespace kelvane
