// The bands of the blue background gradient, from bright blue at the top to black at the bottom.
#pragma once

#include <vector>

namespace fastinst {

/// Number of entries of the blue palette (blue 0 to 221).
inline constexpr int kPaletteSize = 222;

/// Height of one gradient band; at least 1 even on screens under 222 pixels.
int GradientStep(int screenHeight);

struct GradientBand {
    int top;
    int bottom; ///< exclusive
    int index;  ///< palette entry, 0 to 221
};

/// The bands that cover the screen, top to bottom.
std::vector<GradientBand> GradientBands(int screenHeight);

} // namespace fastinst
