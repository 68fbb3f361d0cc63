// The document windows' arrangements: the plain arithmetic in tables, then the Window menu's
// commands on real windows.
#include "AppFixture.h"

#include "app/WindowArrangement.h"

#include <QMdiSubWindow>

namespace kelvane::test {
namespace {

TEST(WindowArrangementTest, NewWindowsStepDownAndStartAgainAtTheCorner) {
    const struct {
        QSize area;
        int step;
        int index;
        QRect expected;
    } cases[] = {
        {{800, 600}, 25, 0, {0, 0, 600, 450}},
        {{800, 600}, 25, 3, {75, 75, 600, 450}},
        // 150 pixels of room below: six steps fit, the eighth window is back at the corner.
        {{800, 600}, 25, 6, {150, 150, 600, 450}},
        {{800, 600}, 25, 7, {0, 0, 600, 450}},
        // A tiny area counts as 400 by 300, and a step larger than the room still alternates.
        {{100, 50}, 25, 0, {0, 0, 300, 225}},
        {{100, 50}, 200, 1, {200, 200, 300, 225}},
        {{100, 50}, 200, 2, {0, 0, 300, 225}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(newWindowPlace(c.area, c.step, c.index), c.expected)
            << c.area.width() << "x" << c.area.height() << " step " << c.step << " #" << c.index;
}

TEST(WindowArrangementTest, TilesCoverTheAreaWithoutGapsOrOverlaps) {
    const QRect area(10, 20, 1000, 601);
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        for (int count : {1, 2, 3, 7}) {
            const std::vector<QRect> tiles = tilePlaces(area, count, orientation);
            ASSERT_EQ(int(tiles.size()), count);
            EXPECT_EQ(tiles.front().topLeft(), area.topLeft());
            EXPECT_EQ(tiles.back().bottomRight(), area.bottomRight());
            for (int i = 1; i < count; ++i) {
                if (orientation == Qt::Horizontal) {
                    EXPECT_EQ(tiles[i].top(), tiles[i - 1].bottom() + 1) << "stacked, no gap";
                    EXPECT_EQ(tiles[i].width(), area.width());
                } else {
                    EXPECT_EQ(tiles[i].left(), tiles[i - 1].right() + 1) << "side by side";
                    EXPECT_EQ(tiles[i].height(), area.height());
                }
            }
        }
    }
    EXPECT_EQ(tilePlaces(QRect(0, 0, 601, 300), 3, Qt::Vertical)[1], QRect(200, 0, 200, 300));
    EXPECT_TRUE(tilePlaces(area, 0, Qt::Vertical).empty());
}

TEST(WindowArrangementTest, CascadeStepsWindowsOfOneSizeAndWrapsWhenOutOfRoom) {
    const QRect area(0, 0, 800, 600);
    const std::vector<QRect> three = cascadePlaces(area, 3, 30);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0], QRect(0, 0, 740, 540)) << "the steps' room taken off the area";
    EXPECT_EQ(three[2], QRect(60, 60, 740, 540)) << "the last fits in the area";

    // Many windows: never smaller than half the area, never past its edge.
    const std::vector<QRect> many = cascadePlaces(area, 40, 30);
    for (const QRect& place : many) {
        EXPECT_EQ(place.size(), QSize(400, 300));
        EXPECT_TRUE(area.contains(place)) << place.x() << "," << place.y();
    }
    EXPECT_EQ(many[11].topLeft(), QPoint(0, 0)) << "ten steps fit in 300 pixels, then the corner";
    EXPECT_TRUE(cascadePlaces(area, 0, 30).empty());
}

TEST(WindowArrangementTest, IconsLineUpAlongTheBottomAndStartARowAboveWhenFull) {
    const std::vector<QPoint> places =
        iconPlaces(QRect(0, 0, 500, 400), {{160, 30}, {160, 30}, {160, 30}, {160, 30}});
    const std::vector<QPoint> expected = {{0, 370}, {160, 370}, {320, 370}, {0, 340}};
    EXPECT_EQ(places, expected);
    // One icon wider than the area still stands at the left edge.
    EXPECT_EQ(iconPlaces(QRect(0, 0, 100, 400), {{160, 30}}).front(), QPoint(0, 370));
}

TEST(WindowArrangementTest, AStoredPlaceOffEveryScreenComesBackToThePrimaryOne) {
    const std::vector<QRect> screens = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const QRect primary = screens[0];
    const struct {
        QRect stored;
        QRect expected;
    } cases[] = {
        {{100, 50, 800, 600}, {100, 50, 800, 600}},     // on the first screen: kept
        {{2000, 100, 800, 600}, {2000, 100, 800, 600}}, // on the second: kept
        {{5000, 100, 800, 600}, {0, 0, 800, 600}},      // a screen that is gone
        {{100, 50, 60, 40}, {0, 0, 400, 300}},          // too small to find
        {{-9000, 0, 4000, 3000}, {0, 0, 1920, 1080}},   // off screen and too large
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeOnScreens(c.stored, screens, primary), c.expected)
            << c.stored.x() << "," << c.stored.y();
}

using WindowCommandsTest = AppFixture;

TEST_F(WindowCommandsTest, CascadePutsTheActiveWindowInFrontAndTilesFillTheArea) {
    start();
    frmDocument* first = main->activeDocument();
    main->newDocument();
    main->newDocument();
    main->mdiArea->setActiveSubWindow(first->subWindow());
    main->command(u"mnuWindowCascade")->trigger();
    const QList<QMdiSubWindow*> stacked = main->mdiArea->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(stacked.last(), first->subWindow()) << "the active window stands in front";
    EXPECT_GT(first->subWindow()->pos().x(), 0) << "and last in the cascade";
    EXPECT_EQ(main->activeDocument(), first);

    main->command(u"mnuWindowTileVertical")->trigger();
    int width = 0;
    for (QMdiSubWindow* sub : main->mdiArea->subWindowList()) {
        EXPECT_EQ(sub->height(), main->mdiArea->viewport()->height());
        width += sub->width();
    }
    EXPECT_EQ(width, main->mdiArea->viewport()->width());
}

} // namespace
} // namespace kelvane::test
