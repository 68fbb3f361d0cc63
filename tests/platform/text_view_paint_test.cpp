// What the text view leaves on screen after edits, caret moves, selections and colouring: the
// view repaints only what a change touches, so after each step the window's own pixels must be
// those of the whole view painted afresh.
#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"
#include "shown_text_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

using namespace kelvane;
using kelvane::testing::ShownView;

namespace {

/// The view, scroll bars included, as the window shows it: what the paints so far left in its
/// backing store.
QImage onScreen(TextView& view) {
    QApplication::processEvents();
    QWidget* window = view.window();
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    const QRect area(view.mapTo(window, QPoint(0, 0)), view.size());
    return shot.copy(area).toImage().convertToFormat(QImage::Format_RGB32);
}

/// The view painted whole, now.
QImage paintedAfresh(TextView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QString numberedLines(int count, const QString& text) {
    QString lines;
    for (int i = 0; i < count; ++i)
        lines += QString::number(i) + QLatin1Char(' ') + text + QLatin1Char('\n');
    return lines;
}

class TextViewPaintTest : public ::testing::Test {
protected:
    // No blinking: the caret is drawn in both pictures or in neither.
    void SetUp() override {
        flash_ = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
    }
    void TearDown() override { QApplication::setCursorFlashTime(flash_); }

    static void expectScreenIsWhole(TextView& view, const char* step) {
        const QImage shown = onScreen(view);
        ASSERT_FALSE(shown.isNull()) << step;
        EXPECT_EQ(shown, paintedAfresh(view)) << "after " << step;
    }

private:
    int flash_ = 0;
};

} // namespace

TEST_F(TextViewPaintTest, TypingBreakingAndJoiningLinesInAScrolledView) {
    ShownView shown(numberedLines(60, QStringLiteral("int value = 1; /* note */")), 400, 200);
    TextView& view = shown.view;
    view.verticalScrollBar()->setValue(20);
    expectScreenIsWhole(view, "scrolling");
    view.setCaret(shown.model.text().lineStart(24) + 3);
    expectScreenIsWhole(view, "moving the caret");
    QTest::keyClicks(&view, QStringLiteral("abc"));
    expectScreenIsWhole(view, "typing in a line");
    QTest::keyClick(&view, Qt::Key_Return);
    expectScreenIsWhole(view, "breaking the line: the lines below move down");
    QTest::keyClick(&view, Qt::Key_Backspace);
    expectScreenIsWhole(view, "joining it again: the lines below move up");
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);
    expectScreenIsWhole(view, "moving down");
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    expectScreenIsWhole(view, "undo away from the caret");
    // Lines inserted above the window move every row in it.
    shown.model.replace(shown.model.text().lineStart(2), 0, u"new\nlines\n");
    expectScreenIsWhole(view, "lines inserted above the window");
    shown.model.replace(shown.model.text().lineStart(2), 10, u"");
    expectScreenIsWhole(view, "lines removed above the window");
    view.setCaret(shown.model.size());
    view.ensureCaretVisible();
    QTest::keyClick(&view, Qt::Key_Backspace);
    QTest::keyClick(&view, Qt::Key_Backspace);
    expectScreenIsWhole(view, "removing the last lines");
}

TEST_F(TextViewPaintTest, SelectionsGrowShrinkAndGo) {
    ShownView shown(numberedLines(30, QStringLiteral("a line of text")), 400, 200);
    TextView& view = shown.view;
    view.setCaret(shown.model.text().lineStart(3) + 4);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    expectScreenIsWhole(view, "selecting down");
    QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
    expectScreenIsWhole(view, "shrinking the selection");
    view.setSelection(view.position(), shown.model.text().lineStart(1));
    expectScreenIsWhole(view, "swapping the selection's ends");
    QTest::keyClicks(&view, QStringLiteral("x"));
    expectScreenIsWhole(view, "typing over the selection");
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Right);
    expectScreenIsWhole(view, "dropping the selection");
}

TEST_F(TextViewPaintTest, ColouringLinesBelowTheCaret) {
    // A comment opened on one line colours the lines after it: their rows repaint, however far
    // they are from the caret.
    ShownView shown(numberedLines(30, QStringLiteral("int x;")), 400, 200);
    TextView& view = shown.view;
    view.setCaret(shown.model.text().lineStart(2));
    auto green = [](CharStyle& style) {
        style.hasColour = true;
        style.colour = 0x008000;
    };
    shown.model.restyle(0, 3, green); // a first use of the colour lays everything out afresh
    expectScreenIsWhole(view, "colouring a word");
    const qsizetype from = shown.model.text().lineStart(2);
    shown.model.restyle(from, shown.model.size() - from, green);
    expectScreenIsWhole(view, "colouring to the end");
    shown.model.restyle(from + 2, shown.model.size() - from - 2,
                        [](CharStyle& style) { style = CharStyle(); });
    expectScreenIsWhole(view, "taking the colour away again");
}

TEST_F(TextViewPaintTest, WrappedLinesThatGainAndLoseRows) {
    ShownView shown(numberedLines(20, QStringLiteral("words that wrap")), 300, 200);
    TextView& view = shown.view;
    view.setWrapWidth(200);
    view.setCaret(shown.model.text().lineEnd(2));
    expectScreenIsWhole(view, "wrapping");
    // Typing past the wrap width makes the line take another row, moving the rows below.
    for (int i = 0; i < 12; ++i)
        QTest::keyClicks(&view, QStringLiteral(" more"));
    expectScreenIsWhole(view, "a line wrapping into more rows");
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&view, Qt::Key_Backspace);
    expectScreenIsWhole(view, "the line taking fewer rows");
    QTest::keyClicks(&view, QStringLiteral("x"));
    expectScreenIsWhole(view, "typing inside a wrapped line");
    shown.model.restyle(shown.model.text().lineStart(4), 40,
                        [](CharStyle& style) { style.bold = true; });
    expectScreenIsWhole(view, "bold letters that may wrap further");
}

TEST_F(TextViewPaintTest, ScrollBarsFollowALineTypedPastTheWindow) {
    ShownView shown(numberedLines(5, QStringLiteral("short")), 300, 150);
    TextView& view = shown.view;
    QScrollBar* horizontal = view.horizontalScrollBar();
    expectScreenIsWhole(view, "showing lines that fit");
    EXPECT_FALSE(horizontal->isVisible());
    view.setCaret(shown.model.text().lineEnd(1));
    QTest::keyClicks(&view, QString(60, QLatin1Char('w')));
    expectScreenIsWhole(view, "typing past the window's edge");
    ASSERT_TRUE(horizontal->isVisible()) << "the line is wider than the window";
    const int maximum = horizontal->maximum();
    QTest::keyClicks(&view, QStringLiteral("www"));
    EXPECT_GT(horizontal->maximum(), maximum) << "the range follows the line as it grows";
    expectScreenIsWhole(view, "typing on at the line's end");
    EXPECT_EQ(horizontal->value(), horizontal->maximum()) << "scrolled to the caret";
    // Lines added below make the text taller than the window: the vertical bar appears.
    QTest::keyClick(&view, Qt::Key_Home);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&view, Qt::Key_Return);
    expectScreenIsWhole(view, "breaking lines until the text is taller than the window");
    EXPECT_TRUE(view.verticalScrollBar()->isVisible());
}

TEST_F(TextViewPaintTest, TypingAtTheEndOfALineScrolledSideways) {
    ShownView shown(numberedLines(10, QString(300, QLatin1Char('y'))), 300, 150);
    TextView& view = shown.view;
    view.setCaret(shown.model.text().lineStart(3));
    QTest::keyClick(&view, Qt::Key_End);
    expectScreenIsWhole(view, "scrolling to the line's end");
    QTest::keyClicks(&view, QStringLiteral("zzzz"));
    expectScreenIsWhole(view, "typing there");
    QTest::keyClick(&view, Qt::Key_Home);
    expectScreenIsWhole(view, "back to the line's start");
}
