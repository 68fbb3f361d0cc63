// The styles of a document's characters straight: formatting a range leaves the rest alone,
// saved styles come back by value after the table changed, and the 256 places of the style
// table: a place no character uses any more is given to a new style, and with every place in
// use a new style takes the closest one.
#include "platform/text/CharStyles.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kelvane;

namespace {

using kelvane::test::coloured;

/// Gives character i of the first `count` its own colour i + 1.
void colourEachCharacter(CharStyles& styles, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i)
        styles.restyle(i, 1, [i](CharStyle& s) { s = coloured(WinColour(i + 1)); });
}

TEST(CharStylesTest, RestyleChangesOnlyItsRangeAndTellsWhetherAnythingChanged) {
    CharStyles styles;
    styles.reset(10);
    EXPECT_TRUE(styles.restyle(2, 3, [](CharStyle& s) { s.bold = true; }));
    EXPECT_FALSE(styles.restyle(2, 3, [](CharStyle& s) { s.bold = true; })) << "already bold";
    for (qsizetype i = 0; i < 10; ++i)
        EXPECT_EQ(styles.styleAt(i).bold, i >= 2 && i < 5) << i;
    EXPECT_EQ(styles.styleAt(-1), CharStyle{}) << "outside the text is plain";
    EXPECT_EQ(styles.styleAt(10), CharStyle{});
}

TEST(CharStylesTest, InsertedCharactersTakeTheStyleBeforeThem) {
    CharStyles styles;
    styles.reset(4);
    styles.restyle(0, 1, [](CharStyle& s) { s = coloured(0xFF); });
    styles.restyle(1, 3, [](CharStyle& s) { s = coloured(0xFF00); });
    styles.replace(0, 0, 2); // at the start: the first character's style
    styles.replace(4, 0, 1); // after a green one
    EXPECT_EQ(styles.styleAt(0).colour, 0xFFu);
    EXPECT_EQ(styles.styleAt(1).colour, 0xFFu);
    EXPECT_EQ(styles.styleAt(4).colour, 0xFF00u);
    EXPECT_EQ(styles.size(), 7);
}

TEST(CharStylesTest, SavedStylesComeBackByValueAfterTheTableChanged) {
    CharStyles styles;
    styles.reset(3);
    styles.restyle(1, 1, [](CharStyle& s) { s = coloured(0x123456); });
    const SavedStyles saved = styles.save(0, 3);
    styles.reset(3); // every style forgotten; indexes mean nothing any more
    styles.restyle(0, 1, [](CharStyle& s) { s.italic = true; });
    styles.restore(0, saved);
    EXPECT_EQ(styles.styleAt(0), CharStyle{});
    EXPECT_EQ(styles.styleAt(1), coloured(0x123456));
    EXPECT_EQ(styles.styleAt(2), CharStyle{});
}

TEST(CharStylesTest, ColourByClassKeepsOtherAttributesAndSkipsUnknownClasses) {
    CharStyles styles;
    styles.reset(4);
    styles.restyle(0, 4, [](CharStyle& s) { s.bold = true; });
    const std::uint8_t classes[] = {0, 1, 2, 9};
    styles.colourByClass(0, classes, 4, {0xFF, kWindowTextColour, 0xFF00});
    EXPECT_EQ(styles.styleAt(0).colour, 0xFFu);
    EXPECT_TRUE(styles.styleAt(0).bold);
    EXPECT_FALSE(styles.styleAt(1).hasColour) << "the window-text colour is no colour";
    EXPECT_EQ(styles.styleAt(2).colour, 0xFF00u);
    EXPECT_FALSE(styles.styleAt(3).hasColour) << "a class without a colour leaves the character";
}

TEST(CharStylesTest, AStyleNoCharacterUsesGivesItsPlaceToANewOne) {
    CharStyles styles;
    styles.reset(300);
    colourEachCharacter(styles, 255); // the plain style and 255 colours fill the table
    ASSERT_EQ(styles.table().count(), 256u);
    styles.replace(0, 1, 0); // colour 1 is gone from the text
    styles.restyle(298, 1, [](CharStyle& s) { s = coloured(0xABCDEF); });
    EXPECT_EQ(styles.styleAt(298), coloured(0xABCDEF)) << "a free place was found";
    EXPECT_EQ(styles.table().count(), 256u);
    for (qsizetype i = 0; i < 254; ++i)
        ASSERT_EQ(styles.styleAt(i), coloured(WinColour(i + 2))) << "others keep theirs, " << i;
}

TEST(CharStylesTest, WithEveryPlaceInUseANewStyleTakesTheClosest) {
    CharStyles styles;
    styles.reset(300);
    colourEachCharacter(styles, 255);
    // Red 16 with a touch of green is nearest red 16 of the colours 1..255 (all reds).
    styles.restyle(299, 1, [](CharStyle& s) { s = coloured(0x000110); });
    EXPECT_EQ(styles.styleAt(299), coloured(0x10));
    // Bold plain text with no room: plain text is closer than any colour.
    styles.restyle(298, 1, [](CharStyle& s) { s.bold = true; });
    EXPECT_EQ(styles.styleAt(298), CharStyle{});
}

TEST(StyleTableTest, GenerationChangesWithEveryNewOrReplacedStyle) {
    StyleTable table;
    const quint64 first = table.generation();
    EXPECT_EQ(table.intern(CharStyle{}), 0);
    EXPECT_EQ(table.generation(), first) << "a known style changes nothing";
    EXPECT_EQ(table.intern(coloured(1)), 1);
    EXPECT_NE(table.generation(), first);
    EXPECT_EQ(table.intern(coloured(1)), 1);
}

TEST(StyleTableTest, DistanceWeighsTheTextColourFirst) {
    const CharStyle red = coloured(0x0000FF);
    CharStyle boldRed = red;
    boldRed.bold = true;
    EXPECT_EQ(styleDistance(red, red), 0);
    EXPECT_LT(styleDistance(red, boldRed), styleDistance(red, coloured(0xFF0000)));
    EXPECT_LT(styleDistance(red, coloured(0x0000F0)), styleDistance(red, boldRed));
    EXPECT_LT(styleDistance(red, coloured(0x00FF00)), styleDistance(red, CharStyle{}))
        << "a coloured character stays coloured";
}

} // namespace
