// Character and word boundaries as the caret keys, double clicks and screen readers share them:
// a surrogate pair is one character, combining marks stay with their letter, punctuation is a
// word of its own and no word move crosses a line break.
#include "platform/text/TextBoundaries.h"
#include "platform/text/TextStore.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TextStore storeOf(const char16_t* text) {
    TextStore store;
    store.setText(QStringView(text));
    return store;
}

TEST(TextBoundariesTest, CharacterStepsNeverSplitASurrogatePair) {
    // 😀 and 𝐀 are pairs; a lone high or low surrogate is a character of its own.
    const TextStore text = storeOf(u"a😀\xD800"
                                   u"b\xDC00𝐀");
    const std::vector<qsizetype> stops{0, 1, 3, 4, 5, 6, 8};
    for (size_t i = 0; i + 1 < stops.size(); ++i) {
        EXPECT_EQ(boundaries::nextCharacter(text, stops[i]), stops[i + 1]) << "from " << stops[i];
        EXPECT_EQ(boundaries::previousCharacter(text, stops[i + 1]), stops[i])
            << "from " << stops[i + 1];
    }
    EXPECT_EQ(boundaries::nextCharacter(text, 8), 8) << "the end stays the end";
    EXPECT_EQ(boundaries::previousCharacter(text, 0), 0);
}

TEST(TextBoundariesTest, WordMovesAndWordsAtAPosition) {
    struct Case {
        const char* name;
        const char16_t* text;
        qsizetype at;
        qsizetype next;     // Ctrl+Right
        qsizetype previous; // Ctrl+Left
        qsizetype wordStart, wordEnd;
    };
    const Case cases[] = {
        {"inside a word", u"foo bar", 1, 4, 0, 0, 3},
        {"at a word's end", u"foo bar", 3, 4, 0, 0, 3},
        {"blanks after a word go with it", u"foo \t bar", 0, 6, 0, 0, 3},
        {"punctuation is a word of its own", u"a+=b", 1, 2, 0, 0, 1},
        {"underscores and digits are word characters", u"x_1 y", 0, 4, 0, 0, 3},
        {"a combining mark stays with its letter", u"e\u0301te x", 1, 5, 0, 0, 4},
        {"a letter beyond the first plane is a letter", u"𝐀b c", 0, 4, 0, 0, 3},
        {"an emoji is punctuation, one character", u"😀😀", 0, 2, 0, 0, 0},
        {"no move crosses a line break", u"ab\ncd", 1, 2, 0, 0, 2},
        {"Ctrl+Left skips blanks back to the word before", u"ab   cd", 5, 7, 0, 5, 7},
    };
    for (const Case& c : cases) {
        const TextStore text = storeOf(c.text);
        EXPECT_EQ(boundaries::nextWord(text, c.at), c.next) << c.name;
        EXPECT_EQ(boundaries::previousWord(text, c.at), c.previous) << c.name;
        const auto [start, end] = boundaries::wordAt(text, c.at);
        EXPECT_EQ(start, c.wordStart) << c.name;
        EXPECT_EQ(end, c.wordEnd) << c.name;
    }
}

} // namespace
} // namespace kelvane
