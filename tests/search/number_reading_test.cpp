// Reading typed answers as numbers for Go to Line and Go to Character.
#include "search/NumberReading.h"

#include <QString>
#include <gtest/gtest.h>

namespace kelvane {
namespace {

struct NumberCase {
    const char* name;
    const char* text;
    std::optional<qint64> expected;
};

class NumberReadingTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberReadingTest, ReadsTheLeadingNumber) {
    EXPECT_EQ(readWholeNumber(QString::fromLatin1(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberReadingTest,
    ::testing::Values(NumberCase{"plain", "12", 12}, NumberCase{"trailingLetters", "12abc", 12},
                      NumberCase{"leadingBlanks", "   7", 7}, NumberCase{"letters", "abc", 0},
                      NumberCase{"empty", "", 0}, NumberCase{"plusSign", "+5", 5},
                      NumberCase{"minusSign", "-5", -5}, NumberCase{"hex", "&H10", 16},
                      NumberCase{"hexLower", "&hff", 255}, NumberCase{"octal", "&O17", 15},
                      NumberCase{"octalStopsAt8", "&O78", 7}, NumberCase{"ampersandOnly", "&", 0},
                      NumberCase{"exponent", "1e3", 1000}, NumberCase{"exponentD", "2D2", 200},
                      NumberCase{"bareExponent", "12e", 12}, NumberCase{"halfToEvenDown", "2.5", 2},
                      NumberCase{"halfToEvenUp", "3.5", 4}, NumberCase{"nearest", "2.51", 3},
                      NumberCase{"pointOnly", ".5", 0}, NumberCase{"blankInside", "1 2", 1},
                      NumberCase{"tooLarge", "1e400", std::nullopt},
                      NumberCase{"tooSmall", "1e-400", 0},
                      NumberCase{"beyond64Bits", "99999999999999999999", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kelvane
