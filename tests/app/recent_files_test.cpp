// The recent-files list and its File menu items.
#include "AppFixture.h"

#include "app/RecentFiles.h"
#include "platform/KeyedTabBar.h"

#include <QApplication>
#include <QFile>

namespace kelvane::test {
namespace {

TEST(RecentFileListTest, RepeatedPathIsNotMergedAndSixthPushesOutFirst) {
    RecentFileList list;
    for (const char* path : {"a", "b", "a"})
        list.cycle(path);
    EXPECT_EQ(list.entry(1), "a");
    EXPECT_EQ(list.entry(2), "b");
    EXPECT_EQ(list.entry(3), "a");
    EXPECT_EQ(list.entry(4), "");

    RecentFileList six;
    for (const char* path : {"1", "2", "3", "4", "5", "6"})
        six.cycle(path);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(six.entry(i), QString::number(7 - i)) << "entry " << i;
}

class RecentFilesTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        RecentFiles = RecentFileList();
    }
    std::vector<bool> visibleItems() const {
        std::vector<bool> visible;
        for (QAction* item : main->mnuFileRecent)
            visible.push_back(item->isVisible());
        return visible;
    }
};

TEST_F(RecentFilesTest, ThreeStoredEntriesShowItemsOneToThreeAndTheSeparator) {
    SaveSetting(kAppTitle, "Settings", "RecentFile1", "/p/one.txt");
    SaveSetting(kAppTitle, "Settings", "RecentFile2", "/p/two & more.txt");
    SaveSetting(kAppTitle, "Settings", "RecentFile3", "/p/three.txt");
    start();
    EXPECT_EQ(visibleItems(), (std::vector<bool>{true, true, true, true, false, false}));
    EXPECT_TRUE(main->mnuFileRecent[0]->isSeparator());
    EXPECT_EQ(main->mnuFileRecent[1]->text(), "/p/one.txt") << "the whole path, unnumbered";
    EXPECT_EQ(main->mnuFileRecent[2]->text(), "/p/two && more.txt")
        << "an ampersand is shown, not taken as an access key";
}

TEST_F(RecentFilesTest, ReopeningTheThirdEntryKeepsOrderAndWritesNoBackup) {
    start();
    const QString a = scratch.write("a.txt", "alpha");
    const QString b = scratch.write("b.txt", "beta");
    const QString c = scratch.write("c.txt", "gamma");
    main->CycleRecentFiles(a);
    main->CycleRecentFiles(b);
    main->CycleRecentFiles(c);
    main->mnuFileRecent_Click(3);
    frmDocument* document = main->activeDocument();
    EXPECT_EQ(document->Caption(), "a.txt");
    EXPECT_EQ(document->Tag, a);
    EXPECT_EQ(document->rtfText->Text(), "alpha");
    EXPECT_FALSE(document->Changed);
    EXPECT_EQ(main->tabFiles->tabText(main->tabFiles->indexOfKey(document->tabKey())), "a.txt");
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "a.txt"}));
    EXPECT_EQ(RecentFiles.entry(1), c);
    EXPECT_EQ(RecentFiles.entry(2), b);
    EXPECT_EQ(RecentFiles.entry(3), a);
    EXPECT_FALSE(QFile::exists(a + "~"));
}

TEST_F(RecentFilesTest, MissingFileReportsKeepsEntryAndLeavesEmptyUntitledDocument) {
    start();
    const QString gone = scratch.file("gone.txt");
    main->CycleRecentFiles(gone);
    main->mnuFileRecent_Click(1);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.startsWith(
        "An error occurred while you were trying to open a file:\r\n"));
    EXPECT_GT(boxes.asked()[0].prompt.size(), 60) << "the reason follows";
    EXPECT_EQ(boxes.asked()[0].title, "File I/O Error");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbOKOnly);
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "File 2"}));
    EXPECT_TRUE(main->activeDocument()->rtfText->Text().isEmpty());
    EXPECT_EQ(RecentFiles.entry(1), gone);
}

TEST_F(RecentFilesTest, ActivatingTheMainWindowRefreshesTheItems) {
    start();
    QApplication::setActiveWindow(nullptr);
    // Another part of the editor changes the list while the main window is inactive.
    RecentFiles.setEntry(1, "/elsewhere/changed.txt");
    EXPECT_FALSE(main->mnuFileRecent[1]->isVisible());
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(main->isActiveWindow());
    EXPECT_TRUE(main->mnuFileRecent[0]->isVisible());
    EXPECT_EQ(main->mnuFileRecent[1]->text(), "/elsewhere/changed.txt");
}

} // namespace
} // namespace kelvane::test
