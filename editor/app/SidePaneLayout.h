// The main window's side-pane arithmetic in twips: how far a pane may grow beside the document
// area.
#pragma once

#include <optional>

namespace kelvane {

/// Room the document area keeps between the side panes: a pane that would leave less than
/// kSqueezeLimit is cut back to leave kSqueezeRoom.
inline constexpr int kSqueezeLimit = 400;
inline constexpr int kSqueezeRoom = 600;

/// The width a side pane must take so that the document area is not squeezed, or nothing when
/// it may keep `paneWidth` (the other pane counts with `otherPaneWidth`, 0 when hidden).
std::optional<double> squeezedPaneWidth(double mainWidth, double otherPaneWidth, double paneWidth);

} // namespace kelvane
