// The gap buffer and the line index straight, against plain containers: edits far apart so the
// gap (and the line index's pending shift) moves both ways, fills, in-place changes across the
// gap, contiguous views and giving memory back.
#include "platform/text/GapBuffer.h"
#include "platform/text/LineIndex.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

using namespace kelvane;

namespace {

std::vector<int> contents(const GapBuffer<int>& buffer) {
    std::vector<int> out(size_t(buffer.size()));
    buffer.read(0, buffer.size(), out.data());
    return out;
}

TEST(GapBufferTest, RandomEditsMatchAVector) {
    QRandomGenerator random(99);
    GapBuffer<int> buffer;
    std::vector<int> reference;
    int next = 0;
    for (int round = 0; round < 3000; ++round) {
        const auto size = qsizetype(reference.size());
        const qsizetype from = random.bounded(int(size) + 1);
        const qsizetype removed = random.bounded(int(std::min<qsizetype>(size - from, 40)) + 1);
        // Now and then an insert larger than the gap's minimum, so it must grow mid-text.
        const qsizetype count = random.bounded(8) == 0 ? 1500 : random.bounded(30);
        switch (random.bounded(4)) {
        case 0: { // values
            std::vector<int> values(static_cast<size_t>(count));
            std::iota(values.begin(), values.end(), next);
            next += int(count);
            buffer.replace(from, removed, values.data(), count);
            reference.erase(reference.begin() + from, reference.begin() + from + removed);
            reference.insert(reference.begin() + from, values.begin(), values.end());
            break;
        }
        case 1: // copies of one value
            buffer.replaceWith(from, removed, count, -round);
            reference.erase(reference.begin() + from, reference.begin() + from + removed);
            reference.insert(reference.begin() + from, size_t(count), -round);
            break;
        case 2: { // changed in place, across the gap
            qsizetype offset = from;
            buffer.forPieces(from, removed, [&](int* p, qsizetype n) {
                for (qsizetype i = 0; i < n; ++i, ++offset)
                    p[i] = int(offset) * 7;
            });
            for (qsizetype i = from; i < from + removed; ++i)
                reference[size_t(i)] = int(i) * 7;
            break;
        }
        case 3: { // read as one contiguous run
            const int* run = buffer.contiguous(from, removed);
            for (qsizetype i = 0; i < removed; ++i)
                ASSERT_EQ(run[i], reference[size_t(from + i)]) << "round " << round;
            break;
        }
        }
        if (reference.size() > 20000) {
            buffer.remove(0, 15000);
            reference.erase(reference.begin(), reference.begin() + 15000);
        }
        ASSERT_EQ(buffer.size(), qsizetype(reference.size())) << "round " << round;
        if (round % 100 == 0) {
            ASSERT_EQ(contents(buffer), reference) << "round " << round;
        }
    }
    EXPECT_EQ(contents(buffer), reference);
}

TEST(GapBufferTest, RangesAreClampedAndEmptyPiecesAreNeverHandedOut) {
    GapBuffer<char16_t> buffer;
    int calls = 0;
    buffer.forPieces(0, 10, [&calls](const char16_t*, qsizetype) { ++calls; });
    EXPECT_EQ(calls, 0) << "an empty buffer has no piece";
    const char16_t text[] = u"abcdef";
    buffer.append(text, 6);
    buffer.insert(3, u'X'); // the gap now sits after "abcX"
    buffer.forPieces(4, 0, [&calls](const char16_t*, qsizetype) { ++calls; });
    EXPECT_EQ(calls, 0) << "an empty range has no piece";
    buffer.replace(-5, 2, nullptr, 0);
    buffer.replace(100, 5, u"!", 1);
    char16_t out[8] = {};
    buffer.read(0, 100, out);
    EXPECT_EQ(std::u16string(out), u"cXdef!");
}

TEST(GapBufferTest, AnEditThatChangesNothingLeavesTheGapWhereItIs) {
    // The line starts of a long text: typing without a line break changes none of them, and
    // must not move the whole buffer to the far end of the text.
    GapBuffer<int> buffer;
    std::vector<int> values(100000);
    std::iota(values.begin(), values.end(), 0);
    buffer.append(values.data(), qsizetype(values.size()));
    buffer.remove(0, 0);
    buffer.replace(10, 0, nullptr, 0);
    int pieces = 0;
    buffer.forPieces(0, buffer.size(), [&pieces](const int*, qsizetype) { ++pieces; });
    EXPECT_EQ(pieces, 1) << "the gap is still at the end";
    EXPECT_EQ(contents(buffer), values);
}

TEST(GapBufferTest, ShrinkGivesBackRoomReservedForLoading) {
    GapBuffer<char16_t> buffer;
    buffer.reset(1 << 20); // room for a file that decoded to far fewer characters
    const std::u16string text(5000, u'x');
    buffer.append(text.data(), qsizetype(text.size()));
    buffer.shrink();
    EXPECT_LT(buffer.capacity(), 5000 + 2 * 1024);
    EXPECT_EQ(buffer.size(), 5000);
    buffer.insert(2500, u'y'); // still room for the first key without a copy of its own
    EXPECT_EQ(buffer.at(2500), u'y');
}

TEST(GapBufferTest, ValuesWrittenInPlaceAndZeroedBuffersJoinTheSequence) {
    // A loader writes into the room at the end, also after the gap was moved by an edit, and
    // takes in fewer values than it asked room for.
    GapBuffer<int> buffer;
    buffer.reset(4);
    int* room = buffer.appendRoom(3);
    room[0] = 1;
    room[1] = 2;
    buffer.appended(2);
    buffer.insert(0, 0);
    room = buffer.appendRoom(2000); // more than the room left: the buffer grows
    std::iota(room, room + 2000, 3);
    buffer.appended(2000);
    std::vector<int> expected(2003);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(contents(buffer), expected);

    // Zeroed values are real values: read, edited and kept around the gap like any other.
    GapBuffer<std::uint8_t> styles;
    styles.resetZeroed(100000, 101000);
    EXPECT_EQ(styles.size(), 100000);
    styles.replaceWith(50000, 10, 5, 7);
    std::vector<std::uint8_t> all(size_t(styles.size()));
    styles.read(0, styles.size(), all.data());
    EXPECT_EQ(std::count(all.begin(), all.end(), 0), 100000 - 10);
    EXPECT_EQ(std::count(all.begin(), all.end(), 7), 5);
    EXPECT_EQ(all[50000], 7);
}

/// Line starts of a text computed the obvious way.
std::vector<qsizetype> startsOf(const QString& text) {
    std::vector<qsizetype> starts{0};
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\n')
            starts.push_back(i + 1);
    return starts;
}

TEST(LineIndexTest, EditsFarApartKeepEveryLineStart) {
    QRandomGenerator random(5);
    QString reference = QString("line\n").repeated(200);
    LineIndex index;
    index.appendBreaksOf(reference, 0);
    for (int round = 0; round < 1500; ++round) {
        // Alternate between the start and the end, so the pending shift moves across the index.
        const qsizetype half = reference.size() / 2;
        const qsizetype from = (round % 2 ? half : 0) + random.bounded(int(half) + 1);
        const qsizetype removed =
            random.bounded(int(std::min<qsizetype>(reference.size() - from, 9)) + 1);
        const QString inserted =
            QString("a\nb").left(random.bounded(4)).repeated(random.bounded(3));
        index.replace(from, removed, inserted);
        reference.replace(from, removed, inserted);
        const std::vector<qsizetype> starts = startsOf(reference);
        ASSERT_EQ(index.lineCount(), qsizetype(starts.size())) << "round " << round;
        for (std::size_t line = 0; line < starts.size(); line += 1 + starts.size() / 50)
            ASSERT_EQ(index.lineStart(qsizetype(line)), starts[line]) << "round " << round;
        const qsizetype probe = random.bounded(int(reference.size()) + 1);
        const auto after = std::upper_bound(starts.begin(), starts.end(), probe);
        ASSERT_EQ(index.lineOf(probe), qsizetype(after - starts.begin()) - 1) << "round " << round;
    }
    EXPECT_EQ(index.lineStart(index.lineCount()), -1) << "past the last line";
}

TEST(LineIndexTest, StartsKeepTheirPositionsNearAndBeyondFourGigaCharacters) {
    // Positions near the top of four bytes with shifts both ways pending, then a text that
    // grows past them: the index widens and every start stays where it was.
    const qsizetype high = 4'000'000'000;
    LineIndex index;
    index.clear(4);
    index.appendBreaksOf(u"a\nb\n", 0); // lines start at 2 and 4
    index.appendLineStart(high);        // a very long line before this one
    index.replace(0, 1, u"");           // everything after moves back by one
    index.replace(1, 0, u"\nxyz");      // a new line; the rest moves on by four
    const std::vector<qsizetype> before{0, 1, 2, 5 + 2, high + 3};
    ASSERT_EQ(index.lineCount(), 5);
    for (qsizetype line = 0; line < 5; ++line)
        EXPECT_EQ(index.lineStart(line), before[size_t(line)]) << "line " << line;
    EXPECT_EQ(index.lineOf(high + 2), 3);

    // A break far past four giga characters (a text that grew): the index widens first.
    index.appendBreaksOf(u"\n", high * 2);
    index.replace(0, 0, u"\n");
    ASSERT_EQ(index.lineCount(), 7);
    const std::vector<qsizetype> after{0, 1, 2, 3, 8, high + 4, high * 2 + 2};
    for (qsizetype line = 0; line < 7; ++line)
        EXPECT_EQ(index.lineStart(line), after[size_t(line)]) << "line " << line;
    EXPECT_EQ(index.lineOf(high * 2 + 2), 6);
    EXPECT_EQ(index.lineOf(high * 2 + 1), 5);
}

TEST(LineIndexTest, EdgesOfTheIndex) {
    LineIndex index;
    EXPECT_EQ(index.lineCount(), 1) << "an empty text has one line";
    EXPECT_EQ(index.lineStart(0), 0);
    EXPECT_EQ(index.lineStart(-1), -1);
    EXPECT_EQ(index.lineStart(1), -1);
    EXPECT_EQ(index.lineOf(0), 0);

    // Loaded in two pieces, the second starting right after a break.
    index.clear(8);
    index.appendBreaksOf(u"ab\ncd\n", 0);
    index.appendBreaksOf(u"\nf", 6);
    const std::vector<qsizetype> starts{0, 3, 6, 7};
    ASSERT_EQ(index.lineCount(), 4);
    for (qsizetype line = 0; line < 4; ++line)
        EXPECT_EQ(index.lineStart(line), starts[size_t(line)]) << "line " << line;
    EXPECT_EQ(index.lineOf(2), 0) << "a break belongs to the line it ends";
    EXPECT_EQ(index.lineOf(3), 1);
    EXPECT_EQ(index.lineOf(6), 2) << "an empty line holds its own break";
    EXPECT_EQ(index.lineOf(100), 3) << "past the end is the last line";

    // Every break removed at once, then a break typed at the very start and at the very end.
    index.replace(0, 8, u"xyz");
    EXPECT_EQ(index.lineCount(), 1);
    index.replace(0, 0, u"\n");
    index.replace(4, 0, u"\n");
    EXPECT_EQ(index.lineCount(), 3);
    EXPECT_EQ(index.lineStart(1), 1);
    EXPECT_EQ(index.lineStart(2), 5);
    index.clear();
    EXPECT_EQ(index.lineCount(), 1) << "clearing forgets every break and its pending shift";
    EXPECT_EQ(index.lineStart(1), -1);
}

} // namespace
