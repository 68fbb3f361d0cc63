// Keyword list strings, delimiter boxes and typed numbers as the Options dialog reads them.
#include "prefs/KeywordListCodec.h"
#include "prefs/OptionsValues.h"

#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

const QString ff = QString(QChar(0xFF));

TEST(KeywordListCodecTest, SplitStopsAtFirstEmptyPieceAndJoinAlwaysEndsWords) {
    EXPECT_EQ(splitKeywordList(QString()), QStringList());
    EXPECT_EQ(splitKeywordList("int" + ff + "char" + ff), (QStringList{"int", "char"}));
    EXPECT_EQ(splitKeywordList("int" + ff + "char"), QStringList{"int"})
        << "a last word without its separator is lost";
    EXPECT_EQ(splitKeywordList("a" + ff + ff + "b" + ff), QStringList{"a"})
        << "two separators in a row end the list";
    EXPECT_EQ(splitKeywordList(ff + "a" + ff), QStringList());
    EXPECT_EQ(joinKeywordList({}), QString());
    EXPECT_EQ(joinKeywordList({"if", "  else"}), "if" + ff + "  else" + ff);
    const QStringList words{"#include", "x", "do while"};
    EXPECT_EQ(splitKeywordList(joinKeywordList(words)), words);
}

TEST(OptionsValuesTest, DelimiterBoxesFollowBitsZeroToEight) {
    const std::array<bool, 9> boxes131{true, true, false, false, false, false, false, true, false};
    EXPECT_EQ(delimitersOf(boxes131), 131);
    EXPECT_EQ(bracerBoxesOf(131), boxes131);
    std::array<bool, 9> all;
    all.fill(true);
    EXPECT_EQ(bracerBoxesOf(511), all);
    EXPECT_EQ(delimitersOf(all), 511);
    EXPECT_EQ(bracerBoxesOf(512 + 1024 + 4), bracerBoxesOf(4)) << "bits above 8 are not shown";
    EXPECT_EQ(delimitersOf(bracerBoxesOf(-1)), 511) << "and are lost when taken back";
    EXPECT_EQ(delimitersOf(bracerBoxesOf(0)), 0);
}

TEST(OptionsValuesTest, LeadingNumberReadsTheFrontOfTheText) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"10", 10},  {"  12.5pt", 12.5}, {"", 0},      {"abc", 0}, {"-3", -3},
                 {".5", 0.5}, {"7.", 7},          {"1e2", 100}, {"1e", 1},  {"9 9", 9},
                 {"+4x", 4},  {"-", 0},           {"1e999", 0}, {"\t8", 8}, {"0x10", 0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
    EXPECT_EQ(fontSizeOf(u"12.5"), 12.5f);
    EXPECT_EQ(fontSizeOf(u"1e300"), 0.0f) << "too large for the stored single";
    EXPECT_EQ(fontSizeOf(u"none"), 0.0f);
}

} // namespace
} // namespace kelvane::test
