// The file browser pane: the linked lists, opening from it, and its place in the main window.
#include "LibraryFixture.h"

#include "app/RecentFiles.h"
#include "library/BrowserDrives.h"
#include "platform/SettingsStore.h"

#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <QSignalSpy>

#include <unistd.h>

namespace kelvane::test {
namespace {

class FileBrowserTest : public LibraryFixture {
protected:
    void SetUp() override {
        LibraryFixture::SetUp();
        QDir().mkpath(scratch.file("work/src"));
        QDir().mkpath(scratch.file("work/docs"));
        QDir().mkpath(scratch.file("work/.git"));
        scratch.write("work/b.txt", "bee\n");
        scratch.write("work/A.c", "int a;\n");
        scratch.write("work/.hidden", "secret");
        scratch.write("work/src/main.c", "int main;\n");
    }
    QString work(const QString& name = QString()) const {
        return QDir::toNativeSeparators(name.isEmpty() ? scratch.file("work")
                                                       : scratch.file("work/" + name));
    }
    QStringList folderRows(const FileBrowserPane& pane) const {
        QStringList result;
        for (int i = 0; i < pane.lstDirs->count(); ++i)
            result << pane.lstDirs->item(i)->text().trimmed();
        return result;
    }
    void doubleClickFile(FileBrowserPane& pane, const QString& name) {
        const qsizetype row = pane.fileNames().indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        const QModelIndex index = pane.lstFiles->model()->index(int(row), 0);
        pane.lstFiles->scrollTo(index);
        const QPoint at = pane.lstFiles->visualRect(index).center();
        QTest::mouseClick(pane.lstFiles->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(pane.lstFiles->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(FileBrowserTest, FolderShowsItsParentsSubfoldersAndVisibleFiles) {
    FileBrowserPane pane;
    QSignalSpy changed(&pane, &FileBrowserPane::folderChanged);
    ASSERT_TRUE(pane.setFolder(work()));
    EXPECT_EQ(pane.folder(), work());
    EXPECT_EQ(pane.fileNames(), QStringList({"A.c", "b.txt"})) << "hidden files left out";
    const QStringList dirs = folderRows(pane);
    EXPECT_EQ(dirs.first(), "/");
    EXPECT_EQ(dirs.mid(dirs.size() - 3), QStringList({"work", "docs", "src"}));
    EXPECT_EQ(pane.lstDirs->currentItem()->text().trimmed(), "work");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toString(), work());
    for (QWidget* list :
         std::initializer_list<QWidget*>{pane.lstDrives, pane.lstDirs, pane.lstFiles})
        EXPECT_FALSE(list->accessibleName().isEmpty());
}

TEST_F(FileBrowserTest, ActivatingAFolderEntryMovesThereAndUp) {
    FileBrowserPane pane;
    pane.resize(200, 600);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    pane.setFolder(work());
    QListWidgetItem* src = pane.lstDirs->findItems("src", Qt::MatchEndsWith)[0];
    const QPoint at = pane.lstDirs->visualItemRect(src).center();
    QTest::mouseClick(pane.lstDirs->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(pane.lstDirs->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(pane.folder(), work("src"));
    EXPECT_EQ(pane.fileNames(), QStringList({"main.c"}));
    // Keyboard: the parent entry stands just above the current folder.
    pane.lstDirs->setFocus();
    QTest::keyClick(pane.lstDirs, Qt::Key_Up);
    QTest::keyClick(pane.lstDirs, Qt::Key_Return);
    EXPECT_EQ(pane.folder(), work());
}

TEST_F(FileBrowserTest, UnreadableOrMissingFolderLeavesTheListsWhereTheyWere) {
    FileBrowserPane pane;
    pane.setFolder(work());
    EXPECT_FALSE(pane.setFolder(scratch.file("absent")));
    EXPECT_FALSE(pane.setFolder(work("b.txt")));
    EXPECT_EQ(pane.folder(), work());
    EXPECT_EQ(pane.fileNames(), QStringList({"A.c", "b.txt"}));
}

TEST_F(FileBrowserTest, FolderWithoutPermissionLeavesTheListsWhereTheyWere) {
    if (rerunAsOrdinaryUser())
        return; // root enters any folder: an ordinary user runs it
    FileBrowserPane pane;
    pane.setFolder(work());
    QDir().mkpath(scratch.file("locked"));
    QFile::setPermissions(scratch.file("locked"), QFileDevice::Permissions());
    EXPECT_FALSE(pane.setFolder(scratch.file("locked")));
    EXPECT_EQ(pane.folder(), work());
    EXPECT_EQ(pane.fileNames(), QStringList({"A.c", "b.txt"}));
    QFile::setPermissions(scratch.file("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(FileBrowserTest, DriveWithoutMediumLeavesBothListsAndTheDriveListGoesBack) {
    FileBrowserPane pane;
    QDir().mkpath(scratch.file("usb"));
    pane.setDrives({{work() + "/", "work"},
                    {scratch.file("cdrom") + "/", "cdrom"},
                    {scratch.file("usb") + "/", "usb"}});
    pane.setFolder(work("src"));
    EXPECT_EQ(pane.lstDrives->currentIndex(), 0);
    pane.lstDrives->setCurrentIndex(1);
    pane.lstDrives_Change(1);
    EXPECT_EQ(pane.folder(), work("src"));
    EXPECT_EQ(pane.fileNames(), QStringList({"main.c"}));
    EXPECT_EQ(pane.lstDrives->currentIndex(), 0);
    // A drive that works shows its root, and coming back shows the folder last seen there.
    pane.lstDrives_Change(2);
    EXPECT_EQ(pane.folder(), QDir::toNativeSeparators(scratch.file("usb")));
    pane.lstDrives_Change(0);
    EXPECT_EQ(pane.folder(), work("src"));
}

TEST_F(FileBrowserTest, DrivesAreTheRootTheHomeFolderAndDeviceVolumes) {
    const QList<BrowserDrive> drives = browserDrives();
    ASSERT_GE(drives.size(), 2);
    EXPECT_EQ(drives[0].root, "/");
    EXPECT_EQ(drives[1].root, QDir::homePath() + "/");
    EXPECT_EQ(driveIndexOf(drives, QDir::homePath() + "/x"), 1);
    EXPECT_EQ(driveIndexOf(drives, "/"), 0);
    for (const BrowserDrive& drive : drives)
        EXPECT_TRUE(QFileInfo(drive.root).isDir()) << drive.root.toStdString();
}

TEST_F(FileBrowserTest, FilesInARootFolderJoinWithoutADoubledSeparator) {
    EXPECT_EQ(joinPath("/", "etc"), "/etc");
    EXPECT_EQ(joinPath("/home/me", "a.txt"), "/home/me/a.txt");
    FileBrowserPane pane;
    ASSERT_TRUE(pane.setFolder("/"));
    EXPECT_EQ(pane.folder(), "/");
    QSignalSpy chosen(&pane, &FileBrowserPane::fileChosen);
    if (pane.fileNames().isEmpty())
        GTEST_SKIP() << "no files in /";
    pane.lstFiles_DblClick(pane.lstFiles->model()->index(0, 0));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toString(), "/" + pane.fileNames()[0]);
}

TEST_F(FileBrowserTest, NewFilesAppearWhileTheFolderIsShown) {
    FileBrowserPane pane;
    pane.setFolder(work());
    scratch.write("work/c.md", "new");
    QTRY_COMPARE_WITH_TIMEOUT(pane.fileNames(), QStringList({"A.c", "b.txt", "c.md"}), 10000);
}

TEST_F(FileBrowserTest, TenThousandFilesAreAllListed) {
    QDir().mkpath(scratch.file("many"));
    for (int i = 0; i < 10000; ++i)
        QFile(scratch.file(QString("many/f%1.txt").arg(i, 5, 10, QChar('0'))))
            .open(QIODevice::WriteOnly);
    FileBrowserPane pane;
    pane.resize(200, 600);
    pane.show();
    ASSERT_TRUE(pane.setFolder(scratch.file("many")));
    ASSERT_EQ(pane.fileNames().size(), 10000);
    EXPECT_EQ(pane.fileNames().last(), "f09999.txt");
}

// --- in the main window ---

TEST_F(FileBrowserTest, DoubleClickOpensTheFileWithoutABackupAndCyclesRecentFiles) {
    EditorSettings.Backup = true;
    start();
    main->browserPane->setFolder(work());
    EditorSettings.Backup = true;
    const auto before = DocumentRegistry.openDocuments().size();
    doubleClickFile(*main->browserPane, "A.c");
    ASSERT_EQ(DocumentRegistry.openDocuments().size(), before + 1);
    frmDocument* document = main->activeDocument();
    EXPECT_EQ(document->Caption(), "A.c");
    EXPECT_EQ(document->Tag, work("A.c"));
    EXPECT_EQ(document->rtfText->Text(), "int a;\r\n");
    EXPECT_FALSE(document->Changed);
    EXPECT_FALSE(QFileInfo::exists(work("A.c~"))) << "no backup copy from the browser";
    EXPECT_EQ(RecentFiles.entry(1), work("A.c"));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(FileBrowserTest, UnreadableFileLeavesOneEmptyUntitledDocumentAndSaysWhy) {
    if (rerunAsOrdinaryUser())
        return; // root reads any file: an ordinary user runs it
    start();
    main->browserPane->setFolder(work());
    const QString path = work("b.txt");
    QFile::setPermissions(path, QFileDevice::Permissions());
    ASSERT_FALSE(QFile(path).open(QIODevice::ReadOnly));
    const auto before = DocumentRegistry.openDocuments().size();
    main->browserPane->lstFiles_DblClick(main->browserPane->lstFiles->model()->index(1, 0));
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.startsWith(
        "An error occurred while you were trying to open a file:\r\n"));
    EXPECT_GT(boxes.asked()[0].prompt.size(), 58);
    EXPECT_EQ(boxes.asked()[0].title, "File I/O Error");
    ASSERT_EQ(DocumentRegistry.openDocuments().size(), before + 1);
    EXPECT_TRUE(main->activeDocument()->isUntitled());
    EXPECT_EQ(main->activeDocument()->rtfText->Text(), "");
}

TEST_F(FileBrowserTest, FolderBecomesTheOpenDialogsStartAndIsSavedAsLastDir) {
    start();
    main->browserPane->setFolder(work("src"));
    dialogs.answerFile(std::nullopt);
    main->mnuFileOpen_Click();
    ASSERT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_EQ(dialogs.fileRequests()[0].initDir, work("src"));
    main->close();
    EXPECT_EQ(setting("LastDir"), work("src"));

    main.reset();
    start();
    EXPECT_EQ(main->browserPane->folder(), work("src"));
    EXPECT_EQ(main->browserPane->fileNames(), QStringList({"main.c"}));
}

TEST_F(FileBrowserTest, LastDirThatHasGoneFallsBackToTheProgramsFolder) {
    SaveSetting(kAppTitle, "Settings", "LastDir", scratch.file("gone"));
    start();
    EXPECT_EQ(main->browserPane->folder(),
              QDir::toNativeSeparators(QDir::cleanPath(scratch.file("program"))));
}

} // namespace
} // namespace kelvane::test
