// The splitter control's arithmetic in twips: properties, pane choice, pane layout, the bar's
// drag limits and what a finished drag changes. No widgets here.
#pragma once

#include "platform/Twips.h"
#include "platform/text/RichText.h"

#include <QStringList>

#include <optional>

namespace kelvane {

/// Where the splitter's bar lies and how many panes it holds.
enum SplitterStyle : int {
    TwoPanes = 0,         ///< two panes, the bar between them
    SinglePaneLeft = 1,   ///< one pane, the bar along the left edge
    SinglePaneTop = 2,    ///< one pane, the bar along the top edge
    SinglePaneRight = 3,  ///< one pane, the bar along the right edge
    SinglePaneBottom = 4, ///< one pane, the bar along the bottom edge
};

/// The direction of the bar.
enum SplitterOrientationValue : int {
    HorizontalBar = 0, ///< panes above and below
    VerticalBar = 1,   ///< panes left and right
};

/// The system button-face colour, the surface's default.
inline constexpr WinColour kButtonFaceColour = 0x8000000Fu;

/// Every stored property of a splitter, lengths in twips.
struct SplitterProperties {
    WinColour BackColor = kButtonFaceColour;
    bool Enabled = true;
    int BorderStyle = 0;
    int Style = TwoPanes;
    int SplitterOrientation = HorizontalBar;
    int SplitterTop = 0;
    int SplitterLeft = 0;
    int SplitterHeight = 60;
    int SplitterWidth = 60;
    int MinHorizontalSize = 300;
    int MinVerticalSize = 300;

    bool operator==(const SplitterProperties&) const = default;

    /// The properties of a control newly placed on a window: the bar in the middle.
    static SplitterProperties defaults(int initialHalfWidth, int initialHalfHeight);
    bool vertical() const { return SplitterOrientation == VerticalBar; }
};

/// Which contained controls are the panes (indexes into the contained controls, -1 for none).
struct PaneChoice {
    int pane0 = -1;
    int pane1 = -1;
    bool operator==(const PaneChoice&) const = default;
};

/// Where LayoutPanes puts everything, in the control's own coordinates.
struct PaneLayout {
    std::optional<TwipsBox> pane0;
    std::optional<TwipsBox> pane1;
    TwipsBox grabArea; ///< also the outline's rectangle
    TwipsBox bar;      ///< the bar itself, where the drag indicator starts
};

/// What a write of SplitterOrientation meets.
enum class OrientationConflict {
    None,
    Horizontal, ///< a single pane beside a left or right bar cannot turn horizontal
    Vertical,   ///< a single pane beside a top or bottom bar cannot turn vertical
};

/// Where a drag happens: the control inside its parent window, in the parent's twips.
struct DragFrame {
    TwipsBox control;
    double parentWidth = 0;
    double parentHeight = 0;
};

/// What a finished drag leaves: the new properties and the control's new place in its parent.
struct DragResult {
    SplitterProperties properties;
    TwipsBox control;
};

/// The splitter's rules, each a function of its inputs.
class SplitterGeometry {
public:
    /// Extra width of the grab area on each side of the bar.
    static constexpr int kGrabMargin = 20;
    /// How close a right bar may come to the parent's right edge while dragging.
    static constexpr int kRightBarReserve = 240;
    /// How close a bottom bar may come to the parent's bottom edge while dragging.
    static constexpr int kBottomBarReserve = 480;

    /// Chooses the panes from the contained controls' tags, in collection order: tags
    /// "Pane0" and "Pane1" first (the last one of a tag wins), then the untagged ones.
    static PaneChoice choosePanes(const QStringList& tags);

    /// Lays the panes and the bar out in a control of width w and height h. Edge styles fix
    /// the bar's position, which is written back into the properties.
    static PaneLayout layoutPanes(SplitterProperties& properties, double w, double h,
                                  const PaneChoice& panes);

    /// Writing Style: the style's orientation, then the bar kept inside the control.
    static void applyStyle(SplitterProperties& properties, int style, double w, double h);

    /// Whether the style allows the orientation.
    static OrientationConflict orientationConflict(int style, int orientation);

    /// The message shown for a rejected orientation.
    static QString conflictMessage(OrientationConflict conflict);

    /// The minimum distance that limits a drag of the bar.
    static int dragMinimum(const SplitterProperties& properties);

    /// The bar's position when a drag starts, along the drag axis: in the control for two
    /// panes, in the parent for one pane.
    static double dragStart(const SplitterProperties& properties, const DragFrame& frame);

    /// The indicator's position for the mouse at `mouse` (control coordinates along the drag
    /// axis) after a mouse-down at `mouseDown`, within the style's limits.
    static double dragPosition(const SplitterProperties& properties, const DragFrame& frame,
                               double mouse, double mouseDown);

    /// What releasing the bar with the indicator at `indicator` changes.
    static DragResult mouseUp(const SplitterProperties& properties, const DragFrame& frame,
                              double indicator);
};

} // namespace kelvane
