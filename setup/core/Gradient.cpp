// The bands of the blue background gradient, from bright blue at the top to black at the bottom.
#include "Gradient.h"

#include <algorithm>
#include <cmath>

namespace fastinst {

int GradientStep(int screenHeight) {
    return std::max(1, screenHeight / kPaletteSize);
}

std::vector<GradientBand> GradientBands(int screenHeight) {
    std::vector<GradientBand> bands;
    if (screenHeight <= 0) {
        return bands;
    }
    const int step = GradientStep(screenHeight);
    int y = 0;
    do {
        y += step;
        const double share = static_cast<double>(screenHeight - y) / screenHeight;
        const int index =
            std::clamp(static_cast<int>(std::lround(share * kPaletteSize)), 0, kPaletteSize - 1);
        // The first band reaches up to the top edge so no row is left unpainted.
        const int top = bands.empty() ? std::min(0, y - 2) : y - 2;
        bands.push_back({top, y + step - 2, index});
    } while (y < screenHeight + 2);
    return bands;
}

} // namespace fastinst
