// Saving and restoring workspace files through the Advanced menu, and their byte format.
#include "AppFixture.h"

#include "app/RecentFiles.h"
#include "app/WorkspaceReader.h"
#include "app/WorkspaceWriter.h"
#include "platform/KeyedTabBar.h"

#include <QFile>
#include <QMdiSubWindow>
#include <QMenuBar>

#include <csignal>
#include <sys/resource.h>

namespace kelvane::test {
namespace {

const QString kSaveQuestion = "Before saving a workspace file, all currently opened files in the "
                              "workspace must be saved.\r\n\nDo you wish to continue?";
const QString kRestoreQuestion = "Before loading a workspace file, all currently opened files in "
                                 "the workspace must be closed.\r\n\nDo you wish to continue?";

TEST(WorkspaceFormatTest, RecordsAreTwoCrLfLinesInWindows1252OrUtf8WithMark) {
    EXPECT_EQ(workspaceBytes({{"caf\u00e9.txt", "/p/caf\u00e9.txt"}, {"File 2", ""}}),
              QByteArray("caf\xe9.txt\r\n/p/caf\xe9.txt\r\nFile 2\r\n\r\n"));
    EXPECT_EQ(workspaceBytes({}), QByteArray());
    // A name Windows-1252 cannot hold is not turned into '?'.
    const QByteArray wide = workspaceBytes({{"\u65e5.txt", "/p/\u65e5.txt"}});
    EXPECT_TRUE(wide.startsWith("\xEF\xBB\xBF"));
    ScratchDir scratch;
    const QString path = scratch.write("w.kpj", wide);
    WorkspaceReader reader;
    QString error, caption, file;
    ASSERT_TRUE(reader.open(path, error));
    ASSERT_TRUE(reader.readLine(caption, error) && reader.readLine(file, error));
    EXPECT_EQ(caption, "\u65e5.txt");
    EXPECT_EQ(file, "/p/\u65e5.txt");
    EXPECT_TRUE(reader.atEnd());
}

class WorkspaceTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        RecentFiles = RecentFileList();
    }
    /// Opens files as File > Open does.
    void open(const QString& path) {
        dialogs.answerFile(path);
        main->mnuFileOpen_Click();
    }
    void closeAll() {
        for (frmDocument* document : DocumentRegistry.openDocuments())
            document->subWindow()->close();
    }
    void restore(const QString& workspace) {
        boxes.answer(vbYes);
        dialogs.answerFile(workspace);
        main->mnuAdvancedRestoreProject_Click();
    }
};

TEST_F(WorkspaceTest, MenuItemsSitInTheAdvancedMenuBetweenViewAndWindow) {
    start();
    QStringList menus;
    for (QAction* action : main->menuBar()->actions())
        menus << action->text();
    const qsizetype advanced = menus.indexOf("&Advanced");
    ASSERT_GE(advanced, 1);
    EXPECT_EQ(menus[advanced - 1], "&View");
    EXPECT_EQ(menus[advanced + 1], "&Window");
    QStringList items;
    for (QAction* action : main->mnuAdvanced->actions())
        items << action->text();
    EXPECT_TRUE(items.contains("&Save Project/Workspace..."));
    EXPECT_TRUE(items.contains("R&estore Project/Workspace..."));
}

TEST_F(WorkspaceTest, TwoSavedDocumentsGiveExactlyFourCrLfLines) {
    QDir().mkpath(scratch.file("p"));
    QDir().mkpath(scratch.file("q"));
    const QString a = scratch.write("p/a.txt", "A");
    const QString b = scratch.write("q/b.c", "B");
    start();
    main->activeDocument()->subWindow()->close(); // File 1
    open(a);
    open(b);
    DocumentRegistry.openDocuments()[1]->rtfText->setText("B changed");
    boxes.answer(vbYes);
    dialogs.answerFile(scratch.file("both")); // no extension typed
    main->mnuAdvancedSaveProject_Click();

    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, kSaveQuestion);
    EXPECT_EQ(boxes.asked()[0].title, "Confirm");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbYesNo);
    EXPECT_EQ(readAll(b), "B changed") << "Save All ran first";
    const FileDialogRequest& request = dialogs.fileRequests().back();
    EXPECT_EQ(request.kind, FileDialogRequest::Save);
    EXPECT_EQ(request.title, "Save As");
    EXPECT_EQ(request.filter, "Kelvane Project Files (*.kpj)|*.kpj");
    EXPECT_EQ(request.defaultExt, ".kpj");
    EXPECT_TRUE(main->dlgCommonDialog.DefaultExt.isEmpty()) << "set back after the dialog";
    EXPECT_EQ(readAll(scratch.file("both.kpj")),
              ("a.txt\r\n" + a + "\r\nb.c\r\n" + b + "\r\n").toUtf8());
    EXPECT_EQ(captions(), (std::vector<QString>{"a.txt", "b.c"})) << "documents untouched";

    // Saving the document afterwards writes its own file, not the workspace.
    main->mdiArea->setActiveSubWindow(DocumentRegistry.openDocuments()[0]->subWindow());
    main->activeDocument()->rtfText->setText("A2");
    main->mnuFileSave_Click();
    EXPECT_EQ(readAll(a), "A2");
    EXPECT_TRUE(readAll(scratch.file("both.kpj")).startsWith("a.txt\r\n"));
}

TEST_F(WorkspaceTest, SaveAnsweredNoOrWithoutDocumentsDoesNothing) {
    start();
    boxes.answer(vbNo);
    main->mnuAdvancedSaveProject_Click();
    EXPECT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(dialogs.fileRequests().empty());
    closeAll();
    boxes.clear();
    main->mnuAdvancedSaveProject_Click();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(dialogs.fileRequests().empty());
}

TEST_F(WorkspaceTest, UntitledCancelledDuringSaveAllIsWrittenWithEmptyPathAndStopsRestore) {
    const QString a = scratch.write("a.txt", "A");
    start(a); // a.txt in slot 1
    NewDocument();
    boxes.answer(vbYes);
    dialogs.answerFile(std::nullopt); // Save All: "Save File 2" cancelled
    dialogs.answerFile(scratch.file("mixed.kpj"));
    main->mnuAdvancedSaveProject_Click();
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Save File 2");
    EXPECT_EQ(readAll(scratch.file("mixed.kpj")),
              ("a.txt\r\n" + a + "\r\nFile 2\r\n\r\n").toUtf8());

    boxes.clear();
    closeAll();
    restore(scratch.file("mixed.kpj"));
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_TRUE(boxes.asked()[1].prompt.startsWith(
        "There was an error when trying to load the files contained in " +
        scratch.file("mixed.kpj") + ".\r\n"));
    EXPECT_EQ(boxes.asked()[1].title, "File I/O Error");
    EXPECT_EQ(captions().size(), 2u);
    EXPECT_EQ(captions()[0], "a.txt");
    EXPECT_TRUE(DocumentRegistry.openDocuments()[1]->isUntitled())
        << "the failing record's document stays open, untitled";
    EXPECT_TRUE(DocumentRegistry.openDocuments()[1]->rtfText->Text().isEmpty());
}

TEST_F(WorkspaceTest, RestoreShowsCaptionsAsWrittenWithoutBackupsOrRecentEntries) {
    const QString a = scratch.write("a.txt", "alpha");
    const QString b = scratch.write("b.c", "beta");
    const QString workspace =
        scratch.write("edited.kpj", ("My notes\r\n" + a + "\r\nmain program\r\n" + b).toUtf8());
    start();
    restore(workspace);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, kRestoreQuestion);
    EXPECT_EQ(boxes.asked()[0].title, "Confirm");
    const FileDialogRequest& request = dialogs.fileRequests().back();
    EXPECT_EQ(request.kind, FileDialogRequest::Open);
    EXPECT_EQ(request.title, "Open");
    EXPECT_EQ(request.filter, "Kelvane Project Files (*.kpj)|*.kpj");
    EXPECT_EQ(captions(), (std::vector<QString>{"My notes", "main program"}))
        << "File 1 was closed first";
    frmDocument* second = DocumentRegistry.openDocuments()[1];
    EXPECT_EQ(second->Tag, b);
    EXPECT_EQ(second->rtfText->Text(), "beta");
    EXPECT_FALSE(second->Changed);
    EXPECT_EQ(main->tabFiles->tabText(main->tabFiles->indexOfKey(second->tabKey())),
              "main program");
    EXPECT_FALSE(QFile::exists(a + "~"));
    EXPECT_TRUE(RecentFiles.entry(1).isEmpty());
}

TEST_F(WorkspaceTest, ZeroByteWorkspaceGivesTheErrorAndOpensNothing) {
    const QString empty = scratch.write("empty.kpj", "");
    start();
    restore(empty);
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_TRUE(boxes.asked()[1].prompt.startsWith(
        "There was an error when trying to load the files contained in " + empty + ".\r\n"));
    EXPECT_TRUE(captions().empty());

    // The command line tests the end first: the same file opens nothing and says nothing.
    main.reset();
    boxes.clear();
    const QString upper = scratch.write("EMPTY.KPJ", "");
    start(upper);
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(captions(), std::vector<QString>{"File 1"});
}

TEST_F(WorkspaceTest, RestoreAnsweredNoOrCancelledKeepsOrClosesAsAsked) {
    start();
    boxes.answer(vbNo);
    main->mnuAdvancedRestoreProject_Click();
    EXPECT_EQ(captions(), std::vector<QString>{"File 1"});
    EXPECT_TRUE(dialogs.fileRequests().empty());

    // A changed document whose save prompt is cancelled stays open; the restore goes on.
    main->activeDocument()->rtfText->setText("keep me");
    NewDocument();
    boxes.clear();
    boxes.answer(vbYes);    // continue
    boxes.answer(vbCancel); // save changes to File 1?
    dialogs.answerFile(std::nullopt);
    main->mnuAdvancedRestoreProject_Click();
    EXPECT_EQ(captions(), std::vector<QString>{"File 1"});
    EXPECT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_EQ(boxes.asked().size(), 2u) << "a cancelled dialog ends the command silently";
}

TEST_F(WorkspaceTest, FailedSaveKeepsTheOldWorkspaceByteForByteAndReports) {
    const QByteArray old = "old.txt\r\n/somewhere/old.txt\r\n";
    const QString workspace = scratch.write("keep.kpj", old);
    const QString a = scratch.write("a-file-with-a-long-name.txt", "A");
    start(a);
    boxes.answer(vbYes);
    dialogs.answerFile(workspace);
    const QStringList before = QDir(scratch.path()).entryList(QDir::Files);
    runWithFileSizeLimit(4, [this] { main->mnuAdvancedSaveProject_Click(); });
    EXPECT_EQ(readAll(workspace), old);
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_TRUE(boxes.asked()[1].prompt.startsWith("An error occurred when saving the file " +
                                                   workspace + ".\r"));
    EXPECT_EQ(boxes.asked()[1].title, "Kelvane");
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files), before)
        << "no temporary file is left behind";
}

} // namespace
} // namespace kelvane::test
