// The side panes' arithmetic: the squeeze rule and the lists' places in both panes.
#include "app/SidePaneLayout.h"
#include "library/PaneLayout.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(SidePaneSqueeze, PaneLeavingLessThan400TwipsIsCutBackToLeave600) {
    // main window 10155 wide, the other pane 2280: up to 7475 is allowed.
    EXPECT_EQ(squeezedPaneWidth(10155, 2280, 7475), std::nullopt);
    EXPECT_EQ(squeezedPaneWidth(10155, 2280, 7476), std::optional<double>(7275));
    EXPECT_EQ(squeezedPaneWidth(10155, 0, 9900), std::optional<double>(9555));
    EXPECT_EQ(squeezedPaneWidth(10155, 2280, 2265), std::nullopt);
}

TEST(SidePaneSqueeze, TinyWindowGivesThePaneNoWidthRatherThanANegativeOne) {
    EXPECT_EQ(squeezedPaneWidth(500, 300, 200), std::optional<double>(0));
}

TEST(BrowserPaneLayout, FolderListTakesFourTenthsAndFileListTheRest) {
    const PaneSizes pane{2100, 6000, 2130, 6030};
    BrowserLists current;
    current.drives = {30, 45, 100, 315};
    current.dirs = {999, 999, 10, 10};
    current.files = {30, 999, 10, 10};
    const BrowserLists placed = layoutBrowserPane(pane, current);
    EXPECT_EQ(placed.drives, (TwipsBox{30, 45, 2070, 315}));
    EXPECT_EQ(placed.dirs, (TwipsBox{30, 420, 2070, 2412}));
    EXPECT_EQ(placed.files, (TwipsBox{30, 2892, 2100, 3048}));
}

TEST(BrowserPaneLayout, PaneTooShortLeavesTheFileListEmpty) {
    const PaneSizes pane{2100, 600, 2130, 630};
    BrowserLists current;
    current.drives = {30, 45, 100, 315};
    current.files.left = 30;
    EXPECT_EQ(layoutBrowserPane(pane, current).files.height, 0);
}

TEST(ClipPaneLayout, ItemListFillsBelowTheLibraryList) {
    const PaneSizes pane{2200, 5000, 2230, 5030};
    ClipLists current;
    current.libraries = {30, 300, 10, 1500};
    current.items = {30, 0, 10, 10};
    const ClipLists placed = layoutClipPane(pane, current);
    EXPECT_EQ(placed.libraries, (TwipsBox{30, 300, 2140, 1500}));
    EXPECT_EQ(placed.items, (TwipsBox{30, 1860, 2170, 3080}));
}

} // namespace
} // namespace kelvane
