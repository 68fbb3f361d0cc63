// Carrying out edit lists: the text, the styles of the rewritten range and moved positions.
#include "document/TextEdits.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(TextEdits, RewriteKeepsStylesOfKeptCharactersAndStylesInsertions) {
    const QString text = "abcdef";
    const std::vector<std::uint8_t> styles{1, 2, 3, 4, 5, 6};
    // Replace "b" by "XY", insert "Z" before "e".
    const TextEdits edits{{1, 1, "XY"}, {4, 0, "Z"}};
    const RangeRewrite rewrite = rewriteRange(text, styles, edits);
    EXPECT_EQ(rewrite.from, 1);
    EXPECT_EQ(rewrite.to, 4);
    EXPECT_EQ(rewrite.text, "XYcdZ");
    EXPECT_EQ(rewrite.styles, (std::vector<std::uint8_t>{2, 2, 3, 4, 4}))
        << "a replacement takes the style of what it replaces, an insertion of what precedes";
    EXPECT_EQ(applyTextEdits(text, edits), "aXYcdZef");
}

TEST(TextEdits, PositionsMoveWithTheEditsBeforeThem) {
    const TextEdits edits{{2, 0, "1234"}, {6, 4, ""}};
    EXPECT_EQ(positionAfterEdits(edits, 0), 0);
    EXPECT_EQ(positionAfterEdits(edits, 2), 6) << "an insertion at the position moves it";
    EXPECT_EQ(positionAfterEdits(edits, 6), 10) << "a removal starting there does not";
    EXPECT_EQ(positionAfterEdits(edits, 10), 10);
    EXPECT_EQ(positionAfterEdits(TextEdits{}, 7), 7);
}

} // namespace
} // namespace kelvane
