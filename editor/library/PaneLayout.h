// Where the lists inside the file-browser and cliptext panes go, in twips: plain arithmetic, and
// two helpers that apply it to widgets.
#pragma once

#include "platform/Twips.h"

class QWidget;

namespace kelvane {

/// A pane's inner (without border) and outer (with border) sizes.
struct PaneSizes {
    double innerWidth = 0;
    double innerHeight = 0;
    double outerWidth = 0;
    double outerHeight = 0;
};

/// The file-browser pane's three lists.
struct BrowserLists {
    TwipsBox drives;
    TwipsBox dirs;
    TwipsBox files;
};

/// Places the drive, folder and file lists in the file-browser pane: each keeps its left, the
/// drive list its top; the folder list takes four tenths of the pane's height, the file list
/// the rest.
BrowserLists layoutBrowserPane(const PaneSizes& pane, const BrowserLists& current);

/// The cliptext pane's two lists.
struct ClipLists {
    TwipsBox libraries; ///< lstClipFiles
    TwipsBox items;     ///< lstClip
};

/// Places the library list and the item list in the cliptext pane: both keep their left, the
/// library list its top and height; the item list takes the rest of the height.
ClipLists layoutClipPane(const PaneSizes& pane, const ClipLists& current);

/// A pane's sizes, in twips.
PaneSizes paneSizesOf(const QWidget& pane);

/// Moves a widget to a rectangle in twips and repaints it.
void placeInTwips(QWidget& widget, const TwipsBox& place);

} // namespace kelvane
