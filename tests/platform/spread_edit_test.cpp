// Many replacements made as one edit in one pass (Replace All): against the same replacements
// made one by one, whether they shrink the text, grow it or both, with line starts, styles,
// the one change notification, and undo and redo giving back exactly what was there.
#include "platform/text/TextModel.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <random>

using namespace kelvane;
using kelvane::test::coloured;

namespace {

struct Snapshot {
    QString text;
    std::vector<qsizetype> lineStarts;
    std::vector<WinColour> colours;
};

Snapshot snapshot(const TextModel& model) {
    Snapshot s;
    s.text = model.text().text();
    for (qsizetype i = 0; i < model.size(); ++i)
        s.colours.push_back(model.styles().styleAt(i).hasColour ? model.styles().styleAt(i).colour
                                                                : 0);
    for (qsizetype line = 0; line < model.text().lineCount(); ++line)
        s.lineStarts.push_back(model.text().lineStart(line));
    return s;
}

void expectSame(const Snapshot& a, const Snapshot& b, const char* what) {
    EXPECT_EQ(a.text, b.text) << what;
    EXPECT_EQ(a.colours, b.colours) << what;
    EXPECT_EQ(a.lineStarts, b.lineStarts) << what;
}

// Text of 'a', 'b', '\n' with every third character coloured.
void fillModel(TextModel& model, std::mt19937& rng, int length) {
    QString text;
    std::vector<std::uint8_t> styles;
    for (int i = 0; i < length; ++i) {
        text += QChar(u"ab\n"[rng() % 3]);
        styles.push_back(std::uint8_t(rng() % 3 == 0 ? 1 : 0));
    }
    model.setText(text);
    model.assignStyles(0, styles, {CharStyle{}, coloured(0x0000FF)});
}

} // namespace

TEST(SpreadEditTest, ReplacementsMadeTogetherMatchThemMadeOneByOneAndUndoExactly) {
    std::mt19937 rng(42);
    // Growing, shrinking, and both at once (which cannot be done in place).
    const std::pair<int, int> lengths[] = {{1, 3}, {3, 1}, {2, 2}, {0, 2}, {2, 0}, {-1, -1}};
    for (int pass = 0; pass < 60; ++pass) {
        const auto [removedLength, insertedLength] = lengths[pass % std::size(lengths)];
        TextModel spread;
        TextModel oneByOne;
        std::mt19937 textRng{unsigned(pass)};
        fillModel(spread, textRng, 40 + pass);
        textRng.seed(unsigned(pass));
        fillModel(oneByOne, textRng, 40 + pass);
        const Snapshot before = snapshot(spread);

        std::vector<SpreadPiece> pieces;
        QString allInserted;
        for (qsizetype at = qsizetype(rng() % 4); at < spread.size(); at += 2 + rng() % 6) {
            const qsizetype removed =
                removedLength < 0 ? qsizetype(rng() % 4) : qsizetype(removedLength);
            const qsizetype inserted =
                insertedLength < 0 ? qsizetype(rng() % 4) : qsizetype(insertedLength);
            if (at + removed > spread.size())
                break;
            QString piece;
            for (qsizetype i = 0; i < inserted; ++i)
                piece += QChar(u"xy\n"[rng() % 3]);
            pieces.push_back({at, removed, inserted});
            allInserted += piece;
            at += removed;
        }
        ASSERT_FALSE(pieces.empty());

        // One by one, last first; each inserted run takes the style of the first character
        // it replaces, or of the one before it when it replaces none.
        qsizetype offset = allInserted.size();
        for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
            offset -= piece->inserted;
            const qsizetype styleFrom = piece->removed > 0 ? piece->at : piece->at - 1;
            const CharStyle style = oneByOne.styles().styleAt(std::max<qsizetype>(styleFrom, 0));
            oneByOne.replace(piece->at, piece->removed, allInserted.mid(offset, piece->inserted));
            oneByOne.restyle(piece->at, piece->inserted, [&style](CharStyle& s) { s = style; });
        }

        QSignalSpy changes(&spread, &TextModel::contentsChanged);
        ASSERT_TRUE(spread.replaceEach(pieces, allInserted));
        const Snapshot after = snapshot(spread);
        expectSame(after, snapshot(oneByOne), "made together");
        ASSERT_EQ(changes.count(), 1) << "one change of the spanned range";
        const qsizetype from = changes[0][0].toLongLong();
        const qsizetype removed = changes[0][1].toLongLong();
        const qsizetype added = changes[0][2].toLongLong();
        EXPECT_EQ(before.text.left(from) + after.text.mid(from, added) +
                      before.text.mid(from + removed),
                  after.text)
            << "the change replayed on the text before it gives the text after it";

        EXPECT_EQ(spread.undoSteps(), 1);
        spread.undo();
        expectSame(snapshot(spread), before, "undone");
        spread.redo();
        expectSame(snapshot(spread), after, "redone");
        spread.undo();
        expectSame(snapshot(spread), before, "undone again");
    }
}

TEST(SpreadEditTest, PiecesThatDoNotFitOrAnOpenBatchChangeNothing) {
    TextModel model;
    model.setText(u"one two");
    EXPECT_FALSE(model.replaceEach({{4, 3, 1}, {2, 1, 1}}, QStringLiteral("xy")))
        << "not ascending";
    EXPECT_FALSE(model.replaceEach({{5, 3, 1}}, QStringLiteral("x"))) << "past the end";
    EXPECT_FALSE(model.replaceEach({{0, 1, 2}}, QStringLiteral("x"))) << "too few characters";
    model.beginBatch();
    EXPECT_FALSE(model.replaceEach({{0, 1, 1}}, QStringLiteral("x")));
    model.endBatch();
    EXPECT_EQ(model.text().text(), "one two");
    EXPECT_EQ(model.undoSteps(), 0);
    EXPECT_FALSE(model.isModified());

    EXPECT_TRUE(model.replaceEach({{0, 3, 1}, {4, 3, 1}}, QStringLiteral("12")));
    EXPECT_EQ(model.text().text(), "1 2");
    EXPECT_TRUE(model.isModified());
    model.replace(3, 0, u"!"); // a new edit drops the redo of nothing, keeps the step
    EXPECT_EQ(model.undoSteps(), 2);
    model.undo();
    model.undo();
    EXPECT_EQ(model.text().text(), "one two");
    EXPECT_FALSE(model.isModified());
}
