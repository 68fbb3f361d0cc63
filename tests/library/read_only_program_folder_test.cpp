// An installed program's folder cannot be written: exports still succeed, into the user's
// folder, and the lists show the new entry beside the shipped ones at once.
#include "LibraryFixture.h"

#include "library/frmNewFile.h"

#include <QListWidget>

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

class ReadOnlyProgramFolderTest : public LibraryFixture {
protected:
    void SetUp() override {
        LibraryFixture::SetUp();
        ship("CLIPTEXT", "Shipped", "one\r\n");
        ship("TEMPLATE", "Shipped", "template\r\n");
        for (const char* folder : {"program/CLIPTEXT", "program/TEMPLATE", "program"})
            if (lockFolder(scratch.file(folder), true))
                locked << scratch.file(folder);
        start();
    }
    void TearDown() override {
        for (const QString& folder : locked)
            lockFolder(folder, false);
        LibraryFixture::TearDown();
    }
    QStringList locked;
};

TEST_F(ReadOnlyProgramFolderTest, ExportsGoToTheUsersFolderAndShowAtOnce) {
    if (locked.size() != 3)
        GTEST_SKIP() << "this file system cannot lock a folder";
    QFile probe(scratch.file("program/CLIPTEXT/probe"));
    ASSERT_FALSE(probe.open(QIODevice::WriteOnly)) << "the program's folder is really locked";

    main->activeDocument()->rtfText->setText("alpha\r\nbeta");
    inputs.queueAnswer("Mine");
    main->library->mnuFileExportClip_Click();
    inputs.queueAnswer("MyTemplate");
    main->library->mnuFileExportTPL_Click();
    EXPECT_TRUE(boxes.asked().empty());

    EXPECT_EQ(rows(main->clipPane->lstClipFiles), QStringList({"Mine", "Shipped"}));
    EXPECT_EQ(readAll(userFile("CLIPTEXT", "Mine")), "alpha\r\nbeta");
    frmNewFile dialog(main.get());
    EXPECT_EQ(rows(dialog.lstTemplates), QStringList({"MyTemplate", "Shipped"}));
    EXPECT_TRUE(QFileInfo::exists(userFile("TEMPLATE", "MyTemplate")));
    EXPECT_FALSE(QFileInfo::exists(scratch.file("program/CLIPTEXT/Mine")));
}

} // namespace
} // namespace kelvane::test
