// The text store: gap buffer (one byte per character while the text is Latin-1, two after) and
// line index against a plain QString that takes the same edits, including the pending line
// shift moving back and forth between far-apart edits.
#include "platform/text/TextStore.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <algorithm>
#include <cstring>

using namespace kelvane;

namespace {

/// Line starts of a text computed the obvious way.
std::vector<qsizetype> lineStartsOf(const QString& text) {
    std::vector<qsizetype> starts{0};
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\n'))
            starts.push_back(i + 1);
    return starts;
}

void expectSameLines(const TextStore& store, const QString& reference) {
    const std::vector<qsizetype> starts = lineStartsOf(reference);
    ASSERT_EQ(store.lineCount(), qsizetype(starts.size()));
    for (std::size_t line = 0; line < starts.size(); ++line) {
        ASSERT_EQ(store.lineStart(qsizetype(line)), starts[line]) << "line " << line;
        const qsizetype end = line + 1 < starts.size() ? starts[line + 1] - 1 : reference.size();
        ASSERT_EQ(store.lineEnd(qsizetype(line)), end) << "line " << line;
    }
    for (qsizetype position = 0; position <= reference.size(); ++position) {
        const auto after = std::upper_bound(starts.begin(), starts.end(), position);
        ASSERT_EQ(store.lineOf(position), qsizetype(after - starts.begin()) - 1)
            << "position " << position;
    }
}

} // namespace

TEST(TextStoreTest, EmptyTextHasOneEmptyLine) {
    TextStore store;
    EXPECT_EQ(store.size(), 0);
    EXPECT_EQ(store.lineCount(), 1);
    EXPECT_EQ(store.lineStart(0), 0);
    EXPECT_EQ(store.lineEnd(0), 0);
    EXPECT_EQ(store.lineStart(1), -1) << "past the last line";
    EXPECT_EQ(store.lineOf(0), 0);
}

TEST(TextStoreTest, LineBreakBelongsToTheLineItEnds) {
    TextStore store;
    store.setText(u"ab\n\ncd\n");
    EXPECT_EQ(store.lineCount(), 4);
    EXPECT_EQ(store.lineOf(2), 0) << "the break after ab";
    EXPECT_EQ(store.lineOf(3), 1) << "the empty line's break";
    EXPECT_EQ(store.lineOf(4), 2);
    EXPECT_EQ(store.lineOf(7), 3) << "the end of the text is on the last, empty line";
    EXPECT_EQ(store.lineLength(2), 2);
    EXPECT_EQ(store.lineLength(3), 0);
}

TEST(TextStoreTest, EditsJoinAndSplitLines) {
    TextStore store;
    store.setText(u"one\ntwo\nthree");
    store.replace(3, 1, u" "); // join the first two lines
    EXPECT_EQ(store.text(), "one two\nthree");
    expectSameLines(store, QStringLiteral("one two\nthree"));
    store.replace(4, 0, u"\n\n"); // split it again, with an empty line
    EXPECT_EQ(store.text(), "one \n\ntwo\nthree");
    expectSameLines(store, QStringLiteral("one \n\ntwo\nthree"));
    store.replace(0, store.size(), u""); // remove everything
    expectSameLines(store, QString());
}

TEST(TextStoreTest, LoadingInPiecesEqualsSettingTheWhole) {
    const QString whole = QStringLiteral("alpha\nbeta\n\ngamma\ndelta");
    // The number of line breaks announced is only a hint: too few, right or far too many.
    for (qsizetype expectedBreaks : {0, 1, 4, 5000}) {
        TextStore pieces;
        pieces.clear(whole.size(), expectedBreaks);
        for (qsizetype at = 0; at < whole.size(); at += 3)
            pieces.append(QStringView(whole).mid(at, 3));
        pieces.finishLoading();
        EXPECT_EQ(pieces.text(), whole);
        expectSameLines(pieces, whole);
        pieces.replace(6, 0, u"x\n"); // the first edit after loading
        expectSameLines(pieces, QStringLiteral("alpha\nx\nbeta\n\ngamma\ndelta"));
        EXPECT_LT(pieces.memoryBytes(), 8 * 1024 + 4096) << "spare room given back";
    }
}

TEST(TextStoreTest, PiecesCoverTheRangeAcrossTheGapInEitherWidth) {
    for (const QString& tail : {QStringLiteral("ab"), QStringLiteral("a\u20ac")}) {
        TextStore store;
        store.setText(u"0123456789");
        store.replace(5, 0, tail); // the gap now sits after the insert
        EXPECT_EQ(store.isNarrow(), tail == "ab");
        QString joined;
        int pieces = 0;
        store.forPieces(2, 10, [&](QStringView piece) {
            joined += piece;
            ++pieces;
        });
        EXPECT_EQ(joined, "234" + tail + "567");
        EXPECT_EQ(pieces, 2) << "a range over the gap comes in two pieces";
        EXPECT_EQ(store.text(8, 100), "6789") << "ranges are clamped to the text";
    }

    // A long text held one byte per character comes in converted blocks, each whole while its
    // call lasts, joined the text again.
    TextStore store;
    QString reference;
    for (int i = 0; reference.size() < 3 * TextStore::kPieceBlock; ++i)
        reference += QStringLiteral("line %1 \u00e9\u00ff\n").arg(i);
    store.setText(reference);
    store.replace(TextStore::kPieceBlock + 7, 0, u"x");
    reference.insert(TextStore::kPieceBlock + 7, u'x');
    ASSERT_TRUE(store.isNarrow());
    QString joined;
    store.forPieces(3, reference.size(), [&](QStringView piece) {
        ASSERT_FALSE(piece.isEmpty());
        ASSERT_LE(piece.size(), TextStore::kPieceBlock);
        ASSERT_EQ(piece, QStringView(reference).sliced(joined.size() + 3, piece.size()));
        joined += piece;
    });
    EXPECT_EQ(joined, reference.mid(3));
}

TEST(TextStoreTest, RandomEditsMatchAPlainString) {
    // Edits jump between far-apart places so the pending line shift moves both ways, and
    // insert and remove whole runs of lines.
    QRandomGenerator random(1234);
    TextStore store;
    QString reference = QStringLiteral("start\n");
    store.setText(reference);
    const QString alphabet = QStringLiteral("ab\n\ncd\n");
    for (int round = 0; round < 2000; ++round) {
        const qsizetype from = random.bounded(int(reference.size()) + 1);
        const qsizetype removed =
            random.bounded(std::min<int>(int(reference.size() - from), 12) + 1);
        QString inserted;
        const int length = random.bounded(10);
        for (int i = 0; i < length; ++i)
            inserted += alphabet[random.bounded(int(alphabet.size()))];
        reference.replace(from, removed, inserted);
        store.replace(from, removed, inserted);
        ASSERT_EQ(store.text(), reference) << "round " << round;
        if (round % 50 == 0 || round > 1950)
            expectSameLines(store, reference);
    }
    expectSameLines(store, reference);
}

TEST(TextStoreTest, InsertsLargerThanTheGapAndALoadGivenBackItsRoom) {
    // Loaded with far more room reserved than the text needs, then given back; then pastes of
    // more characters than the gap holds, in the middle, each splitting lines, and cuts of
    // whole runs: every step against a plain string.
    TextStore store;
    QString reference;
    store.clear(1 << 20);
    for (int piece = 0; piece < 40; ++piece) {
        const QString text = QStringLiteral("line %1 of the load\n").arg(piece);
        store.append(text);
        reference += text;
    }
    store.finishLoading();
    ASSERT_EQ(store.text(), reference);
    expectSameLines(store, reference);
    EXPECT_LT(store.memoryBytes(), 1 << 19) << "the room reserved for loading was given back";

    QRandomGenerator random(1024);
    for (int round = 0; round < 24; ++round) {
        const qsizetype middle = reference.size() / 2 + random.bounded(64) - 32;
        QString paste;
        const qsizetype length = 1025 + random.bounded(3000);
        while (paste.size() < length)
            paste += random.bounded(8) == 0 ? QStringLiteral("\n") : QStringLiteral("word ");
        store.replace(middle, 0, paste);
        reference.insert(middle, paste);
        ASSERT_EQ(store.text(), reference) << "paste " << round;
        if (round % 3 == 2) { // and cut a run larger than the gap elsewhere
            const qsizetype from = random.bounded(int(reference.size() / 3));
            const qsizetype count = std::min<qsizetype>(reference.size() - from, 1500);
            store.replace(from, count, u"");
            reference.remove(from, count);
            ASSERT_EQ(store.text(), reference) << "cut " << round;
        }
    }
    expectSameLines(store, reference);
    // And back to nothing, line index and all.
    store.replace(0, store.size(), u"");
    EXPECT_EQ(store.size(), 0);
    EXPECT_EQ(store.lineCount(), 1);
}

TEST(TextStoreTest, SurrogatePairsAreTwoPositions) {
    TextStore store;
    const QString text = QString::fromUtf8("a\xF0\x9F\x98\x80"
                                           "b\nc"); // a, U+1F600, b
    store.setText(text);
    EXPECT_EQ(store.size(), 6);
    EXPECT_EQ(store.lineStart(1), 5);
    EXPECT_EQ(store.text(1, 3), QString::fromUtf8("\xF0\x9F\x98\x80"));
}

TEST(TextStoreTest, LatinTextIsHeldOneBytePerCharacterUntilAWiderOneArrives) {
    TextStore store;
    QString reference;
    for (int i = 0; i < 2000; ++i)
        reference += QStringLiteral("caf\u00e9 %1 \u00ff\n").arg(i);
    store.setText(reference);
    ASSERT_TRUE(store.isNarrow());
    const qsizetype narrowBytes = store.memoryBytes();
    EXPECT_LT(narrowBytes, reference.size() * 3 / 2) << "one byte per character and the lines";
    EXPECT_EQ(store.at(3), QChar(0xE9));

    // Edits of every kind that bring characters above U+00FF: each widens, once.
    const auto widening = [&](const char* how, auto&& edit) {
        TextStore wide;
        QString expected = reference;
        wide.setText(reference);
        edit(wide, expected);
        EXPECT_FALSE(wide.isNarrow()) << how;
        EXPECT_EQ(wide.text(), expected) << how;
        expectSameLines(wide, expected);
        EXPECT_GT(wide.memoryBytes(), narrowBytes + reference.size() / 2) << how;
    };
    widening("typed", [](TextStore& s, QString& e) {
        s.replace(5, 0, u"\u20ac");
        e.insert(5, u'\u20ac');
    });
    widening("replacing a range", [](TextStore& s, QString& e) {
        s.replace(10, 30, u"x\n\U0001F600\ny");
        e.replace(10, 30, QStringLiteral("x\n\U0001F600\ny"));
    });
    widening("in many places at once", [](TextStore& s, QString& e) {
        const std::vector<SpreadPiece> pieces{{1, 2, 1}, {100, 0, 2}, {5000, 3, 1}};
        s.replaceEach(pieces, u"\u0100\n\u00e9\u0101");
        e.replace(5000, 3, QStringLiteral("\u0101"))
            .replace(100, 0, QStringLiteral("\n\u00e9"))
            .replace(1, 2, QStringLiteral("\u0100"));
    });
    widening("loaded late", [](TextStore& s, QString& e) {
        s.clear(e.size() + 2);
        s.append(e);
        s.append(u"\u0394\n");
        s.finishLoading();
        e += QStringLiteral("\u0394\n");
    });

    // Taking the wider character out again leaves the store as it is; a new text starts
    // narrow again.
    store.replace(0, 0, u"\u20ac");
    store.replace(0, 1, u"");
    EXPECT_FALSE(store.isNarrow()) << "once wide, a document stays wide";
    EXPECT_EQ(store.text(), reference);
    store.setText(u"plain again");
    EXPECT_TRUE(store.isNarrow());
    char* room = store.appendNarrowRoom(3);
    ASSERT_NE(room, nullptr);
    std::memcpy(room, "\xE9\n!", 3);
    store.appended(3);
    EXPECT_EQ(store.text(), QStringLiteral("plain again\u00e9\n!"));
    EXPECT_EQ(store.lineCount(), 2);
    char16_t* wideRoom = store.appendRoom(1);
    wideRoom[0] = u'\u2026';
    store.appended(1);
    EXPECT_EQ(store.text(), QStringLiteral("plain again\u00e9\n!\u2026"));
    EXPECT_EQ(store.appendNarrowRoom(1), nullptr) << "no narrow room once wide";
}

TEST(TextStoreTest, RandomEditsAcrossTheWideningWithTheGapMovedPartWay) {
    // Mostly Latin-1 edits, now and then a wider character, with the room for edits moved part
    // of the way toward random places between them, as it is while the program idles; the
    // text is loaded afresh a few times so both widths see many edits.
    QRandomGenerator random(2026);
    const QString latin = QStringLiteral("ab \n\u00e9\u00ff\t");
    const QString wider = QStringLiteral("\u20ac\u0100\U0001F600");
    TextStore store;
    QString reference;
    for (int round = 0; round < 6000; ++round) {
        if (round % 1500 == 0) {
            reference = QStringLiteral("line one\nline \u00e9 two\n");
            store.setText(reference);
            ASSERT_TRUE(store.isNarrow());
        }
        if (random.bounded(3) == 0)
            store.prepareEditAt(random.bounded(int(reference.size()) + 1), random.bounded(20));
        const qsizetype from = random.bounded(int(reference.size()) + 1);
        const qsizetype removed =
            random.bounded(std::min<int>(int(reference.size() - from), 12) + 1);
        QString inserted;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i)
            inserted += latin[random.bounded(int(latin.size()))];
        if (random.bounded(300) == 0)
            inserted.insert(random.bounded(int(inserted.size()) + 1),
                            wider[random.bounded(int(wider.size()))]);
        const bool wasNarrow = store.isNarrow();
        reference.replace(from, removed, inserted);
        store.replace(from, removed, inserted);
        ASSERT_EQ(store.isNarrow(),
                  wasNarrow && std::all_of(inserted.begin(), inserted.end(),
                                           [](QChar c) { return c.unicode() <= 0xFF; }))
            << "round " << round;
        ASSERT_EQ(store.text(), reference) << "round " << round;
        const qsizetype at = random.bounded(int(reference.size()) + 1);
        ASSERT_EQ(store.text(at, at + 7), reference.mid(at, 7)) << "round " << round;
        if (at < reference.size()) {
            ASSERT_EQ(store.at(at), reference[at]) << "round " << round;
        }
        if (round % 100 == 0)
            expectSameLines(store, reference);
    }
    expectSameLines(store, reference);
}
