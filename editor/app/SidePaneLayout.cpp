// The main window's side-pane arithmetic in twips.
#include "app/SidePaneLayout.h"

#include <algorithm>

namespace kelvane {

namespace {
/// A list cannot be given a negative size; it then keeps no room at all.
double length(double value) {
    return std::max(0.0, value);
}
} // namespace

std::optional<double> squeezedPaneWidth(double mainWidth, double otherPaneWidth, double paneWidth) {
    if (mainWidth - otherPaneWidth - kSqueezeLimit < paneWidth)
        return length(mainWidth - otherPaneWidth - kSqueezeRoom);
    return std::nullopt;
}

} // namespace kelvane
