// The splitter control as a widget: panes placed by tags, the orientation conflict, dragging
// the bar with the mouse in both layouts, the stored properties and the control's events.
#include "splitter/BarDrag.h"
#include "splitter/Splitter.h"
#include "splitter/SplitterPropertyBag.h"

#include "platform/MsgBox.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace kelvane {
namespace {

/// Twips of a length in pixels (the tests place widgets in pixels).
int twips(int pixels) {
    return int(std::lround(pixelsToTwips(pixels)));
}

TEST(SplitterWidget, TwoUntaggedControlsAreThePanesAndTagsSwapThem) {
    Splitter splitter(nullptr, QSize(3000, 1500));
    splitter.LetSplitterOrientation(VerticalBar);
    splitter.LetSplitterLeft(1500);
    auto* first = new QLabel("first", &splitter);
    auto* second = new QLabel("second", &splitter);
    splitter.show();
    QApplication::processEvents(); // the paint places the panes that were added
    EXPECT_EQ(first->x(), 0);
    EXPECT_EQ(second->x(), twipsToPixels(1560));
    EXPECT_LT(first->geometry().right(), second->x());

    Splitter::setTag(first, "Pane1");
    Splitter::setTag(second, "Pane0");
    splitter.LayoutPanes();
    EXPECT_EQ(second->x(), 0);
    EXPECT_EQ(first->x(), twipsToPixels(1560));
    EXPECT_EQ(second->height(), splitter.height());
}

TEST(SplitterWidget, SingleLeftPaneRefusesHorizontalOrientationWithAMessage) {
    ScriptedMsgBoxes boxes;
    Splitter splitter(nullptr, QSize(3000, 1500));
    splitter.LetStyle(SinglePaneLeft);
    EXPECT_EQ(splitter.SplitterOrientation(), VerticalBar);
    EXPECT_EQ(splitter.imgSplitter->cursor().shape(), Qt::SizeHorCursor);

    splitter.LetSplitterOrientation(HorizontalBar);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt,
              "Cannot Set Orientation to Horizontal while the Style property is set to "
              "vbSinglePaneLeft or [Single Pane Right]");
    EXPECT_EQ(boxes.asked()[0].title, "vadErarivuv");
    EXPECT_EQ(boxes.asked()[0].style, vbOKOnly);
    EXPECT_EQ(splitter.SplitterOrientation(), VerticalBar);
    EXPECT_EQ(splitter.imgSplitter->cursor().shape(), Qt::SizeHorCursor);

    splitter.LetStyle(SinglePaneBottom);
    splitter.LetSplitterOrientation(VerticalBar);
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_TRUE(boxes.asked()[1].prompt.startsWith("Cannot Set Orientation to Vertical"));
    EXPECT_EQ(splitter.imgSplitter->cursor().shape(), Qt::SizeVerCursor);
}

TEST(SplitterWidget, TwoPaneDragStopsAtTheMinimumAndReleaseStoresIt) {
    Splitter splitter(nullptr, QSize(3000, 3000));
    auto* top = new QLabel("top", &splitter);
    new QLabel("bottom", &splitter);
    splitter.LetMinVerticalSize(300);
    splitter.show();
    QApplication::processEvents();
    const int barTop = splitter.imgSplitter->y();

    dragBar(splitter, 0, -barTop - 50); // far above the top edge
    EXPECT_TRUE(splitter.isDragging());
    EXPECT_TRUE(splitter.picSplitter->isVisible());
    EXPECT_EQ(splitter.picSplitter->y(), twipsToPixels(300));
    EXPECT_EQ(splitter.picSplitter->parentWidget(), &splitter);
    releaseBar(splitter, 0, -barTop - 50);
    EXPECT_FALSE(splitter.isDragging());
    EXPECT_FALSE(splitter.picSplitter->isVisible());
    EXPECT_EQ(splitter.SplitterTop(), 300);
    EXPECT_EQ(top->height(), twipsToPixels(270));
}

/// A parent window 600 x 300 pixels without a layout, holding one single-pane splitter.
struct SinglePaneHost {
    QWidget parent;
    Splitter* splitter;
    QLabel* pane;
    SinglePaneHost(int style, QRect place) {
        parent.resize(600, 300);
        splitter = new Splitter(&parent);
        splitter->setGeometry(place);
        splitter->LetStyle(style);
        pane = new QLabel("pane", splitter);
        parent.show();
        QApplication::processEvents();
    }
};

TEST(SplitterWidget, RightBarDragEnlargesTheControlAndItsPane) {
    SinglePaneHost host(SinglePaneRight, QRect(0, 0, 150, 300));
    Splitter& splitter = *host.splitter;
    EXPECT_EQ(host.pane->width(), twipsToPixels(twips(150) - 90));

    dragBar(splitter, 60, 0);
    EXPECT_EQ(splitter.picSplitter->parentWidget(), &host.parent); // travels outside
    releaseBar(splitter, 60, 0);
    EXPECT_EQ(splitter.width(), 210);
    EXPECT_EQ(splitter.x(), 0);
    EXPECT_EQ(splitter.picSplitter->parentWidget(), &splitter);
    EXPECT_EQ(host.pane->width(), twipsToPixels(twips(210) - 90));
    EXPECT_EQ(host.pane->height(), 300);
}

TEST(SplitterWidget, RightBarStops240TwipsShortOfTheParent) {
    SinglePaneHost host(SinglePaneRight, QRect(0, 0, 150, 300));
    Splitter& splitter = *host.splitter;
    dragBar(splitter, 2000, 0);
    EXPECT_EQ(splitter.picSplitter->x(), twipsToPixels(twips(600) - 240));
    releaseBar(splitter, 2000, 0);
    EXPECT_EQ(splitter.width(), twipsToPixels(twips(600) - 240 + 60));
}

TEST(SplitterWidget, LeftBarDragMovesTheLeftEdgeAndKeepsTheRightEdge) {
    SinglePaneHost host(SinglePaneLeft, QRect(400, 0, 150, 300));
    Splitter& splitter = *host.splitter;
    dragBar(splitter, -100, 0);
    releaseBar(splitter, -100, 0);
    EXPECT_EQ(splitter.x(), 300);
    EXPECT_EQ(splitter.geometry().right(), 549);
    EXPECT_EQ(host.pane->x(), twipsToPixels(60));
}

/// The drag ended without its release: no indicator anywhere, no drag mode, panes unmoved.
void expectDragEnded(SinglePaneHost& host) {
    Splitter& splitter = *host.splitter;
    EXPECT_FALSE(splitter.isDragging());
    EXPECT_FALSE(splitter.picSplitter->isVisible());
    EXPECT_EQ(splitter.picSplitter->parentWidget(), &splitter) << "not left in the main window";
    EXPECT_EQ(splitter.width(), 150);
    EXPECT_EQ(host.pane->width(), twipsToPixels(twips(150) - 90));
}

TEST(SplitterWidget, DragThatLosesTheMouseEndsWithoutMovingThePanes) {
    {
        // The pane is hidden from the keyboard while the button is still down.
        SCOPED_TRACE("hidden");
        SinglePaneHost host(SinglePaneRight, QRect(0, 0, 150, 300));
        dragBar(*host.splitter, 60, 0);
        ASSERT_TRUE(host.splitter->picSplitter->isVisible());
        host.splitter->hide();
        expectDragEnded(host);
        host.splitter->show();
        releaseBar(*host.splitter, 60, 0); // the late release changes nothing
        expectDragEnded(host);
    }
    {
        // Another window took the grab: the button comes back up elsewhere.
        SCOPED_TRACE("grab taken");
        SinglePaneHost host(SinglePaneRight, QRect(0, 0, 150, 300));
        dragBar(*host.splitter, 60, 0);
        QEvent ungrab(QEvent::UngrabMouse);
        QApplication::sendEvent(host.splitter->imgSplitter, &ungrab);
        expectDragEnded(host);
    }
    {
        // The release went elsewhere: the next move comes without the button held.
        SCOPED_TRACE("released elsewhere");
        SinglePaneHost host(SinglePaneRight, QRect(0, 0, 150, 300));
        dragBar(*host.splitter, 60, 0);
        QWidget* grab = host.splitter->imgSplitter;
        sendMouse(grab, QEvent::MouseMove, grab->rect().center() + QPoint(80, 0), Qt::NoButton,
                  Qt::NoButton);
        expectDragEnded(host);
    }
}

TEST(SplitterWidget, ZeroBarTopIsNotStoredAndComesBackAsHalfTheHeight) {
    MemoryPropertyBag bag;
    {
        Splitter splitter(nullptr, QSize(3000, 2000));
        splitter.LetSplitterTop(0);
        splitter.WriteProperties(bag);
    }
    EXPECT_FALSE(bag.read("SplitterTop"));
    Splitter loaded(nullptr, QSize(3000, 2000));
    loaded.LetSplitterTop(123);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.SplitterTop(), 1000);
    EXPECT_EQ(loaded.SplitterLeft(), 1500);
}

TEST(SplitterWidget, SurfaceRaisesMouseEventsInTwipsButPanesDoNot) {
    Splitter splitter(nullptr, QSize(3000, 1500));
    splitter.LetSplitterOrientation(VerticalBar);
    splitter.LetSplitterLeft(1500);
    auto* pane = new QLabel("pane", &splitter);
    splitter.show();
    QApplication::processEvents();
    QSignalSpy down(&splitter, &Splitter::MouseDown);
    QSignalSpy up(&splitter, &Splitter::MouseUp);
    QSignalSpy clicks(&splitter, &Splitter::Click);

    const QPoint gap(splitter.imgSplitter->x() - 1, 10); // between Pane0 and the grab area
    ASSERT_EQ(splitter.childAt(gap), nullptr);
    QTest::mouseClick(&splitter, Qt::LeftButton, Qt::ShiftModifier, gap);
    ASSERT_EQ(down.size(), 1);
    EXPECT_EQ(down[0][0].toInt(), 1);
    EXPECT_EQ(down[0][1].toInt(), 1);
    EXPECT_NEAR(down[0][2].toDouble(), pixelsToTwips(gap.x()), 0.01);
    EXPECT_EQ(up.size(), 1);
    EXPECT_EQ(clicks.size(), 1);

    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(down.size(), 1);
    EXPECT_EQ(clicks.size(), 1);
}

TEST(SplitterWidget, RefreshRaisesMouseUpAndLaysOut) {
    Splitter splitter(nullptr, QSize(3000, 1500));
    QSignalSpy up(&splitter, &Splitter::MouseUp);
    QSignalSpy resized(&splitter, &Splitter::Resize);
    splitter.Refresh();
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up[0], (QList<QVariant>{1, 0, 0.0, 0.0}));
    EXPECT_EQ(resized.size(), 1);
}

TEST(SplitterWidget, BorderKeepsPanesInsideAndWritesMarkThePropertyChanged) {
    Splitter splitter(nullptr, QSize(3000, 1500));
    auto* pane = new QLabel("pane", &splitter);
    QSignalSpy changed(&splitter, &Splitter::PropertyChanged);
    splitter.LetBorderStyle(1);
    splitter.LetBackColor(0x000000FF);
    splitter.LetEnabled(false);
    EXPECT_EQ(pane->pos(), QPoint(1, 1));
    EXPECT_EQ(splitter.palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_FALSE(splitter.isEnabled());
    EXPECT_FALSE(pane->isEnabled());
    ASSERT_EQ(changed.size(), 3);
    EXPECT_EQ(changed[2][0].toString(), "Enabled");
}

} // namespace
} // namespace kelvane
