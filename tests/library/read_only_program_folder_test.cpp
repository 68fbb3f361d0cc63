// An installed program's folder cannot be written: exports still succeed, into the user's
// folder, and the lists show the new entry beside the shipped ones at once.
#include "LibraryFixture.h"

#include "library/frmNewFile.h"

#include <QListWidget>

#include <unistd.h>

namespace kelvane::test {
namespace {

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
