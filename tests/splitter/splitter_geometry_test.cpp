// The splitter's arithmetic without widgets: pane choice, LayoutPanes for every style, the
// Style write, the drag limits and what a released drag changes.
#include "splitter/SplitterGeometry.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

namespace kelvane {

void PrintTo(const TwipsBox& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

// --- pane choice ---

struct PaneChoiceRow {
    const char* name;
    QStringList tags;
    PaneChoice expected;
};

class PaneChoiceTable : public testing::TestWithParam<PaneChoiceRow> {};

TEST_P(PaneChoiceTable, ChoosesPanesByTagThenByOrder) {
    const PaneChoice choice = SplitterGeometry::choosePanes(GetParam().tags);
    EXPECT_EQ(choice.pane0, GetParam().expected.pane0);
    EXPECT_EQ(choice.pane1, GetParam().expected.pane1);
}

INSTANTIATE_TEST_SUITE_P(
    Splitter, PaneChoiceTable,
    testing::Values(PaneChoiceRow{"NoControls", {}, {-1, -1}},
                    PaneChoiceRow{"OneUntagged", {""}, {0, -1}},
                    PaneChoiceRow{"TwoUntaggedInOrder", {"", ""}, {0, 1}},
                    PaneChoiceRow{"TagsSwapTheTwo", {"Pane1", "Pane0"}, {1, 0}},
                    PaneChoiceRow{"TaggedPane0TakesTheMiddle", {"", "Pane0", ""}, {1, 0}},
                    PaneChoiceRow{
                        "TaggedPane1LeavesTheFirstUntaggedAsPane0", {"Pane1", "", ""}, {1, 0}},
                    PaneChoiceRow{"LastOfTwoPane0TagsWins", {"Pane0", "Pane0"}, {1, -1}},
                    PaneChoiceRow{"OnlyAPane1TagLeavesNoPane0", {"Pane1"}, {-1, 0}},
                    PaneChoiceRow{"OtherTagsCountAsUntagged", {"x", "pane0", "y"}, {0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- LayoutPanes ---

struct LayoutRow {
    const char* name;
    int style;
    int orientation;
    TwipsBox pane0;
    std::optional<TwipsBox> pane1;
    TwipsBox grabArea;
    int barLeft; ///< SplitterLeft after the layout
    int barTop;  ///< SplitterTop after the layout
};

class LayoutPanesTable : public testing::TestWithParam<LayoutRow> {};

// A control 3000 x 2000 twips holding two controls, bar at left 1000 / top 800, 60 thick.
TEST_P(LayoutPanesTable, PlacesPanesAndBar) {
    const LayoutRow& row = GetParam();
    SplitterProperties p;
    p.Style = row.style;
    p.SplitterOrientation = row.orientation;
    p.SplitterLeft = 1000;
    p.SplitterTop = 800;
    const PaneLayout layout = SplitterGeometry::layoutPanes(p, 3000, 2000, PaneChoice{0, 1});
    ASSERT_TRUE(layout.pane0.has_value());
    EXPECT_EQ(*layout.pane0, row.pane0);
    EXPECT_EQ(layout.pane1.has_value(), row.pane1.has_value());
    if (layout.pane1 && row.pane1) {
        EXPECT_EQ(*layout.pane1, *row.pane1);
    }
    EXPECT_EQ(layout.grabArea, row.grabArea);
    EXPECT_EQ(p.SplitterLeft, row.barLeft);
    EXPECT_EQ(p.SplitterTop, row.barTop);
}

INSTANTIATE_TEST_SUITE_P(Splitter, LayoutPanesTable,
                         testing::Values(LayoutRow{"TwoPanesVerticalBar",
                                                   TwoPanes,
                                                   VerticalBar,
                                                   {0, 0, 970, 2000},
                                                   TwipsBox{1060, 0, 1940, 2000},
                                                   {980, 0, 100, 2000},
                                                   1000,
                                                   800},
                                         LayoutRow{"TwoPanesHorizontalBar",
                                                   TwoPanes,
                                                   HorizontalBar,
                                                   {0, 0, 3000, 770},
                                                   TwipsBox{0, 860, 3000, 1140},
                                                   {0, 780, 3000, 100},
                                                   1000,
                                                   800},
                                         LayoutRow{"BarOnTheLeftEdge",
                                                   SinglePaneLeft,
                                                   VerticalBar,
                                                   {60, 0, 2940, 2000},
                                                   std::nullopt,
                                                   {-20, 0, 100, 2000},
                                                   0,
                                                   800},
                                         LayoutRow{"BarOnTheTopEdge",
                                                   SinglePaneTop,
                                                   HorizontalBar,
                                                   {0, 60, 3000, 1940},
                                                   std::nullopt,
                                                   {0, -20, 3000, 100},
                                                   1000,
                                                   0},
                                         LayoutRow{"BarOnTheRightEdgeLeavesOneAndAHalfBars",
                                                   SinglePaneRight,
                                                   VerticalBar,
                                                   {0, 0, 2910, 2000},
                                                   std::nullopt,
                                                   {2920, 0, 100, 2000},
                                                   2940,
                                                   800},
                                         LayoutRow{"BarOnTheBottomEdge",
                                                   SinglePaneBottom,
                                                   HorizontalBar,
                                                   {0, 0, 3000, 1910},
                                                   std::nullopt,
                                                   {0, 1920, 3000, 100},
                                                   1000,
                                                   1940}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SplitterLayout, NoContainedControlsLaysOutOnlyTheBar) {
    SplitterProperties p;
    p.SplitterTop = 500;
    const PaneLayout layout = SplitterGeometry::layoutPanes(p, 2000, 1000, PaneChoice{});
    EXPECT_FALSE(layout.pane0);
    EXPECT_FALSE(layout.pane1);
    EXPECT_EQ(layout.grabArea, (TwipsBox{0, 480, 2000, 100}));
}

TEST(SplitterLayout, ThickerBarsMoveThePanesApart) {
    SplitterProperties p;
    p.SplitterOrientation = VerticalBar;
    p.SplitterLeft = 1000;
    p.SplitterWidth = 200;
    const PaneLayout layout = SplitterGeometry::layoutPanes(p, 3000, 2000, PaneChoice{0, 1});
    EXPECT_EQ(layout.pane0->width, 900);
    EXPECT_EQ(layout.pane1->left, 1200);
    EXPECT_EQ(layout.grabArea, (TwipsBox{980, 0, 240, 2000}));
}

// --- Style and orientation writes ---

TEST(SplitterStyleWrite, EdgeStylesTurnTheBarAndTwoPanesKeepIt) {
    SplitterProperties p = SplitterProperties::defaults(1000, 1000);
    SplitterGeometry::applyStyle(p, SinglePaneLeft, 2000, 2000);
    EXPECT_EQ(p.SplitterOrientation, VerticalBar);
    SplitterGeometry::applyStyle(p, SinglePaneBottom, 2000, 2000);
    EXPECT_EQ(p.SplitterOrientation, HorizontalBar);
    SplitterGeometry::applyStyle(p, SinglePaneRight, 2000, 2000);
    SplitterGeometry::applyStyle(p, TwoPanes, 2000, 2000);
    EXPECT_EQ(p.SplitterOrientation, VerticalBar);
    EXPECT_EQ(p.Style, TwoPanes);
}

TEST(SplitterStyleWrite, KeepsTheBarInsideTheControl) {
    SplitterProperties p;
    p.MinVerticalSize = 300;
    p.MinHorizontalSize = 200;
    p.SplitterLeft = 100;
    p.SplitterTop = 1900;
    SplitterGeometry::applyStyle(p, TwoPanes, 1000, 2000);
    EXPECT_EQ(p.SplitterLeft, 300); // raised to MinVerticalSize
    EXPECT_EQ(p.SplitterTop, 1800); // height - MinHorizontalSize
    p.SplitterLeft = 950;
    p.SplitterTop = 50;
    SplitterGeometry::applyStyle(p, TwoPanes, 1000, 2000);
    EXPECT_EQ(p.SplitterLeft, 700); // width - MinVerticalSize
    EXPECT_EQ(p.SplitterTop, 200);
}

TEST(SplitterOrientationWrite, SinglePanesRefuseTheOtherOrientation) {
    using G = SplitterGeometry;
    EXPECT_EQ(G::orientationConflict(SinglePaneLeft, HorizontalBar),
              OrientationConflict::Horizontal);
    EXPECT_EQ(G::orientationConflict(SinglePaneRight, HorizontalBar),
              OrientationConflict::Horizontal);
    EXPECT_EQ(G::orientationConflict(SinglePaneTop, VerticalBar), OrientationConflict::Vertical);
    EXPECT_EQ(G::orientationConflict(SinglePaneBottom, VerticalBar), OrientationConflict::Vertical);
    EXPECT_EQ(G::orientationConflict(SinglePaneLeft, VerticalBar), OrientationConflict::None);
    EXPECT_EQ(G::orientationConflict(TwoPanes, HorizontalBar), OrientationConflict::None);
    EXPECT_EQ(G::orientationConflict(TwoPanes, VerticalBar), OrientationConflict::None);
    EXPECT_EQ(G::conflictMessage(OrientationConflict::Horizontal),
              "Cannot Set Orientation to Horizontal while the Style property is set to "
              "vbSinglePaneLeft or [Single Pane Right]");
    EXPECT_EQ(G::conflictMessage(OrientationConflict::Vertical),
              "Cannot Set Orientation to Vertical while the Style property is set to "
              "vbSinglePaneTop or [Single Pane Bottom]");
}

// --- dragging ---

SplitterProperties withStyle(int style, int orientation) {
    SplitterProperties p;
    p.Style = style;
    p.SplitterOrientation = orientation;
    return p;
}

TEST(SplitterDrag, TwoPanesFollowTheMouseWithinTheMinimum) {
    SplitterProperties p = withStyle(TwoPanes, HorizontalBar);
    p.MinVerticalSize = 300;
    p.MinHorizontalSize = 999; // not the minimum of a horizontal bar
    const DragFrame frame{{0, 0, 3000, 2000}, 3000, 2000};
    EXPECT_EQ(SplitterGeometry::dragPosition(p, frame, 1000.4, 900), 1000);
    EXPECT_EQ(SplitterGeometry::dragPosition(p, frame, 100, 900), 300);
    EXPECT_EQ(SplitterGeometry::dragPosition(p, frame, 1900, 900), 1700);
    EXPECT_EQ(SplitterGeometry::mouseUp(p, frame, 300).properties.SplitterTop, 300);

    p.SplitterOrientation = VerticalBar;
    p.MinHorizontalSize = 400;
    EXPECT_EQ(SplitterGeometry::dragPosition(p, frame, 10, 0), 400);
    EXPECT_EQ(SplitterGeometry::dragPosition(p, frame, 2900, 0), 2600);
    const DragResult up = SplitterGeometry::mouseUp(p, frame, 1234.6);
    EXPECT_EQ(up.properties.SplitterLeft, 1235);
    EXPECT_EQ(up.control, frame.control);
}

/// A drag of a single pane's bar: where the indicator starts, where it follows the mouse to
/// (stopping short of the parent's edges) and the control's box on release.
struct SideDrag {
    const char* name;
    int style;
    int orientation;
    DragFrame frame;
    std::optional<double> start;
    std::vector<std::tuple<double, double, double>> moves; // mouse x, y -> indicator
    double release;
    TwipsBox control;
    std::optional<int> stored; // SplitterLeft or SplitterTop, by the bar's orientation
};

TEST(SplitterDrag, EachSideMovesItsOwnEdgeWithinTheParent) {
    // One drag to a few lines reads as a table:
    // clang-format off
    const SideDrag drags[] = {
        {"right bar enlarges by the distance and stops 240 short", SinglePaneRight, VerticalBar,
         {{0, 100, 2000, 3000}, 9000, 4000}, 1940,
         {{2960, 1960, 2940}, {20000, 1960, 8760}, {-5000, 1960, 300}},
         2940, {0, 100, 3000, 3000}, 2940},
        {"left bar moves the left edge and keeps the right edge", SinglePaneLeft, VerticalBar,
         {{6000, 0, 2000, 3000}, 9000, 3000}, std::nullopt,
         {{-1000, 0, 5000}, {-9000, 0, 0}, {5000, 0, 7700}},
         5000, {5000, 0, 3000, 3000}, std::nullopt},
        {"top bar keeps the bottom edge", SinglePaneTop, HorizontalBar,
         {{0, 1000, 3000, 2000}, 3000, 5000}, std::nullopt, {{-2000, 0, 0}, {2500, 0, 2700}},
         600, {0, 600, 3000, 2400}, std::nullopt},
        {"bottom bar stops 480 short of the parent", SinglePaneBottom, HorizontalBar,
         {{0, 0, 3000, 1000}, 3000, 4000}, 940, {{9000, 0, 3520}, {-900, 0, 300}},
         1500, {0, 0, 3000, 1560}, 1500},
    };
    // clang-format on
    for (const SideDrag& drag : drags) {
        SCOPED_TRACE(drag.name);
        const SplitterProperties p = withStyle(drag.style, drag.orientation);
        if (drag.start) {
            EXPECT_EQ(SplitterGeometry::dragStart(p, drag.frame), *drag.start);
        }
        for (const auto& [x, y, indicator] : drag.moves)
            EXPECT_EQ(SplitterGeometry::dragPosition(p, drag.frame, x, y), indicator)
                << "mouse at " << x << ", " << y;
        const DragResult up = SplitterGeometry::mouseUp(p, drag.frame, drag.release);
        EXPECT_EQ(up.control, drag.control);
        if (drag.stored) {
            EXPECT_EQ(drag.orientation == VerticalBar ? up.properties.SplitterLeft
                                                      : up.properties.SplitterTop,
                      *drag.stored);
        }
    }
}

} // namespace
} // namespace kelvane
