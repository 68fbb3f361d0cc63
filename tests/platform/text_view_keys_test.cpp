// The caret keys of the text view on a shown view: a surrogate pair is one character for every
// key that moves or deletes, words are the same for Ctrl+Arrow, a double click and a screen
// reader, and PageUp and PageDown move by the rows that fit in the window.
#include "platform/richtext/TextView.h"
#include "platform/text/TextBoundaries.h"
#include "platform/text/TextModel.h"
#include "shown_text_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

using namespace kelvane;
using kelvane::testing::ShownView;

namespace {

struct KeyCase {
    const char* name;
    const char16_t* text;
    qsizetype caret;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    qsizetype anchor; ///< selection after the key (the caret's position when none)
    qsizetype position;
    const char16_t* after; ///< the text after the key
};

// "a😀b": the emoji takes positions 1 and 2. "ab 😀 cd": the emoji takes 3 and 4.
const KeyCase kKeyCases[] = {
    {"RightStepsOverAPair", u"a😀b", 1, Qt::Key_Right, {}, 3, 3, u"a😀b"},
    {"LeftStepsOverAPair", u"a😀b", 3, Qt::Key_Left, {}, 1, 1, u"a😀b"},
    {"ShiftLeftSelectsTheWholePair", u"a😀b", 3, Qt::Key_Left, Qt::ShiftModifier, 3, 1, u"a😀b"},
    {"BackspaceTakesTheWholePair", u"a😀b", 3, Qt::Key_Backspace, {}, 1, 1, u"ab"},
    {"DeleteTakesTheWholePair", u"a😀b", 1, Qt::Key_Delete, {}, 1, 1, u"ab"},
    {"CtrlLeftStopsBeforeAPair", u"ab 😀 cd", 6, Qt::Key_Left, Qt::ControlModifier, 3, 3,
     u"ab 😀 cd"},
    {"CtrlRightStepsOverAPair", u"ab 😀 cd", 3, Qt::Key_Right, Qt::ControlModifier, 6, 6,
     u"ab 😀 cd"},
    {"CtrlBackspaceTakesTheWholePair", u"ab 😀 cd", 6, Qt::Key_Backspace, Qt::ControlModifier, 3, 3,
     u"ab cd"},
    {"CtrlDeleteTakesTheWholePair", u"ab 😀 cd", 3, Qt::Key_Delete, Qt::ControlModifier, 3, 3,
     u"ab cd"},
    {"CombiningMarksBelongToTheWord", u"e\u0301t x", 0, Qt::Key_Right, Qt::ControlModifier, 4, 4,
     u"e\u0301t x"},
    {"LettersBeyondThePlaneAreLetters", u"x \U0001D400b", 4, Qt::Key_Left, Qt::ControlModifier, 2,
     2, u"x \U0001D400b"},
};

class TextViewKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TextViewKeyTest, KeyLeavesTheCaretOnACharacterBoundary) {
    const KeyCase& c = GetParam();
    ShownView shown(QString::fromUtf16(c.text));
    shown.view.setCaret(c.caret);
    QTest::keyClick(&shown.view, c.key, c.modifiers);
    EXPECT_EQ(shown.view.anchor(), c.anchor);
    EXPECT_EQ(shown.view.position(), c.position);
    EXPECT_EQ(shown.model.text().text(), QString::fromUtf16(c.after));
}

INSTANTIATE_TEST_SUITE_P(Keys, TextViewKeyTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextViewWordsTest, ScreenReaderWordsAreTheWordsOfTheKeys) {
    const QString text = QString::fromUtf16(u"\U0001D400b e\u0301x_1 😀 end");
    ShownView shown(text);
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(&shown.view)->textInterface();
    ASSERT_NE(reader, nullptr);
    for (qsizetype at = 0; at < text.size(); ++at) {
        int start = -1;
        int end = -1;
        reader->textAtOffset(int(at), QAccessible::WordBoundary, &start, &end);
        const auto [wordStart, wordEnd] = boundaries::wordAt(shown.model.text(), at);
        if (boundaries::isWordCharacter(shown.model.text(), at)) {
            EXPECT_EQ(start, wordStart) << "offset " << at;
            EXPECT_EQ(end, wordEnd) << "offset " << at;
        } else {
            EXPECT_EQ(end, boundaries::nextCharacter(shown.model.text(), at)) << "offset " << at;
        }
    }
    int start = -1;
    int end = -1;
    EXPECT_EQ(reader->textAtOffset(1, QAccessible::WordBoundary, &start, &end),
              QString::fromUtf16(u"\U0001D400b"));
    EXPECT_EQ(reader->textAtOffset(4, QAccessible::WordBoundary, &start, &end),
              QString::fromUtf16(u"e\u0301x_1"));
    EXPECT_EQ(reader->textAtOffset(10, QAccessible::WordBoundary, &start, &end),
              QString::fromUtf16(u"😀"))
        << "an emoji is one character, not half of one";

    const QPoint underscore = shown.view.rectAt(7).center() + QPoint(2, 0);
    QTest::mouseDClick(shown.view.viewport(), Qt::LeftButton, {}, underscore);
    EXPECT_EQ(shown.view.selectionStart(), 4) << "a double click selects the same word";
    EXPECT_EQ(shown.view.selectionEnd(), 9);
}

TEST(TextViewPageTest, PageDownAndPageUpMoveByTheVisibleRows) {
    for (const bool wrapped : {false, true}) {
        // With wrapping every line takes several rows: pages count rows, not lines.
        QString text;
        for (int line = 0; line < 120; ++line)
            text += QStringLiteral("line %1 with words enough to wrap twice or more\n").arg(line);
        ShownView shown(text, 300, 160);
        TextView& view = shown.view;
        if (wrapped)
            view.setWrapWidth(120);
        const qsizetype pageRows = std::max(1, view.viewport()->height() / view.rowHeight());
        view.setCaret(0);
        QTest::keyClick(&view, Qt::Key_PageDown);
        EXPECT_EQ(view.rowOf(view.position()), pageRows) << "wrapped " << wrapped;
        QTest::keyClick(&view, Qt::Key_PageDown, Qt::ShiftModifier);
        EXPECT_EQ(view.rowOf(view.position()), 2 * pageRows) << "wrapped " << wrapped;
        EXPECT_EQ(view.anchor(), view.rowStart(pageRows)) << "Shift extends the selection";
        QTest::keyClick(&view, Qt::Key_PageUp);
        EXPECT_EQ(view.rowOf(view.position()), pageRows) << "wrapped " << wrapped;
        EXPECT_FALSE(view.hasSelection());
    }
}

} // namespace
