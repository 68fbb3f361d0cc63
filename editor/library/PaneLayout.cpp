// Where the lists inside the side panes go.
#include "library/PaneLayout.h"

#include <QWidget>

#include <algorithm>

namespace kelvane {

namespace {
/// A list cannot be given a negative size; it then keeps no room at all.
double length(double value) {
    return std::max(0.0, value);
}
} // namespace

BrowserLists layoutBrowserPane(const PaneSizes& pane, const BrowserLists& current) {
    BrowserLists placed = current;
    placed.drives.width = length(pane.innerWidth - current.drives.left);

    placed.dirs.left = current.drives.left;
    placed.dirs.top = current.drives.top + current.drives.height + 60;
    placed.dirs.width = length(pane.innerWidth - current.drives.left);
    placed.dirs.height = length(0.4 * pane.outerHeight);

    placed.files.top = placed.dirs.top + placed.dirs.height + 60;
    placed.files.width = length(pane.outerWidth - current.files.left);
    placed.files.height = length(pane.innerHeight - placed.files.top - 60);
    return placed;
}

ClipLists layoutClipPane(const PaneSizes& pane, const ClipLists& current) {
    ClipLists placed = current;
    placed.libraries.width = length(pane.innerWidth - 60);
    placed.items.top = current.libraries.top + current.libraries.height + 60;
    placed.items.width = length(pane.outerWidth - 60);
    placed.items.height = length(pane.innerHeight - placed.items.top - 60);
    return placed;
}

PaneSizes paneSizesOf(const QWidget& pane) {
    const QRect inner = pane.contentsRect();
    return {pixelsToTwips(inner.width()), pixelsToTwips(inner.height()),
            pixelsToTwips(pane.width()), pixelsToTwips(pane.height())};
}

void placeInTwips(QWidget& widget, const TwipsBox& place) {
    // A widget whose geometry changes repaints itself; asking again would only add paints.
    widget.setGeometry(pixelBoxOf(place));
}

} // namespace kelvane
