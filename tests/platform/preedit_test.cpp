// Text an input method is composing, shown inside a piece of a line: the piece's own formats
// make room for it (a run across the caret is cut in two), the composition shows with its own
// formats or underlined, and its caret is where the input method puts it.
#include "platform/richtext/Preedit.h"

#include <gtest/gtest.h>

#include <QTextCharFormat>

namespace kelvane {
namespace {

QTextCharFormat bold() {
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

using Spans = std::vector<std::pair<int, int>>; // (start, length) of each range, in order

Spans spansOf(const QList<QTextLayout::FormatRange>& ranges) {
    Spans spans;
    for (const auto& range : ranges)
        spans.emplace_back(range.start, range.length);
    return spans;
}

TEST(PreeditTest, ThePiecesFormatsMakeRoomForTheComposition) {
    Preedit preedit;
    QTextCharFormat marked;
    marked.setBackground(Qt::yellow);
    preedit.set("xyz", {{QInputMethodEvent::TextFormat, 1, 2, marked}});
    struct Case {
        const char* name;
        QTextLayout::FormatRange range;
        Spans spans; // the piece's range, then the composition's own at 4 + 1
    };
    const Case cases[] = {
        {"a run before the caret stays", {0, 2, bold()}, {{0, 2}, {5, 2}}},
        {"a run ending at the caret stays", {1, 3, bold()}, {{1, 3}, {5, 2}}},
        {"a run from the caret moves along", {4, 2, bold()}, {{7, 2}, {5, 2}}},
        {"a run across the caret is cut in two", {2, 5, bold()}, {{2, 2}, {7, 3}, {5, 2}}},
    };
    for (const Case& c : cases) {
        const auto ranges = preedit.withFormats({c.range}, 4);
        EXPECT_EQ(spansOf(ranges), c.spans) << c.name;
        EXPECT_EQ(ranges.back().format, marked) << c.name;
        EXPECT_EQ(ranges.front().format, bold()) << c.name;
    }
}

TEST(PreeditTest, ACompositionWithoutFormatsShowsUnderlinedWithItsCaretAtTheEnd) {
    Preedit preedit;
    preedit.set("abc", {});
    const auto ranges = preedit.withFormats({}, 2);
    EXPECT_EQ(spansOf(ranges), (Spans{{2, 3}}));
    EXPECT_TRUE(ranges.front().format.fontUnderline());
    EXPECT_EQ(preedit.cursor(), 3);

    preedit.set("abc", {{QInputMethodEvent::Cursor, 1, 1, {}}});
    EXPECT_EQ(preedit.cursor(), 1) << "the input method's own caret";
    preedit.clear();
    EXPECT_TRUE(preedit.isEmpty());
    EXPECT_TRUE(preedit.withFormats({}, 0).isEmpty()) << "nothing composed, nothing added";
}

} // namespace
} // namespace kelvane
