// A text file's line breaks following the edits of its text: each line keeps the break it had
// on disk wherever edits move it, breaks removed with their lines are forgotten, and new breaks
// take the file's usual style. A save that cannot be written says why and leaves no file.
#include "platform/TextEncoding.h"
#include "platform/text/TextFile.h"
#include "platform/text/TextModel.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cstring>

namespace kelvane {
namespace {

// Mostly CR LF; the breaks after "3" and "5" are bare line feeds.
const QByteArray kMixed = "1\r\n2\r\n3\n4\r\n5\n6\r\n7";

TEST(TextFileTest, LineBreaksOfOtherStylesStayWithTheirLinesThroughEdits) {
    struct Case {
        const char* name;
        qsizetype from; // an edit of the text as loaded ('\n' breaks: "1\n2\n3\n4\n5\n6\n7")
        qsizetype removed;
        const char* inserted;
        QByteArray saved;
    };
    const Case cases[] = {
        {"typing inside a line", 2, 0, "x", "1\r\nx2\r\n3\n4\r\n5\n6\r\n7"},
        {"a line added above", 0, 0, "new\n", "new\r\n1\r\n2\r\n3\n4\r\n5\n6\r\n7"},
        {"a line removed with its odd break", 4, 2, "", "1\r\n2\r\n4\r\n5\n6\r\n7"},
        {"an odd break deleted joins two lines", 5, 1, "", "1\r\n2\r\n34\r\n5\n6\r\n7"},
        {"a pasted break takes the usual style", 9, 0, "x\ny", "1\r\n2\r\n3\n4\r\n5x\r\ny\n6\r\n7"},
        {"lines replaced across odd breaks", 4, 5, "a\nb", "1\r\n2\r\na\r\nb\n6\r\n7"},
        {"everything replaced", 0, 13, "p\nq", "p\r\nq"},
    };
    test::ScratchDir dir;
    for (const Case& c : cases) {
        TextModel model;
        TextFile file(model);
        file.load(kMixed);
        ASSERT_EQ(model.text().text(), "1\n2\n3\n4\n5\n6\n7");
        model.replace(c.from, c.removed, QString::fromLatin1(c.inserted));
        QString error;
        ASSERT_TRUE(file.save(dir.file("out.txt"), error)) << c.name << ": " << error.toStdString();
        EXPECT_EQ(test::readAll(dir.file("out.txt")), c.saved) << c.name;
    }
}

TEST(TextFileTest, AFileWithoutBreaksOfItsOwnSavesNewOnesInThePlatformsStyle) {
    TextModel model;
    TextFile file(model);
    file.load("one line");
    model.replace(8, 0, u"\nand another");
    test::ScratchDir dir;
    QString error;
    ASSERT_TRUE(file.save(dir.file("out.txt"), error));
    const QByteArray breakBytes = platformLineBreak() == LineBreak::CrLf ? "\r\n" : "\n";
    EXPECT_EQ(test::readAll(dir.file("out.txt")), "one line" + breakBytes + "and another");
}

TEST(TextFileTest, ASaveThatCannotBeWrittenSaysWhyAndKeepsTheEncoding) {
    TextModel model;
    TextFile file(model);
    file.load("caf\xE9\r\n"); // Windows-1252
    test::ScratchDir dir;
    const QString path = dir.file("missing folder/out.txt");
    QString error;
    EXPECT_FALSE(file.save(path, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(file.format().encoding, TextEncoding::Windows1252);
    EXPECT_EQ(file.format().lineBreak, LineBreak::CrLf);
}

// A device that gives its bytes until `failAt`, then reports a read error.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QByteArray bytes, qint64 failAt) : bytes_(std::move(bytes)), failAt_(failAt) {
        open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return bytes_.size(); }

protected:
    qint64 readData(char* data, qint64 max) override {
        if (pos() >= failAt_) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min({max, failAt_ - pos(), qint64(bytes_.size()) - pos()});
        std::memcpy(data, bytes_.constData() + pos(), size_t(n));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 failAt_;
};

/// A byte-order mark and the UTF-16 LE units of ASCII or Latin-1 bytes.
QByteArray utf16Le(const QByteArray& latin1) {
    QByteArray out("\xFF\xFE", 2);
    for (const char c : latin1) {
        out += c;
        out += '\0';
    }
    return out;
}

TEST(TextFileTest, EveryEncodingAndLineBreakKindReadInPiecesSavesBackByteForByte) {
    QByteArray big;
    for (int line = 0; big.size() < 300000; ++line)
        big += "    value" + QByteArray::number(line) + " = f(\xC3\xA9, " +
               QByteArray::number(line) + (line % 97 == 0 ? ");\n" : ");\r\n");
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"empty", ""},
        {"one line", "just one line"},
        {"UTF-8 with LF", "a\nb\xC3\xBC\nc\n"},
        {"UTF-8 with a mark and CR", "\xEF\xBB\xBFx\ry\r\xE2\x82\xAC"},
        {"UTF-16 LE with CR LF", QByteArray("\xFF\xFEh\0\r\0\n\0i\0", 10)},
        {"UTF-16 BE with an odd last byte", QByteArray("\xFE\xFF\0h\0\n\0i!", 9)},
        {"Windows-1252", "caf\xE9\r\n\x93q\x94\r\n"},
        {"big, mostly CR LF", big},
        {"big, not UTF-8 at its very end", big + "\xE9"},
        {"big, a character beyond Latin-1 at its very end", big + "\xE2\x82\xAC"},
        {"big Windows-1252, 0x80-0x9F late", QByteArray(big).replace('\xC3', '\xE8') + "\x80\x9F"},
        {"big UTF-16 LE, a character beyond Latin-1 late",
         utf16Le(big) + QByteArray("\xAC\x20", 2)},
    };
    test::ScratchDir dir;
    for (const auto& f : files) {
        for (const qsizetype pieceBytes : {qsizetype(7), qsizetype(1) << 16}) {
            TextModel model;
            TextFile file(model);
            QBuffer buffer;
            buffer.setData(f.bytes);
            buffer.open(QIODevice::ReadOnly);
            QString error;
            ASSERT_TRUE(file.load(buffer, error, pieceBytes)) << f.name;
            const DecodedText whole = decodeText(f.bytes);
            EXPECT_EQ(model.text().text(), whole.text) << f.name;
            // Latin-1 text is kept one byte per character, anything wider two.
            const bool latin1 = std::all_of(whole.text.begin(), whole.text.end(),
                                            [](QChar c) { return c.unicode() <= 0xFF; });
            EXPECT_EQ(model.text().isNarrow(), latin1) << f.name;
            const qsizetype bytesPerChar = latin1 ? 1 : 2;
            EXPECT_LT(model.text().memoryBytes(),
                      whole.text.size() * bytesPerChar * 5 / 4 + 64 * 1024)
                << f.name;
            EXPECT_EQ(model.text().lineCount(), whole.text.count(u'\n') + 1) << f.name;
            EXPECT_EQ(model.styles().buffer().size(), whole.text.size()) << f.name;
            EXPECT_FALSE(model.isModified()) << f.name;
            ASSERT_TRUE(file.save(dir.file("out.txt"), error)) << f.name;
            EXPECT_EQ(test::readAll(dir.file("out.txt")), f.bytes)
                << f.name << " by " << pieceBytes;
        }
    }
}

TEST(TextFileTest, AReadErrorPartWayLeavesAnEmptyTextAndSaysWhy) {
    TextModel model;
    TextFile file(model);
    file.load("what was there before");
    FailingDevice device(QByteArray(5000, 'x'), 3000);
    QString error;
    EXPECT_FALSE(file.load(device, error, 1024));
    EXPECT_EQ(error, "Input/output error");
    EXPECT_EQ(model.text().size(), 0);
    EXPECT_EQ(model.text().lineCount(), 1);
}

} // namespace
} // namespace kelvane
