// Positions that count a line break as two characters against the store's own: every position
// both ways, the one between CR and LF, clamping, and text handed out with CR LF breaks.
#include "platform/text/CrLfPositions.h"
#include "platform/text/TextStore.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TextStore storeOf(const QString& text) {
    TextStore store;
    store.setText(text);
    return store;
}

TEST(CrLfPositionsTest, EveryPositionMapsBothWaysAndTheGapInsideABreakIsTheBreak) {
    struct Case {
        const char* name;
        QString text;
        qsizetype length; // with breaks counting two
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"no break", "abc", 3},
        {"one break in the middle", "ab\ncd", 6},
        {"a break at each end", "\nab\n", 6},
        {"breaks only", "\n\n\n", 6},
        {"an empty line between two", "a\n\nb", 6},
    };
    for (const Case& c : cases) {
        const TextStore store = storeOf(c.text);
        EXPECT_EQ(crlf::length(store), c.length) << c.name;
        // The same mapping built the obvious way: each '\n' becomes "\r\n".
        QString expanded = c.text;
        expanded.replace(u'\n', QStringLiteral("\r\n"));
        ASSERT_EQ(expanded.size(), c.length) << c.name;
        qsizetype storePosition = 0;
        for (qsizetype position = 0; position <= c.length; ++position) {
            const bool insideBreak = position > 0 && expanded[position - 1] == u'\r';
            EXPECT_EQ(crlf::toStore(store, position), storePosition)
                << c.name << " at " << position;
            if (!insideBreak) {
                EXPECT_EQ(crlf::fromStore(store, storePosition), position)
                    << c.name << " at " << position;
            }
            if (position < c.length && expanded[position] != u'\r')
                ++storePosition;
        }
        EXPECT_EQ(crlf::text(store, 0, store.size()), expanded) << c.name;
    }
}

TEST(CrLfPositionsTest, PositionsOutsideTheTextAreClamped) {
    const TextStore store = storeOf("ab\ncd");
    EXPECT_EQ(crlf::toStore(store, -5), 0);
    EXPECT_EQ(crlf::toStore(store, 100), 5);
    EXPECT_EQ(crlf::fromStore(store, -1), 0);
    EXPECT_EQ(crlf::fromStore(store, 100), 6);
    EXPECT_EQ(crlf::text(store, 1, 4), "b\r\nc");
    EXPECT_EQ(crlf::text(store, 4, 1), "") << "a range backwards is empty";
    EXPECT_EQ(crlf::text(store, -3, 100), "ab\r\ncd");
}

TEST(CrLfPositionsTest, PiecesAroundTheStoresGapComeOutWhole) {
    TextStore store = storeOf("one\ntwo\nthree");
    store.replace(5, 0, u"X\n"); // moves the gap into the middle of the text
    EXPECT_EQ(crlf::text(store, 0, store.size()), "one\r\ntX\r\nwo\r\nthree");
    QString out = "<";
    crlf::appendWithCrLf(out, u"\na\n");
    EXPECT_EQ(out, "<\r\na\r\n");
}

} // namespace
} // namespace kelvane
