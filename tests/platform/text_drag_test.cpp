// Dragging text with the mouse: the decisions on their own, then real views pressed and moved
// with the mouse, the drag's own event loop replaced by one that delivers the drop events to a
// chosen view at a chosen point, as the window system would.
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextDrag.h"
#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"
#include "shown_text_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace kelvane;
using kelvane::testing::fixedFont;
using kelvane::testing::ShownView;
using textdrag::DropEffect;

TEST(TextDragTest, WhereADragStartsAndWhatADropDoes) {
    // The selection is [4, 8); the caret x of position p is 10 * p. A press counts the
    // character under the mouse, not the nearest caret position.
    EXPECT_TRUE(textdrag::pressOnSelection(8, 80, 78, 4, 8)) << "right half of the last one";
    EXPECT_FALSE(textdrag::pressOnSelection(4, 40, 38, 4, 8)) << "right half of the one before";
    EXPECT_FALSE(textdrag::pressOnSelection(4, 40, 42, 4, 4)) << "no selection, no drag";
    EXPECT_FALSE(textdrag::dragDistanceReached({10, 10}, {12, 11}, 10));
    EXPECT_TRUE(textdrag::dragDistanceReached({10, 10}, {10, 20}, 10));

    const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
    EXPECT_EQ(textdrag::dropAction(both, Qt::CopyAction, {}, true), Qt::MoveAction)
        << "our own text moves without Ctrl";
    EXPECT_EQ(textdrag::dropAction(Qt::CopyAction, Qt::CopyAction, {}, true), Qt::CopyAction)
        << "a read-only source only lends its text";
    EXPECT_EQ(textdrag::dropAction(both, Qt::CopyAction, {}, false), Qt::CopyAction)
        << "other programs' proposals are taken";
    // At the ends of the dragged selection [10, 20): a move leaves the text where it is, a
    // copy goes right beside the original.
    EXPECT_EQ(textdrag::dropEffect(false, true, true, Qt::MoveAction, 20, 10, 20),
              DropEffect::Nothing);
    EXPECT_EQ(textdrag::dropEffect(false, true, true, Qt::CopyAction, 20, 10, 20),
              DropEffect::Insert);
    EXPECT_EQ(textdrag::dropEffect(false, true, true, Qt::CopyAction, 15, 10, 20),
              DropEffect::Nothing);
}

namespace {

QPoint pointOf(TextView& view, qsizetype position) {
    return view.rectAt(position).center() + QPoint(1, 0);
}

/// Sends what the window system sends while dragged text crosses `target` and is dropped
/// there: enter, move, drop. Returns the action the drop took.
Qt::DropAction deliverDrop(TextView& target, QPoint point, QMimeData* data, Qt::DropActions actions,
                           Qt::KeyboardModifiers modifiers = {}) {
    QWidget* viewport = target.viewport();
    const Qt::DropAction proposed =
        (modifiers & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
    QDragEnterEvent enter(point, actions, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(viewport, &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDragMoveEvent move(point, actions, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(viewport, &move);
    if (!move.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(viewport, &leave);
        return Qt::IgnoreAction;
    }
    QDropEvent drop(point, actions, data, Qt::LeftButton, modifiers);
    drop.setDropAction(proposed);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

/// While alive, every drag a view starts is dropped on `target` at `point` with `modifiers`;
/// what the drag carried is kept for the test.
struct ScriptedDrag {
    ScriptedDrag(TextView& target, std::function<QPoint()> point,
                 Qt::KeyboardModifiers modifiers = {}) {
        TextView::setDragRunner(
            [this, &target, point, modifiers](TextView*, QMimeData* data, Qt::DropActions actions) {
                carried.reset(data);
                offered = actions;
                ++runs;
                return deliverDrop(target, point(), data, actions, modifiers);
            });
    }
    ~ScriptedDrag() { TextView::setDragRunner({}); }
    std::unique_ptr<QMimeData> carried;
    Qt::DropActions offered;
    int runs = 0;
};

/// Presses the left button at `from` and moves the mouse to `to` with it held.
void pressAndMove(TextView& view, QPoint from, QPoint to) {
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), view.viewport()->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
}

} // namespace

TEST(TextDragTest, DraggingTheSelectionMovesItAsOneUndoStep) {
    ShownView shown(QStringLiteral("alpha beta gamma\nsecond line"));
    TextView& view = shown.view;
    view.setSelection(6, 11);                // "beta "
    const QPoint target = pointOf(view, 23); // "second| line"
    ScriptedDrag drag(view, [&] { return target; });
    pressAndMove(view, pointOf(view, 7), pointOf(view, 7) + QPoint(0, 30));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, target);
    ASSERT_EQ(drag.runs, 1);
    EXPECT_EQ(drag.carried->text(), "beta ");
    EXPECT_TRUE(drag.carried->formats().contains("text/plain"));
    EXPECT_EQ(shown.model.text().text(), "alpha gamma\nsecondbeta  line");
    EXPECT_EQ(view.selectionStart(), 18);
    EXPECT_EQ(view.selectionEnd(), 23) << "the moved text stays selected";
    EXPECT_EQ(shown.model.undoSteps(), 1);
    view.undo();
    EXPECT_EQ(shown.model.text().text(), "alpha beta gamma\nsecond line");

    // With Ctrl held the text is copied; the original stays selected where it was.
    view.setSelection(0, 5);
    ScriptedDrag copy(
        view, [&] { return pointOf(view, 16); }, Qt::ControlModifier);
    pressAndMove(view, pointOf(view, 2), pointOf(view, 2) + QPoint(20, 20));
    EXPECT_EQ(shown.model.text().text(), "alpha beta gammaalpha\nsecond line");
    EXPECT_EQ(view.selectionStart(), 16);
    EXPECT_EQ(view.selectionEnd(), 21);
}

TEST(TextDragTest, DropOntoTheSelectionOrASmallMoveDoesNothing) {
    ShownView shown(QStringLiteral("one two three"));
    TextView& view = shown.view;
    view.setSelection(4, 7);
    ScriptedDrag drag(view, [&] { return pointOf(view, 6); });
    // A move shorter than the drag distance is a click: the caret goes where it was pressed.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pointOf(view, 5));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pointOf(view, 5));
    EXPECT_EQ(drag.runs, 0);
    EXPECT_FALSE(view.hasSelection());
    EXPECT_EQ(view.position(), 5);

    view.setSelection(4, 7);
    pressAndMove(view, pointOf(view, 5), pointOf(view, 5) + QPoint(0, 40));
    ASSERT_EQ(drag.runs, 1);
    EXPECT_EQ(shown.model.text().text(), "one two three");
    EXPECT_EQ(shown.model.undoSteps(), 0);
    EXPECT_EQ(view.selectionStart(), 4);
    EXPECT_EQ(view.selectionEnd(), 7);
}

TEST(TextDragTest, DraggingBetweenViewsMovesOrCopiesTheText) {
    ShownView source(QStringLiteral("take this word"));
    ShownView target(QStringLiteral("into here"));
    source.view.setSelection(5, 10); // "this "
    {
        ScriptedDrag drag(target.view, [&] { return pointOf(target.view, 5); });
        pressAndMove(source.view, pointOf(source.view, 6), pointOf(source.view, 6) + QPoint(0, 50));
        EXPECT_EQ(drag.offered, Qt::CopyAction | Qt::MoveAction);
    }
    EXPECT_EQ(target.model.text().text(), "into this here");
    EXPECT_EQ(source.model.text().text(), "take word") << "a move takes the text away";
    EXPECT_EQ(source.model.undoSteps(), 1);
    EXPECT_EQ(target.model.undoSteps(), 1);

    // A read-only view lends its text: the drag offers a copy only and keeps the text.
    source.view.setReadOnly(true);
    source.view.setSelection(0, 4);
    ScriptedDrag drag(target.view, [&] { return pointOf(target.view, 0); });
    pressAndMove(source.view, pointOf(source.view, 1), pointOf(source.view, 1) + QPoint(0, 50));
    EXPECT_EQ(drag.offered, Qt::CopyAction);
    EXPECT_EQ(target.model.text().text(), "takeinto this here");
    EXPECT_EQ(source.model.text().text(), "take word");
}

TEST(TextDragTest, TextFromElsewhereIsDroppedAtThePointWithADropCaret) {
    ShownView shown(QStringLiteral("first\nlast"));
    TextView& view = shown.view;
    view.clearFocus(); // no blinking caret in the pictures
    const QImage before = view.viewport()->grab().toImage();
    QMimeData data;
    data.setText(QStringLiteral("A\r\nB"));
    const QPoint point = pointOf(view, 8);
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(point, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &move);
    EXPECT_TRUE(move.isAccepted());
    const QImage hovering = view.viewport()->grab().toImage();
    EXPECT_NE(hovering, before) << "a caret shows where the text would go";
    const int caretX = view.rectAt(8).x();
    int darkAtCaret = 0; // rows where the picture darkened within a pixel or two of the caret
    for (int y = view.rectAt(8).top(); y <= view.rectAt(8).bottom(); ++y) {
        bool darkened = false;
        for (int x = caretX - 1; x <= caretX + 2; ++x)
            darkened |= hovering.pixelColor(x, y).lightness() < 128 &&
                        before.pixelColor(x, y).lightness() >= 128;
        darkAtCaret += darkened;
    }
    EXPECT_GT(darkAtCaret, view.rowHeight() / 2) << "the drop caret stands at the drop point";
    QDragLeaveEvent leave;
    QApplication::sendEvent(view.viewport(), &leave);
    EXPECT_EQ(view.viewport()->grab().toImage(), before) << "leaving takes the caret away";

    EXPECT_EQ(deliverDrop(view, point, &data, Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(shown.model.text().text(), "first\nlaA\nBst");
    EXPECT_EQ(view.selectionStart(), 8);
    EXPECT_EQ(view.selectionEnd(), 11);
    EXPECT_EQ(shown.model.undoSteps(), 1);

    view.setReadOnly(true);
    EXPECT_EQ(deliverDrop(view, point, &data, Qt::CopyAction), Qt::IgnoreAction);
    EXPECT_EQ(shown.model.text().text(), "first\nlaA\nBst") << "a read-only text takes no drop";
    QTest::keyClicks(&view, "x");
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(shown.model.text().text(), "first\nlaA\nBst") << "nor typing";
}

TEST(TextDragTest, ControlAnnouncesADropAsOneEdit) {
    RichTextBox box;
    box.resize(400, 200);
    box.show();
    box.setText(QStringLiteral("alpha beta\r\ngamma"));
    TextView& view = *box.view();
    view.setSelection(0, 5);
    box.setSelColor(0x0000FF);
    view.setSelection(0, 6); // "alpha "
    QSignalSpy changes(&box, &RichTextBox::Change);
    QSignalSpy selections(&box, &RichTextBox::SelChange);
    ScriptedDrag drag(view, [&] { return pointOf(view, 16); });
    pressAndMove(view, pointOf(view, 2), pointOf(view, 2) + QPoint(0, 40));
    EXPECT_EQ(box.Text(), "beta\r\ngammaalpha ");
    EXPECT_EQ(changes.count(), 1) << "a move is one edit";
    EXPECT_EQ(selections.count(), 1);
    EXPECT_EQ(box.SelStart(), 11) << "positions count the line break as two";
    EXPECT_EQ(box.SelLength(), 6);
    EXPECT_EQ(box.styleAt(11).colour, 0x0000FFu) << "moved text keeps its colour";
    EXPECT_FALSE(box.styleAt(10).hasColour);
    box.undo();
    EXPECT_EQ(box.Text(), "alpha beta\r\ngamma");

    box.setLocked(true);
    QMimeData data;
    data.setText(QStringLiteral("x"));
    changes.clear();
    EXPECT_EQ(deliverDrop(view, pointOf(view, 3), &data, Qt::CopyAction), Qt::IgnoreAction);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(box.Text(), "alpha beta\r\ngamma");
}
