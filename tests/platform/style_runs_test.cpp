// The walk from per-character styles to runs that the screen, the page and the RTF writer share:
// every character in exactly one run, runs as long as they can be, and the screen's format
// ranges leaving out only the runs that paint as plain text.
#include "platform/richtext/DisplayFormats.h"
#include "platform/text/StyleRuns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {

struct StyleRun {
    qsizetype start;
    qsizetype end;
    char style;
    bool operator==(const StyleRun&) const = default;
};

std::vector<StyleRun> runsOf(const std::string& styles) {
    std::vector<StyleRun> runs;
    forEachStyleRun(
        qsizetype(styles.size()), [&](qsizetype i) { return styles[size_t(i)]; },
        [&](qsizetype start, qsizetype end, char style) {
            runs.push_back({start, end, style});
        });
    return runs;
}

TEST(StyleRunsTest, EveryCharacterIsInOneLongestRun) {
    struct Case {
        const char* name;
        std::string styles; // one letter per character
        std::vector<StyleRun> runs;
    };
    const Case cases[] = {
        {"an empty text has no run", "", {}},
        {"one character is one run", "a", {{0, 1, 'a'}}},
        {"one style throughout is one run", "aaaa", {{0, 4, 'a'}}},
        {"a last character of its own ends the text", "aaab", {{0, 3, 'a'}, {3, 4, 'b'}}},
        {"a first character of its own", "abbb", {{0, 1, 'a'}, {1, 4, 'b'}}},
        {"alternating styles give a run each",
         "abab",
         {{0, 1, 'a'}, {1, 2, 'b'}, {2, 3, 'a'}, {3, 4, 'b'}}},
        {"a style coming back starts a new run", "aabbaa", {{0, 2, 'a'}, {2, 4, 'b'}, {4, 6, 'a'}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runsOf(c.styles), c.runs) << c.name;
}

TEST(StyleRunsTest, FormatRangesLeaveOutOnlyThePlainRuns) {
    CharStyle red;
    red.hasColour = true;
    red.colour = 0x0000FF;
    CharStyle bold;
    bold.bold = true;
    // Style 3 is past the table: it paints as plain text like style 0.
    const std::vector<QTextCharFormat> formats{overlayFormat(CharStyle{}), overlayFormat(red),
                                               overlayFormat(bold)};
    const std::vector<int> styles{0, 1, 1, 0, 2, 3, 3, 1};
    const auto ranges = formatRanges(
        qsizetype(styles.size()), [&](qsizetype i) { return styles[size_t(i)]; }, formats);
    ASSERT_EQ(ranges.size(), 3);
    EXPECT_EQ(std::pair(ranges[0].start, ranges[0].length), std::pair(1, 2));
    EXPECT_EQ(ranges[0].format, formats[1]);
    EXPECT_EQ(std::pair(ranges[1].start, ranges[1].length), std::pair(4, 1));
    EXPECT_EQ(ranges[1].format, formats[2]);
    EXPECT_EQ(std::pair(ranges[2].start, ranges[2].length), std::pair(7, 1));
}

} // namespace
} // namespace kelvane
