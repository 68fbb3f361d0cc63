// The text view on real widgets offscreen: typing and its undo steps, moving and selecting by
// keyboard and mouse, word wrap counted without laying out the document, and a very long line
// drawn exactly as the same text on a short line.
#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"
#include "shown_text_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontDatabase>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace kelvane;
using kelvane::testing::fixedFont;
using kelvane::testing::ShownView;

namespace {

QPoint pointOf(TextView& view, qsizetype position) {
    view.setCaret(position);
    return view.caretRect().center();
}

} // namespace

TEST(TextViewTest, TypingEditsTheTextAndUndoTakesBackRuns) {
    ShownView shown(QString{});
    QTest::keyClicks(&shown.view, "int x");
    QTest::keyClick(&shown.view, Qt::Key_Return);
    QTest::keyClicks(&shown.view, "y;");
    QTest::keyClick(&shown.view, Qt::Key_Backspace);
    EXPECT_EQ(shown.model.text().text(), "int x\ny");
    EXPECT_EQ(shown.view.position(), 7);

    QTest::keyClick(&shown.view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown.model.text().text(), "int x\ny;") << "the Backspace is its own step";
    QTest::keyClick(&shown.view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown.model.text().text(), "int x\n");
    QTest::keyClick(&shown.view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&shown.view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown.model.text().text(), "");
    QTest::keyClick(&shown.view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(shown.model.text().text(), "int x");
}

TEST(TextViewTest, TypingReplacesTheSelection) {
    ShownView shown(QStringLiteral("one two three"));
    shown.view.setSelection(4, 7);
    QTest::keyClicks(&shown.view, "2");
    EXPECT_EQ(shown.model.text().text(), "one 2 three");
    shown.view.setSelection(3, 5);
    QTest::keyClick(&shown.view, Qt::Key_Delete);
    EXPECT_EQ(shown.model.text().text(), "one three");
}

TEST(TextViewTest, KeysMoveAndShiftSelects) {
    ShownView shown(QStringLiteral("first line\nab\nthird line"));
    TextView& view = shown.view;
    view.setCaret(8); // "first li|ne"
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.position(), 13) << "a short line takes the caret to its end";
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.position(), 22) << "the column is kept across the short line";
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.position(), 14);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(view.selectionStart(), 14);
    EXPECT_EQ(view.selectionEnd(), 24);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(view.position(), 14) << "Left without Shift goes to the selection's start";
    QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(view.position(), 20) << "a word and the space after it";
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view.selectionStart(), 0);
    EXPECT_EQ(view.selectionEnd(), 20);
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.position(), 24);
    EXPECT_FALSE(view.hasSelection());
}

TEST(TextViewTest, SignalsReportMovesAndSelections) {
    ShownView shown(QStringLiteral("abc def"));
    QSignalSpy moved(&shown.view, &TextView::cursorPositionChanged);
    QSignalSpy selected(&shown.view, &TextView::selectionChanged);
    QTest::keyClick(&shown.view, Qt::Key_Right);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(selected.count(), 0);
    QTest::keyClick(&shown.view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(selected.count(), 1);
    shown.view.setCaret(2);
    EXPECT_EQ(selected.count(), 2) << "dropping a selection is a change of selection";
}

TEST(TextViewTest, MouseClickDragDoubleClickAndShiftClick) {
    ShownView shown(QStringLiteral("alpha beta gamma\nsecond line"));
    TextView& view = shown.view;
    const QPoint beta = pointOf(view, 8);
    const QPoint second = pointOf(view, 20);
    view.setCaret(0);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, beta);
    EXPECT_EQ(view.position(), 8);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, second);
    EXPECT_EQ(view.selectionStart(), 8);
    EXPECT_EQ(view.selectionEnd(), 20);

    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, beta);
    EXPECT_EQ(view.selectionStart(), 6);
    EXPECT_EQ(view.selectionEnd(), 10) << "a double click selects the word";

    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pointOf(view, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(second),
                     view.viewport()->mapToGlobal(QPointF(second)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(view.selectionStart(), 2);
    EXPECT_EQ(view.selectionEnd(), 20) << "dragging selects";
}

TEST(TextViewTest, MouseUpReportsTheButton) {
    ShownView shown(QStringLiteral("text"));
    int reported = 0;
    shown.view.onMouseUp = [&](int button, int, QPoint) { reported = button; };
    QTest::mouseClick(shown.view.viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(reported, 2);
    EXPECT_EQ(shown.view.position(), 0) << "the right button leaves the caret";
}

TEST(TextViewTest, KeyDownHandlerCanSwallowAKey) {
    ShownView shown(QStringLiteral("ab"));
    shown.view.onKeyDown = [](int& keyCode, int) {
        if (keyCode == 'X')
            keyCode = 0;
    };
    QTest::keyClicks(&shown.view, "xy");
    EXPECT_EQ(shown.model.text().text(), "yab");
}

TEST(TextViewTest, WrapRowsAreCountedFromEstimatesAndCorrected) {
    // 100 lines of 100 fixed-width characters wrap into 10 rows each at 10 characters' width.
    QString text;
    for (int line = 0; line < 100; ++line)
        text += QString(100, QLatin1Char('a' + line % 26)) + QLatin1Char('\n');
    ShownView shown(text);
    const qreal advance = QFontMetricsF(fixedFont()).horizontalAdvance(QLatin1Char('a'));
    shown.view.setWrapWidth(int(std::ceil(advance * 10)) + 1);
    EXPECT_EQ(shown.view.rowCount(), 100 * 10 + 1);
    EXPECT_EQ(shown.view.rowOf(101 * 99 + 35), 99 * 10 + 3);
    EXPECT_EQ(shown.view.rowStart(99 * 10 + 3), 101 * 99 + 30);
    EXPECT_EQ(shown.view.rowEnd(99 * 10 + 9), 101 * 99 + 100) << "the last row ends at the break";
    EXPECT_EQ(shown.view.rowStart(100 * 10 + 1), -1);

    shown.view.setCaret(101 * 5 + 12);
    QTest::keyClick(&shown.view, Qt::Key_Down);
    EXPECT_EQ(shown.view.position(), 101 * 5 + 22) << "Down moves one row inside the line";
    QTest::keyClick(&shown.view, Qt::Key_End);
    EXPECT_EQ(shown.view.position(), 101 * 5 + 29) << "End stays on the wrapped row";
}

TEST(TextViewTest, WrapOfAWordAtTheWidth) {
    ShownView shown(QStringLiteral("aaaa bbbb cccc"));
    const qreal advance = QFontMetricsF(fixedFont()).horizontalAdvance(QLatin1Char('a'));
    shown.view.setWrapWidth(int(std::ceil(advance * 7)));
    EXPECT_EQ(shown.view.rowOf(0), 0);
    EXPECT_EQ(shown.view.rowCount(), 3) << "the estimate is corrected once the line is laid out";
    EXPECT_EQ(shown.view.rowStart(1), 5) << "wrapped at the word boundary";
}

TEST(TextViewTest, EditsAroundALongLineKeepRowsAndCaret) {
    const QString longLine(50000, QLatin1Char('x'));
    ShownView shown(QStringLiteral("top\n") + longLine + QStringLiteral("\nbottom"));
    shown.view.setCaret(shown.model.size());
    QTest::keyClicks(&shown.view, "!");
    EXPECT_EQ(shown.model.text().lineCount(), 3);
    shown.view.setCaret(4 + 40000);
    QTest::keyClick(&shown.view, Qt::Key_Return);
    EXPECT_EQ(shown.model.text().lineCount(), 4);
    EXPECT_EQ(shown.model.text().lineLength(2), 10000);
    QTest::keyClick(&shown.view, Qt::Key_Up);
    EXPECT_EQ(shown.model.text().lineOf(shown.view.position()), 1);
    QTest::keyClick(&shown.view, Qt::Key_End);
    EXPECT_EQ(shown.view.position(), 4 + 40000);
}

TEST(TextViewTest, LongLineIsDrawnLikeTheSameTextOnAShortLine) {
    // Three million characters on one line: a piece far to the right is drawn where it would be
    // on a line of its own, glyph for glyph.
    QString pattern = QStringLiteral("int x = 1; if (y) { z *= 2; } ");
    QString longLine;
    while (longLine.size() < 3'000'000)
        longLine += pattern;
    ShownView shown(longLine, 500, 120);
    shown.view.setCaret(0);
    shown.view.clearFocus(); // no caret in the pictures
    const qsizetype piece = 2900;
    const qreal advance = QFontMetricsF(fixedFont()).horizontalAdvance(QLatin1Char('x'));
    const qreal pieceLeft = advance * qreal(piece * TextView::kPieceLength);
    ASSERT_EQ(pieceLeft, std::floor(pieceLeft)) << "the test needs whole-pixel advances";
    shown.view.horizontalScrollBar()->setValue(int(pieceLeft));
    ASSERT_EQ(shown.view.horizontalScrollBar()->value(), int(pieceLeft));

    const QString pieceText = longLine.mid(piece * TextView::kPieceLength, TextView::kPieceLength);
    ShownView reference(pieceText, 500, 120);
    reference.view.clearFocus();

    const QImage drawn = shown.view.viewport()->grab().toImage();
    const QImage expected = reference.view.viewport()->grab().toImage();
    ASSERT_EQ(drawn.size(), expected.size());
    const QRect firstRow(0, 0, drawn.width() - 20, shown.view.rowHeight());
    EXPECT_EQ(drawn.copy(firstRow), expected.copy(firstRow));
    int inked = 0;
    for (int x = 0; x < firstRow.width(); ++x)
        for (int y = 0; y < firstRow.height(); ++y)
            inked += expected.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(inked, 100) << "the row holds glyphs";
}

TEST(TextViewTest, InputMethodCommitsText) {
    ShownView shown(QStringLiteral("ab"));
    shown.view.setCaret(1);
    QInputMethodEvent event(QStringLiteral("pre"), {});
    event.setCommitString(QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(&shown.view, &event);
    EXPECT_EQ(shown.model.text().text(), QString::fromUtf8("a\xC3\xA9"
                                                           "b"));
    EXPECT_EQ(shown.view.inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
    EXPECT_EQ(shown.view.inputMethodQuery(Qt::ImSurroundingText).toString(),
              QString::fromUtf8("a\xC3\xA9"
                                "b"));
}

TEST(TextViewTest, ScreenReadersReadTheTextCaretAndLines) {
    ShownView shown(QStringLiteral("first line\nsecond words here"));
    shown.view.setSelection(11, 17);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&shown.view);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 28);
    EXPECT_EQ(text->cursorPosition(), 17);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 17);
    EXPECT_EQ(text->textAtOffset(13, QAccessible::LineBoundary, &start, &end), "second words here");
    EXPECT_EQ(text->textAtOffset(19, QAccessible::WordBoundary, &start, &end), "words");
    EXPECT_EQ(text->textBeforeOffset(13, QAccessible::LineBoundary, &start, &end), "first line\n");
    EXPECT_EQ(text->offsetAtPoint(shown.view.viewport()->mapToGlobal(
                  shown.view.rectAt(14).center() + QPoint(1, 0))),
              14);

    QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
    ASSERT_NE(editable, nullptr);
    editable->replaceText(0, 5, QStringLiteral("1st"));
    EXPECT_EQ(shown.model.text().text(), "1st line\nsecond words here");
    EXPECT_EQ(shown.model.undoSteps(), 1) << "an assistive edit is an edit like any other";
}

TEST(TextViewTest, WindowNarrowerThanTheWrapWidthWrapsAtItsOwnWidth) {
    ShownView shown(QString(200, QLatin1Char('w')), 400, 200);
    const qreal advance = QFontMetricsF(fixedFont()).horizontalAdvance(QLatin1Char('w'));
    shown.view.setWrapWidth(int(std::ceil(advance * 100)) + 1); // wider than the window
    EXPECT_GT(shown.view.rowCount(), 2) << "the 200 characters wrap at the window's width";
    shown.view.resize(int(advance * 250), 200);
    EXPECT_EQ(shown.view.rowCount(), 2) << "a wider window wraps at the wrap width again";
}

TEST(TextViewTest, TabStopsOfALongLineCountFromTheLineStart) {
    // A tab in a later piece of an unwrapped line stops where it would on one layout of the
    // whole line: at a multiple of the tab distance from the line's start.
    const qsizetype n = 3 * TextView::kPieceLength + 5;
    QString line(n, QLatin1Char('x'));
    for (qsizetype at = 7; at < n; at += 301)
        line[at] = QLatin1Char('\t');
    ShownView shown(line, 500, 120);
    QTextLayout whole(line, fixedFont());
    QTextOption option;
    option.setTabStopDistance(shown.view.tabStopDistance());
    whole.setTextOption(option);
    whole.beginLayout();
    QTextLine wholeLine = whole.createLine();
    wholeLine.setLineWidth(1e7);
    whole.endLayout();
    for (qsizetype at = 7; at < n; at += 301) {
        // Pieces are measured from the left, as scrolling to them does.
        for (qsizetype before = 0; before <= at; before += 500)
            shown.view.rectAt(before);
        const QRect after = shown.view.rectAt(at + 1);
        // Within the rounding of the caret's pixel; a stop counted from the piece's own start
        // would be off by up to a whole tab distance.
        EXPECT_NEAR(after.x() - shown.view.rectAt(0).x(), wholeLine.cursorToX(int(at + 1)), 1.5)
            << "tab at " << at;
    }
}

TEST(TextViewTest, ComposedTextShowsAtTheCaretUntilCommitted) {
    ShownView shown(QStringLiteral("ab"));
    shown.view.setCaret(1);
    const QImage before = shown.view.viewport()->grab().toImage();
    QInputMethodEvent composing(QStringLiteral("xyz"),
                                {{QInputMethodEvent::Cursor, 2, 1, QVariant()}});
    QApplication::sendEvent(&shown.view, &composing);
    EXPECT_EQ(shown.model.text().text(), "ab") << "composed text is not in the document yet";
    EXPECT_EQ(shown.model.undoSteps(), 0);
    const QImage during = shown.view.viewport()->grab().toImage();
    EXPECT_NE(during, before) << "the composed text is drawn";
    const qreal advance = QFontMetricsF(fixedFont()).horizontalAdvance(QLatin1Char('x'));
    const QRectF imCaret = shown.view.inputMethodQuery(Qt::ImCursorRectangle).toRectF();
    EXPECT_NEAR(imCaret.x() - shown.view.viewport()->pos().x(),
                shown.view.caretRect().x() + 2 * advance, 1)
        << "the input method's caret sits inside the composed text";

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("XYZ"));
    QApplication::sendEvent(&shown.view, &commit);
    EXPECT_EQ(shown.model.text().text(), "aXYZb");
    ShownView reference(QStringLiteral("aXYZb"));
    reference.view.setCaret(4);
    shown.view.clearFocus(); // no caret in the pictures
    reference.view.clearFocus();
    const QImage after = shown.view.viewport()->grab().toImage();
    EXPECT_EQ(after, reference.view.viewport()->grab().toImage())
        << "nothing of the composition is left on screen";
}

TEST(TextViewTest, WrappedParagraphLongerThanAPieceBreaksOnlyBetweenWords) {
    // 3,000 characters of five-letter words: every row but the last ends after a space, also
    // where a piece of 1,024 characters would have cut a word in two.
    const QString paragraph = QString("word ").repeated(600);
    ShownView shown(paragraph + "\nnext", 400, 200);
    shown.view.setWrapWidth(300);
    const qsizetype rows = shown.view.rowCount();
    ASSERT_GT(rows, 10);
    qsizetype covered = 0;
    for (qsizetype row = 0; shown.view.rowStart(row) >= 0 && shown.view.rowStart(row) < 3000;
         ++row) {
        const qsizetype start = shown.view.rowStart(row);
        const qsizetype end = shown.view.rowEnd(row);
        EXPECT_EQ(start % 5, 0) << "row " << row << " starts inside a word";
        covered += end - start;
    }
    EXPECT_EQ(covered, 3000);
}

TEST(TextViewTest, ComposedTextMovesHitTestingAfterTheCaretByItsWidth) {
    // "abcdef" with "xyz" composed after "a": on screen, "bcdef" stands three characters to the
    // right, and a point on a character finds that character of the document.
    ShownView shown(QStringLiteral("abcdef"));
    TextView& view = shown.view;
    const qreal advance = QFontMetricsF(fixedFont()).horizontalAdvance(QLatin1Char('x'));
    const int plainX = view.rectAt(4).x();
    view.setCaret(1);
    QInputMethodEvent composing(QStringLiteral("xyz"), {});
    QApplication::sendEvent(&view, &composing);
    EXPECT_NEAR(view.rectAt(4).x(), plainX + 3 * advance, 1) << "'d' drawn after the composition";
    const int y = view.rectAt(4).center().y();
    EXPECT_EQ(view.positionAt(QPoint(int(plainX + 3 * advance) + 1, y)), 4);
    EXPECT_EQ(view.positionAt(QPoint(int(plainX + 5 * advance) + 1, y)), 6);
    EXPECT_EQ(view.positionAt(QPoint(view.rectAt(1).x() + int(advance * 1.5), y)), 1)
        << "a point on the composed text is at the caret";
    EXPECT_EQ(view.positionAt(QPoint(view.rectAt(0).x() + 1, y)), 0);
}

namespace {

/// A paragraph of words of one to nine letters, the same every run.
QString wordsOfManyLengths(qsizetype length) {
    QString text;
    quint32 seed = 12345;
    while (text.size() < length) {
        seed = seed * 1103515245u + 12345u;
        text += QString(int(1 + (seed >> 16) % 9), QLatin1Char('a' + (seed >> 8) % 26)) + ' ';
    }
    text.truncate(length);
    return text;
}

/// Row starts of a whole line laid out at once, as the view would lay out a short one.
std::vector<qsizetype> wholeLineRowStarts(const QString& line, const TextView& view) {
    QTextLayout layout(line, fixedFont());
    QTextOption option;
    option.setTabStopDistance(view.tabStopDistance());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    std::vector<qsizetype> starts;
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(view.wrapWidth());
        starts.push_back(row.textStart());
    }
    layout.endLayout();
    return starts;
}

} // namespace

TEST(TextViewTest, WrappedLineLongerThanTheWholeLineLimitBreaksOnlyBetweenWords) {
    const QString paragraph = wordsOfManyLengths(3 * TextView::kWrappedWholeLine);
    ShownView shown(paragraph + "\nnext", 400, 200);
    shown.view.setWrapWidth(300);
    const std::vector<qsizetype> expected = wholeLineRowStarts(paragraph, shown.view);

    // Read from the top, the rows are those of the whole line laid out at once.
    std::vector<qsizetype> starts;
    for (qsizetype row = 0;
         shown.view.rowStart(row) >= 0 && shown.view.rowStart(row) < qsizetype(paragraph.size());
         ++row)
        starts.push_back(shown.view.rowStart(row));
    EXPECT_EQ(starts, expected);

    // Jumping near the end first, without the rows before, every row still starts on a word
    // and the rows follow one another to the line's end.
    ShownView jumped(paragraph + "\nnext", 400, 200);
    jumped.view.setWrapWidth(300);
    qsizetype row = jumped.view.rowOf(paragraph.size() - 4000);
    qsizetype end = jumped.view.rowStart(row);
    int rows = 0;
    while (end < paragraph.size()) {
        const qsizetype start = jumped.view.rowStart(row);
        EXPECT_EQ(start, end) << "row " << row << " does not follow the one before";
        EXPECT_EQ(paragraph[start - 1], QLatin1Char(' ')) << "row " << row << " cuts a word";
        end = jumped.view.rowEnd(row++);
        ++rows;
    }
    EXPECT_EQ(end, paragraph.size());
    EXPECT_GT(rows, 50);
}
