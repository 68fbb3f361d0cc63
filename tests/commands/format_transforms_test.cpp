// Format transforms and the edits of Indent, Unindent and Tabs to Spaces on plain text.
#include "commands/FormatTransforms.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(FormatTransforms, CaseChangesWorkOnTheWholeSelection) {
    EXPECT_EQ(toUpperCase("abc Def\nxyz"), "ABC DEF\nXYZ");
    EXPECT_EQ(toLowerCase("ABC Def"), "abc def");
    EXPECT_EQ(capitalizeFirstLetter("hELLO wORLD. sECOND"), "Hello world. second")
        << "only the first character of the selection";
    EXPECT_EQ(capitalizeFirstLetter(" aBC"), " abc") << "a leading blank stays, all lower";
    EXPECT_EQ(capitalizeFirstLetter("1ABC"), "1abc");
    EXPECT_EQ(capitalizeFirstLetter(""), "");
    EXPECT_EQ(capitalizeFirstLetter(QString::fromUtf8("\xF0\x9D\x90\x80"
                                                      "X")),
              QString::fromUtf8("\xF0\x9D\x90\x80"
                                "x"))
        << "a character outside the BMP is not split";
}

TEST(FormatTransforms, TrimsRemoveOnlyBlanksAtTheEndsOfTheSelection) {
    EXPECT_EQ(trimTrailingBlanks("  a b  \n  c  "), "  a b  \n  c");
    EXPECT_EQ(trimPrecedingBlanks("  a b  \n  c  "), "a b  \n  c  ");
    EXPECT_EQ(trimBlanks("  one  \n  two  "), "one  \n  two")
        << "blanks at the end of the inner line stay";
    EXPECT_EQ(trimBlanks("\t a \t"), "\t a \t") << "tabs are not blanks";
    EXPECT_EQ(trimBlanks(" x\n"), "x\n") << "a line break is not a blank";
    EXPECT_EQ(trimBlanks("    "), "");
}

TEST(FormatTransforms, SelectedLinesLeaveOutTheLineAfterAClosingBreak) {
    const QString text = "l1\nl2\nl3\nl4\nl5\n";
    // From the start of line 2 to the start of line 5: lines 2 to 4.
    SelectedLines lines = selectedLines(text, 3, 12);
    EXPECT_EQ(lines.firstStart, 3);
    EXPECT_EQ(lines.lastStart, 9);
    lines = selectedLines(text, 4, 4); // a caret inside line 2
    EXPECT_EQ(lines.firstStart, 3);
    EXPECT_EQ(lines.lastStart, 3);
    lines = selectedLines(text, 2, 3); // only the break of line 1
    EXPECT_EQ(lines.firstStart, 0);
    EXPECT_EQ(lines.lastStart, 0);
    lines = selectedLines(text, 15, 15); // the empty last line
    EXPECT_EQ(lines.firstStart, 15);
    EXPECT_EQ(lines.lastStart, 15);
}

TEST(FormatTransforms, IndentAndUnindentEditEveryLineOfTheRange) {
    const QString text = "a\n   b\n      c\n\td\n";
    const SelectedLines all{0, 18};
    EXPECT_EQ(applyTextEdits(text, indentEdits(text, all)),
              "    a\n       b\n          c\n    \td\n    ");
    EXPECT_EQ(applyTextEdits(text, unindentEdits(text, all)), "a\n   b\n  c\n\td\n")
        << "three blanks and a tab stay, six keep two";
    EXPECT_TRUE(unindentEdits(text, SelectedLines{0, 2}).empty());
}

TEST(FormatTransforms, TabsToSpacesReplacesEveryTabWhereverItStands) {
    const QString text = "\t\t\tx\ty\t";
    TextEdits edits = tabsToSpacesEdits(text, 4);
    EXPECT_EQ(edits.size(), 5u);
    EXPECT_EQ(applyTextEdits(text, edits), QString(12, ' ') + "x    y    ");
    edits = tabsToSpacesEdits(text, 0);
    EXPECT_EQ(edits.size(), 5u) << "adjacent tabs are all removed";
    EXPECT_EQ(applyTextEdits(text, edits), "xy");
    EXPECT_TRUE(tabsToSpacesEdits(u"no tabs", 4).empty());
}

} // namespace
} // namespace kelvane
