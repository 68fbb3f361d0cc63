// A text file's line breaks following the edits of its text: each line keeps the break it had
// on disk wherever edits move it, breaks removed with their lines are forgotten, and new breaks
// take the file's usual style. A save that cannot be written says why and leaves no file.
#include "platform/text/TextFile.h"
#include "platform/text/TextModel.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

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

} // namespace
} // namespace kelvane
