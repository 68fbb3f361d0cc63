// The word count rule and its message.
#include "commands/WordCount.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(WordCount, CountsBlanksThatHaveACharacterAfterThem) {
    EXPECT_EQ(countWords(u""), 0);
    EXPECT_EQ(countWords(u"word"), 0);
    EXPECT_EQ(countWords(u"a b c"), 2);
    EXPECT_EQ(countWords(u"a b "), 1) << "a blank at the very end is not counted";
    EXPECT_EQ(countWords(u"a  b"), 2) << "two blanks in a row count twice";
    EXPECT_EQ(countWords(u"a\tb\nc"), 0) << "tabs and line breaks separate nothing";
    EXPECT_EQ(countWords(u" \n"), 1);
}

TEST(WordCount, TextInPiecesCountsAsTheWholeText) {
    // A blank that ends a piece has a character after it in the next one; only the blank that
    // ends the text has none, even when empty pieces follow it.
    const auto inPieces = [](std::initializer_list<QStringView> pieces) {
        return countWords([pieces](const auto& take) {
            for (const QStringView piece : pieces)
                take(piece);
        });
    };
    EXPECT_EQ(inPieces({u"a ", u"b"}), 1);
    EXPECT_EQ(inPieces({u"a ", u" "}), 1);
    EXPECT_EQ(inPieces({u"a b ", u""}), 1);
    EXPECT_EQ(inPieces({u" ", u" ", u"x"}), 2);
    EXPECT_EQ(inPieces({}), 0);
}

TEST(WordCount, MessageHasTheCountAndTheNote) {
    EXPECT_EQ(wordCountMessage(12),
              "Words counted in document: 12.\r\n\r\nNOTE: This is only approximate.");
}

} // namespace
} // namespace kelvane
