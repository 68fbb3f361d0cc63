// A save into a folder that refuses new files leaves the old file as it was.
#include "AppFixture.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kelvane::test {
namespace {

/// Makes a folder refuse new entries: its permissions for ordinary users, the immutable
/// attribute for root (who ignores permissions). False when neither is possible here.
bool lockFolder(const QString& folder, bool lock) {
    if (geteuid() != 0)
        return QFile::setPermissions(folder,
                                     lock ? QFile::ReadOwner | QFile::ExeOwner
                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = lock ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

using ReadOnlyFolderTest = AppFixture;

TEST_F(ReadOnlyFolderTest, SaveFailsAndOldFileStaysByteIdentical) {
    QDir().mkpath(scratch.file("locked"));
    const QByteArray original = "first version\n";
    const QString path = scratch.write("locked/doc.txt", original);
    EditorSettings.Backup = false;
    start(path);
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("second version, much longer than the first one\n");
    if (!lockFolder(scratch.file("locked"), true))
        GTEST_SKIP() << "this file system cannot lock a folder";
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
