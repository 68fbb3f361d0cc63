// The rich-text control: CR LF positions, selection, formatting outside the undo history,
// files, spanning, line messages and events.
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

namespace kelvane {
namespace {

using test::readAll;
using test::ScratchDir;

/// Lines of a CR LF text: (start, length without the break).
std::vector<std::pair<qsizetype, qsizetype>> linesOf(const QString& text) {
    std::vector<std::pair<qsizetype, qsizetype>> lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype br = text.indexOf(QLatin1String("\r\n"), start);
        if (br < 0) {
            lines.emplace_back(start, text.size() - start);
            return lines;
        }
        lines.emplace_back(start, br - start);
        start = br + 2;
    }
}

TEST(RichTextBoxTest, PositionsCountLineBreaksAsTwoUnderRandomEdits) {
    RichTextBox box;
    QString model;
    std::mt19937 random(11);
    const QStringList pieces = {
        "a", "bc", "\r\n", "x\r\ny", "\r\n\r\n", QString::fromUtf8("ü"), "\t", "longer text"};
    for (int step = 0; step < 400; ++step) {
        // Positions that never split a CR LF pair.
        std::vector<qsizetype> cuts;
        for (qsizetype i = 0; i <= model.size(); ++i)
            if (i == 0 || i == model.size() || !(model[i - 1] == '\r' && model[i] == '\n'))
                cuts.push_back(i);
        qsizetype a = cuts[random() % cuts.size()];
        qsizetype b = cuts[random() % cuts.size()];
        if (a > b)
            std::swap(a, b);
        if (random() % 3 == 0)
            b = a;
        box.setSelStart(a);
        box.setSelLength(b - a);
        ASSERT_EQ(box.SelStart(), a);
        ASSERT_EQ(box.SelLength(), b - a);
        ASSERT_EQ(box.SelText(), model.mid(a, b - a));
        const QString piece = random() % 4 == 0 ? QString() : pieces[random() % pieces.size()];
        box.setSelText(piece);
        model.replace(a, b - a, piece);
        ASSERT_EQ(box.Text(), model);
        ASSERT_EQ(box.textLength(), model.size());
        ASSERT_EQ(box.SelStart(), a + piece.size());
        ASSERT_EQ(box.SelLength(), 0);
    }
    const auto lines = linesOf(model);
    ASSERT_EQ(box.lineCount(), qsizetype(lines.size()));
    for (qsizetype line = 0; line < qsizetype(lines.size()); ++line) {
        const auto [start, length] = lines[size_t(line)];
        EXPECT_EQ(box.lineIndex(line), start);
        EXPECT_EQ(box.lineLength(start), length);
        EXPECT_EQ(box.lineFromChar(start + length), line);
        const qsizetype doc = box.toDocumentPosition(start);
        EXPECT_EQ(box.fromDocumentPosition(doc), start);
    }
    EXPECT_EQ(box.lineIndex(qsizetype(lines.size())), -1);
}

TEST(RichTextBoxTest, PositionInsideLineBreakStandsForTheBreak) {
    RichTextBox box;
    box.setText("ab\r\ncd");
    box.setSelStart(3); // between CR and LF
    EXPECT_EQ(box.SelStart(), 2);
    box.setSelStart(1);
    box.setSelLength(4);
    EXPECT_EQ(box.SelText(), "b\r\nc");
}

TEST(RichTextBoxTest, ColouringIsNotAnEditAndTypedTextTakesColourAtCaret) {
    RichTextBox box;
    box.resize(400, 200);
    box.show();
    box.setText("hello world");
    QSignalSpy changes(&box, &RichTextBox::Change);
    box.setSelStart(0);
    box.setSelLength(5);
    box.setSelColor(0x0000FF);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_LE(box.undoSteps(), 1) << "colouring adds no undo step";
    EXPECT_EQ(box.styleAt(0).colour, 0x0000FFu);
    EXPECT_FALSE(box.styleAt(6).hasColour);

    box.setSelStart(5);
    QTest::keyClicks(box.view(), "XY");
    EXPECT_EQ(box.Text(), "helloXY world");
    EXPECT_EQ(box.styleAt(5).colour, 0x0000FFu) << "typed characters take the colour at the caret";
    EXPECT_EQ(box.styleAt(6).colour, 0x0000FFu);
    EXPECT_GT(changes.count(), 0);

    box.setSelStart(0);
    box.setSelLength(box.textLength());
    box.setSelColor(0x00FF00);
    box.undo();
    EXPECT_EQ(box.Text(), "hello world") << "undo takes back the typing, not the colouring";
    EXPECT_EQ(box.styleAt(0).colour, 0x00FF00u);
}

TEST(RichTextBoxTest, WindowTextColourIsThePlainColour) {
    RichTextBox box;
    box.setText("abc");
    box.setSelStart(0);
    box.setSelLength(3);
    box.setSelColor(0x123456);
    box.setSelColor(kWindowTextColour);
    EXPECT_FALSE(box.styleAt(1).hasColour);
}

TEST(RichTextBoxTest, RichSelectionTravelsWithItsFormatting) {
    RichTextBox source;
    source.setText("plain red\r\nbold");
    source.setSelStart(6);
    source.setSelLength(3);
    source.setSelColor(0x0000FF);
    source.setSelStart(11);
    source.setSelLength(4);
    source.setSelBold(true);
    source.setSelStart(4);
    source.setSelLength(11);
    const QByteArray rtf = source.SelRTF();
    EXPECT_TRUE(rtf.startsWith("{\\rtf"));

    RichTextBox target;
    target.setText("[]");
    target.setSelStart(1);
    target.setSelRTF(rtf);
    EXPECT_EQ(target.Text(), "[n red\r\nbold]");
    EXPECT_EQ(target.styleAt(3).colour, 0x0000FFu);
    EXPECT_FALSE(target.styleAt(2).hasColour);
    EXPECT_TRUE(target.styleAt(9).bold);
    EXPECT_FALSE(target.styleAt(12).bold);
    target.undo();
    EXPECT_EQ(target.Text(), "[]") << "a rich paste is one undo step";
}

struct FileCase {
    const char* name;
    QByteArray bytes;
    QString inserted = {}; // typed at `at` (-1: the end) after loading
    qsizetype at = 0;
    QByteArray saved = {}; // what an edited file saves as
};

TEST(RichTextBoxTest, TextFilesSaveBackByteForByteAndEditsChangeOnlyTheirOwnBytes) {
    const FileCase cases[] = {
        {"crlf", "one\r\ntwo\r\n"},
        {"lf without final break", "one\ntwo"},
        {"cr", "mac\rstyle\r"},
        {"mixed breaks", "a\r\nb\nc\r\nd\re\r\n"},
        {"windows-1252", "caf\xE9 \x80 \xA0nbsp\r\n"},
        {"utf-8 with bom", "\xEF\xBB\xBFhi \xC3\xBC\n"},
        {"utf-16 le", QByteArray("\xFF\xFEh\0i\0\r\0\n\0", 10)},
        {"nul bytes", QByteArray("a\0b\r\n", 5)},
        {"empty", ""},
        {"unchanged lines keep their breaks after an edit elsewhere", "a\r\nb\nc\r\n", "new\r\n", 0,
         "new\r\na\r\nb\nc\r\n"},
        {"text that outgrows windows-1252 is saved as utf-8", "caf\xE9\r\n",
         QString::fromUtf8("日本"), -1, QByteArray("caf\xC3\xA9\r\n\xE6\x97\xA5\xE6\x9C\xAC")},
    };
    ScratchDir dir;
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.write("f.txt", c.bytes);
        RichTextBox box;
        QString error;
        ASSERT_TRUE(box.LoadFile(path, error));
        if (!c.inserted.isEmpty()) {
            box.setSelStart(c.at < 0 ? box.textLength() : c.at);
            box.setSelText(c.inserted);
        }
        ASSERT_TRUE(box.SaveFile(dir.file("g.txt"), 1, error));
        EXPECT_EQ(readAll(dir.file("g.txt")), c.inserted.isEmpty() ? c.bytes : c.saved);
    }
}

TEST(RichTextBoxTest, RtfFilesLoadFormattedAndSaveAsRtfOrText) {
    ScratchDir dir;
    const QString path = dir.write(
        "r.rtf", "{\\rtf1\\ansi{\\colortbl ;\\red0\\green0\\blue255;}a\\cf1 b\\cf0 c\\par d}");
    RichTextBox box;
    QString error;
    ASSERT_TRUE(box.LoadFile(path, error));
    EXPECT_EQ(box.Text(), "abc\r\nd");
    EXPECT_EQ(box.styleAt(1).colour, 0xFF0000u);
    ASSERT_TRUE(box.SaveFile(dir.file("copy.rtf"), 0, error));
    RichTextBox again;
    ASSERT_TRUE(again.LoadFile(dir.file("copy.rtf"), error));
    EXPECT_EQ(again.Text(), box.Text());
    EXPECT_EQ(again.styleAt(1).colour, 0xFF0000u);
    EXPECT_FALSE(again.styleAt(2).hasColour);
}

TEST(RichTextBoxTest, MissingFileReportsTheSystemError) {
    RichTextBox box;
    box.setText("unchanged");
    QString error;
    EXPECT_FALSE(box.LoadFile("/no/such/file.txt", error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(box.Text(), "unchanged");
}

TEST(RichTextBoxTest, SpanExtendsOverTheSetOrItsComplement) {
    RichTextBox box;
    box.setText("ab..!?cd");
    box.setSelStart(2);
    box.Span(".?!:", true, false);
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 4);
    box.setSelStart(6);
    box.Span(".?!:", false, false);
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 4);
    box.setSelStart(0);
    box.Span(".?!:", true, true);
    EXPECT_EQ(box.SelText(), "ab");
}

TEST(RichTextBoxTest, WrappedLinesAreDisplayLines) {
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    box.setText(QString("word ").repeated(200) + "\r\nshort");
    EXPECT_EQ(box.lineCount(), 2);
    box.setRightMargin(3000); // about two inches
    const qsizetype lines = box.lineCount();
    EXPECT_GT(lines, 3);
    const qsizetype last = box.lineIndex(lines - 1);
    EXPECT_EQ(box.Text().mid(last), "short");
    EXPECT_EQ(box.lineFromChar(box.textLength()), lines - 1);
    qsizetype total = 0;
    for (qsizetype line = 0; line + 1 < lines; ++line)
        total += box.lineLength(box.lineIndex(line));
    EXPECT_EQ(total, 1000) << "the wrapped lines of the first paragraph cover it exactly";
    box.setRightMargin(kNoWrapTwips);
    EXPECT_EQ(box.lineCount(), 2);
}

TEST(RichTextBoxTest, KeyDownComesBeforeTheKeyActsAndCanSwallowIt) {
    RichTextBox box;
    box.show();
    box.setText("line");
    box.setSelStart(4);
    QString seen;
    int shiftSeen = -1;
    QObject::connect(&box, &RichTextBox::KeyDown, [&](int& keyCode, int shift) {
        if (keyCode == 13)
            seen = box.Text();
        shiftSeen = shift;
        if (keyCode == 'Q')
            keyCode = 0;
    });
    QTest::keyClick(box.view(), Qt::Key_Return);
    EXPECT_EQ(seen, "line");
    EXPECT_EQ(box.Text(), "line\r\n");
    QTest::keyClick(box.view(), Qt::Key_Q, Qt::ShiftModifier);
    EXPECT_EQ(box.Text(), "line\r\n");
    EXPECT_EQ(shiftSeen, 1);
}

TEST(RichTextBoxTest, RightButtonReleaseIsReportedAsButtonTwo) {
    RichTextBox box;
    box.show();
    QSignalSpy ups(&box, &RichTextBox::MouseUp);
    QTest::mouseClick(box.view()->viewport(), Qt::RightButton);
    ASSERT_EQ(ups.count(), 1);
    EXPECT_EQ(ups[0][0].toInt(), 2);
}

TEST(RichTextBoxTest, ManyDistinctStylesNeverOverflowTheTable) {
    RichTextBox box;
    box.setText(QString("x").repeated(600));
    for (int i = 0; i < 600; ++i) {
        box.setSelStart(i);
        box.setSelLength(1);
        box.setSelColor(WinColour(i * 997));
    }
    EXPECT_EQ(box.styleAt(1).colour, 997u);
    EXPECT_TRUE(box.styleAt(599).hasColour) << "past 256 styles the nearest one is used";
    EXPECT_EQ(box.Text().size(), 600);
}

} // namespace
} // namespace kelvane

namespace kelvane {
namespace {

TEST(RichTextBoxTest, LineBreakStylesFollowTheirLinesThroughEdits) {
    // The file's usual break is CR LF; lines 1 and 3 end in LF, line 4 in CR.
    ScratchDir dir;
    const QString path = dir.write("m.txt", "a\r\nb\nc\r\nd\ne\rf\r\ng");
    RichTextBox box;
    QString error;
    ASSERT_TRUE(box.LoadFile(path, error));
    box.setSelStart(box.lineIndex(2)); // at "c": a new line before it takes the usual break
    box.setSelText("new\r\n");
    ASSERT_TRUE(box.SaveFile(path, 1, error));
    EXPECT_EQ(readAll(path), "a\r\nb\nnew\r\nc\r\nd\ne\rf\r\ng");

    // Joining "d" and "e" takes the LF away; the CR after "e" stays with its line.
    box.setSelStart(box.lineIndex(4) + 1);
    box.setSelLength(2);
    box.setSelText(QString());
    ASSERT_TRUE(box.SaveFile(path, 1, error));
    EXPECT_EQ(readAll(path), "a\r\nb\nnew\r\nc\r\nde\rf\r\ng");

    // A break typed inside a line with its own break: the old break still ends the line.
    box.setSelStart(box.lineIndex(1));
    box.setSelText("x\r\n");
    box.undo();
    box.redo();
    ASSERT_TRUE(box.SaveFile(path, 1, error));
    EXPECT_EQ(readAll(path), "a\r\nx\r\nb\nnew\r\nc\r\nde\rf\r\ng");
}

TEST(RichTextBoxTest, AnEditBatchIsOneUndoStepAnnouncedOnce) {
    RichTextBox box;
    box.setText("a\r\nb\r\nc");
    box.setSelStart(box.textLength());
    QSignalSpy changes(&box, &RichTextBox::Change);
    QSignalSpy moves(&box, &RichTextBox::SelChange);
    box.beginEditBatch();
    for (qsizetype line = 2; line >= 0; --line) {
        box.beginEditBatch(); // nested batches end with the outermost one
        box.replaceDocumentRange(line * 2, 0, "\t");
        box.endEditBatch();
    }
    EXPECT_EQ(changes.count(), 0) << "nothing is announced while the batch is open";
    box.endEditBatch();
    EXPECT_EQ(box.Text(), "\ta\r\n\tb\r\n\tc");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(moves.count(), 1) << "the caret after the text moved once, at the end";
    EXPECT_EQ(box.SelStart(), box.textLength());
    box.undo();
    EXPECT_EQ(box.Text(), "a\r\nb\r\nc");
}

TEST(RichTextBoxTest, LargeFileLoadsAndSavesThroughPieces) {
    // More than one piece of the decoder, with a two-byte character and a CR LF cut at piece
    // boundaries somewhere along the way.
    QByteArray bytes;
    for (int i = 0; bytes.size() < 3 * 1024 * 1024; ++i)
        bytes += "line " + QByteArray::number(i) + " \xC3\xBC\r\n";
    ScratchDir dir;
    const QString path = dir.write("big.txt", bytes);
    RichTextBox box;
    QString error;
    ASSERT_TRUE(box.LoadFile(path, error));
    EXPECT_EQ(box.textLength(), QString::fromUtf8(bytes).size());
    EXPECT_EQ(box.lineCount(), bytes.count("\r\n") + 1);
    QString pieces;
    box.forEachTextPiece(100'000, [&pieces](QStringView piece) {
        EXPECT_LE(piece.size(), 100'000);
        pieces += piece;
    });
    EXPECT_EQ(pieces, box.documentText());
    ASSERT_TRUE(box.SaveFile(dir.file("copy.txt"), 1, error));
    EXPECT_EQ(readAll(dir.file("copy.txt")), bytes);
}

} // namespace
} // namespace kelvane
