// The main window's side-pane arithmetic in twips: how far a pane may grow beside the document
// area, and where the lists inside the file-browser and cliptext panes go.
#pragma once

#include "splitter/SplitterGeometry.h"

#include <optional>

namespace kelvane {

/// Room the document area keeps between the side panes: a pane that would leave less than
/// kSqueezeLimit is cut back to leave kSqueezeRoom.
inline constexpr int kSqueezeLimit = 400;
inline constexpr int kSqueezeRoom = 600;

/// The width a side pane must take so that the document area is not squeezed, or nothing when
/// it may keep `paneWidth` (the other pane counts with `otherPaneWidth`, 0 when hidden).
std::optional<double> squeezedPaneWidth(double mainWidth, double otherPaneWidth, double paneWidth);

/// A pane's inner (without border) and outer (with border) sizes.
struct PaneSizes {
    double innerWidth = 0;
    double innerHeight = 0;
    double outerWidth = 0;
    double outerHeight = 0;
};

/// The file-browser pane's three lists.
struct BrowserLists {
    TwipsRect drives;
    TwipsRect dirs;
    TwipsRect files;
};

/// Places the drive, folder and file lists in the file-browser pane: each keeps its left, the
/// drive list its top; the folder list takes four tenths of the pane's height, the file list
/// the rest.
BrowserLists layoutBrowserPane(const PaneSizes& pane, const BrowserLists& current);

/// The cliptext pane's two lists.
struct ClipLists {
    TwipsRect libraries; ///< lstClipFiles
    TwipsRect items;     ///< lstClip
};

/// Places the library list and the item list in the cliptext pane: both keep their left, the
/// library list its top and height; the item list takes the rest of the height.
ClipLists layoutClipPane(const PaneSizes& pane, const ClipLists& current);

} // namespace kelvane
