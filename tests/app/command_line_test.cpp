// Files and workspaces named on the command line.
#include "AppFixture.h"

#include "app/RecentFiles.h"
#include "app/Startup.h"

namespace kelvane::test {
namespace {

using CommandLineTest = AppFixture;

TEST_F(CommandLineTest, WholeCommandLineIsOnePathEvenWithSpaces) {
    EXPECT_EQ(commandLineOf({"Kelvane", "my", "notes.txt"}), "my notes.txt");
    QDir().mkpath(scratch.file("with space"));
    const QString path = scratch.write("with space/my notes.txt", "hello");
    start(path);
    EXPECT_EQ(captions(), std::vector<QString>{"my notes.txt"});
    EXPECT_EQ(main->activeDocument()->Tag, path);
    EXPECT_EQ(main->activeDocument()->rtfText->Text(), "hello");
    EXPECT_TRUE(readAll(path + "~").startsWith("{\\rtf"));
    EXPECT_EQ(RecentFiles.entry(1), path);
    EXPECT_FALSE(main->activeDocument()->Changed);
}

TEST_F(CommandLineTest, TheWorkspaceExtensionInAnyCaseOpensTheWorkspace) {
    const QString a = scratch.write("a.txt", "A");
    const QString b = scratch.write("b.c", "B");
    const QByteArray workspace = ("a.txt\r\n" + a + "\r\nrenamed\r\n" + b + "\r\n").toUtf8();
    const QString upper = scratch.write("W.KPJ", workspace);
    start(upper);
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "a.txt", "renamed"}));
    EXPECT_EQ(DocumentRegistry.openDocument(3)->Tag, b);
    EXPECT_EQ(DocumentRegistry.openDocument(3)->rtfText->Text(), "B");
    EXPECT_TRUE(RecentFiles.entry(1).isEmpty()) << "a workspace does not touch the recent list";
    EXPECT_FALSE(QFile::exists(a + "~")) << "nor writes backups";
    main.reset();

    // The name Save Project/Workspace writes (lower case) reopens as a workspace too.
    const QString lower = scratch.write("w.kpj", workspace);
    start(lower);
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "a.txt", "renamed"}));
    main.reset();

    const QString mixed = scratch.write("m.Kpj", workspace);
    start(mixed);
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "a.txt", "renamed"}));
    EXPECT_EQ(DocumentRegistry.openDocument(3)->rtfText->Text(), "B");
}

TEST_F(CommandLineTest, MissingFileIsNamedAndFileOneStaysEmpty) {
    const QString missing = scratch.file("nothing here.txt");
    start(missing);
    ASSERT_EQ(boxes.asked().size(), 1u);
    const QString prompt = boxes.asked()[0].prompt;
    EXPECT_TRUE(prompt.startsWith("An error occurred while processing the file " + missing +
                                  ", specified in the command line.\r\n"))
        << prompt.toStdString();
    EXPECT_EQ(boxes.asked()[0].title, "Kelvane");
    EXPECT_EQ(captions(), std::vector<QString>{"File 1"});
    EXPECT_TRUE(main->activeDocument()->rtfText->Text().isEmpty());
}

TEST_F(CommandLineTest, WorkspaceWithMissingFileKeepsWhatOpenedBeforeIt) {
    const QString a = scratch.write("a.txt", "A");
    const QString workspace = scratch.write(
        "X.KPJ", ("a.txt\r\n" + a + "\r\ngone\r\n" + scratch.file("gone.txt") + "\r\n").toUtf8());
    start(workspace);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.contains(workspace));
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "a.txt", "File 3"}));
}

TEST_F(CommandLineTest, WorkspaceRecordWithoutPathLineIsAnError) {
    const QString workspace = scratch.write("Y.KPJ", "only a caption\r\n");
    start(workspace);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.endsWith("Input past end of file"));
    EXPECT_EQ(captions(), std::vector<QString>{"File 1"});
}

TEST_F(CommandLineTest, BackupOffWritesNoCopy) {
    SaveSetting(kAppTitle, "Settings", "Backup", "False");
    const QString path = scratch.write("n.txt", "n");
    start(path);
    EXPECT_FALSE(QFile::exists(path + "~"));
}

} // namespace
} // namespace kelvane::test
