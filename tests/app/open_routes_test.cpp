// The five ways a file comes into a document window (File > Open, the command line, a recent
// file, a workspace, the file browser) and the three ways a document is saved: the same file
// opened through each must leave the same document, differing only in caption, backup copy and
// recent-files list as each route asks.
#include "AppFixture.h"

#include "app/RecentFiles.h"
#include "app/WorkspaceWriter.h"
#include "library/FileBrowserPane.h"
#include "platform/KeyedTabBar.h"

#include <QCoreApplication>
#include <QFile>

namespace kelvane::test {
namespace {

enum class Route { FileOpen, CommandLine, RecentFile, Workspace, FileBrowser };

class OpenRoutesTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        RecentFiles = RecentFileList();
        // Backup on: the routes that write a copy must show it, the others must not.
        SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("Backup"), QStringLiteral("True"));
        path = scratch.write("notes.txt", "alpha\r\nbeta\r\n");
    }

    /// Starts the editor and opens `path` the way a user takes the route.
    void openThrough(Route route) {
        switch (route) {
        case Route::FileOpen:
            start();
            dialogs.answerFile(path);
            main->mnuFileOpen_Click();
            break;
        case Route::CommandLine:
            start(path);
            break;
        case Route::RecentFile:
            SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("RecentFile1"),
                        scratch.file("other.txt"));
            SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("RecentFile2"), path);
            start();
            main->mnuFileRecent_Click(2);
            break;
        case Route::Workspace: {
            // A caption edited by hand in the workspace file is the one shown.
            const QString workspace = scratch.write("w.kpj", workspaceBytes({{"my notes", path}}));
            start();
            boxes.answer(vbYes);
            dialogs.answerFile(workspace);
            main->mnuAdvancedRestoreProject_Click();
            break;
        }
        case Route::FileBrowser:
            start();
            emit main->browserPane->fileChosen(path);
            break;
        }
        // The activation that follows an open (refresh, colouring) has run too.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QString tabCaption(const frmDocument* document) const {
        return main->tabFiles->tabText(main->tabFiles->indexOfKey(document->tabKey()));
    }
    QString tabToolTip(const frmDocument* document) const {
        return main->tabFiles->tabToolTip(main->tabFiles->indexOfKey(document->tabKey()));
    }

    QString path;
};

struct OpenRoute {
    const char* name;
    Route route;
    const char* caption;
    bool backup;
    bool recentFiles;
};

const OpenRoute kRoutes[] = {
    {"FileOpen", Route::FileOpen, "notes.txt", true, true},
    {"CommandLine", Route::CommandLine, "notes.txt", true, true},
    {"RecentFile", Route::RecentFile, "notes.txt", false, false},
    {"Workspace", Route::Workspace, "my notes", false, false},
    {"FileBrowser", Route::FileBrowser, "notes.txt", false, true},
};

class EachOpenRoute : public OpenRoutesTest, public ::testing::WithParamInterface<OpenRoute> {};

TEST_P(EachOpenRoute, LeavesTheSameDocumentButForCaptionBackupAndRecentList) {
    const OpenRoute& route = GetParam();
    openThrough(route.route);
    ASSERT_EQ(boxes.asked().size(), route.route == Route::Workspace ? 1u : 0u)
        << "only the workspace's confirmation is asked";
    frmDocument* document = main->activeDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->rtfText->Text(), "alpha\r\nbeta\r\n");
    EXPECT_EQ(document->Caption(), route.caption);
    EXPECT_EQ(document->Tag, path);
    EXPECT_EQ(tabCaption(document), route.caption);
    EXPECT_EQ(tabToolTip(document), path) << "the tab shows where the file lives";
    EXPECT_FALSE(document->Changed);
    EXPECT_FALSE(document->isUntitled());

    EXPECT_EQ(QFile::exists(path + "~"), route.backup);
    if (route.backup) {
        EXPECT_TRUE(readAll(path + "~").startsWith("{\\rtf"));
    }
    EXPECT_EQ(RecentFiles.entry(1) == path, route.recentFiles);
}

INSTANTIATE_TEST_SUITE_P(Routes, EachOpenRoute, ::testing::ValuesIn(kRoutes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenRoutesTest, AFailedLoadLeavesTheNewWindowUntitledEmptyAndWithoutTip) {
    start();
    const QString missing = scratch.file("gone.txt");
    dialogs.answerFile(missing);
    main->mnuFileOpen_Click();
    frmDocument* document = main->activeDocument();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(document->Caption(), "File 2");
    EXPECT_TRUE(document->Tag.isEmpty());
    EXPECT_TRUE(tabToolTip(document).isEmpty());
    EXPECT_EQ(document->rtfText->textLength(), 0);
    EXPECT_FALSE(QFile::exists(missing + "~"));
    EXPECT_TRUE(RecentFiles.entry(1).isEmpty());
}

TEST_F(OpenRoutesTest, EverySaveUpdatesPathCaptionTabAndTipAlike) {
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("one");

    // Save of an untitled document asks for a name.
    const QString first = scratch.file("first.txt");
    dialogs.answerFile(first);
    main->mnuFileSave_Click();
    EXPECT_EQ(document->Caption(), "first.txt");
    EXPECT_EQ(tabCaption(document), "first.txt");
    EXPECT_EQ(tabToolTip(document), first);
    EXPECT_FALSE(document->Changed);

    // Save As moves the document to its new file.
    document->rtfText->setText("two");
    const QString second = scratch.file("second.txt");
    dialogs.answerFile(second);
    main->mnuFileSaveAs_Click();
    EXPECT_EQ(document->Tag, second);
    EXPECT_EQ(tabCaption(document), "second.txt");
    EXPECT_EQ(tabToolTip(document), second);
    EXPECT_EQ(readAll(second), "two");
    EXPECT_EQ(readAll(first), "one");

    // Save All writes it in place and keeps its caption.
    document->rtfText->setText("three");
    main->mnuFileSaveAll_Click();
    EXPECT_EQ(readAll(second), "three");
    EXPECT_EQ(document->Caption(), "second.txt");
    EXPECT_FALSE(document->Changed);
    EXPECT_FALSE(QFile::exists(second + "~")) << "no save writes a backup copy";
}

TEST_F(OpenRoutesTest, SavingInPlaceKeepsAWorkspaceCaption) {
    const QString workspace = scratch.write("w.kpj", workspaceBytes({{"my notes", path}}));
    start(workspace);
    frmDocument* document = DocumentRegistry.openDocument(2);
    ASSERT_NE(document, nullptr);
    main->mdiArea->setActiveSubWindow(document->subWindow());
    document->rtfText->setText("changed");
    main->mnuFileSave_Click();
    EXPECT_TRUE(dialogs.fileRequests().empty());
    EXPECT_EQ(readAll(path), "changed");
    EXPECT_EQ(document->Caption(), "my notes");
    EXPECT_EQ(tabToolTip(document), path);
}

} // namespace
} // namespace kelvane::test
