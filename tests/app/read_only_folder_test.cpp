// A writable file in a folder that refuses new files is saved in place and stays the same file.
#include "AppFixture.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace kelvane::test {
namespace {

using ReadOnlyFolderTest = AppFixture;

ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(ReadOnlyFolderTest, SaveWritesTheFileInPlace) {
    QDir().mkpath(scratch.file("locked"));
    const QString path = scratch.write("locked/doc.txt", "first version\n");
    const ino_t inode = inodeOf(path);
    EditorSettings.Backup = false;
    start(path);
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("second version, much longer than the first one\n");
    const QStringList filesBefore = QDir(scratch.file("locked")).entryList(QDir::Files);
    if (!lockFolder(scratch.file("locked"), true))
        GTEST_SKIP() << "this file system cannot lock a folder";
    main->mnuFileSave_Click();
    lockFolder(scratch.file("locked"), false);
    EXPECT_EQ(readAll(path), "second version, much longer than the first one\n");
    EXPECT_EQ(inodeOf(path), inode);
    EXPECT_EQ(QDir(scratch.file("locked")).entryList(QDir::Files), filesBefore)
        << "the save leaves no file of its own beside the document";
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_FALSE(document->Changed);
}

TEST_F(ReadOnlyFolderTest, ReadOnlyFileInALockedFolderFailsAndStaysByteIdentical) {
    if (rerunAsOrdinaryUser())
        return; // root writes read-only files: an ordinary user runs it
    QDir().mkpath(scratch.file("locked"));
    const QByteArray original = "first version\n";
    const QString path = scratch.write("locked/doc.txt", original);
    QFile::setPermissions(path, QFile::ReadOwner);
    EditorSettings.Backup = false;
    start(path);
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("second version\n");
    ASSERT_TRUE(lockFolder(scratch.file("locked"), true));
    main->mnuFileSave_Click();
    lockFolder(scratch.file("locked"), false);
    EXPECT_EQ(readAll(path), original);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(
        boxes.asked()[0].prompt.startsWith("An error occurred trying to save the file doc.txt."));
    EXPECT_TRUE(document->Changed);
}

} // namespace
} // namespace kelvane::test
