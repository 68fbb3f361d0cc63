// File menu commands driven through scripted dialogs.
#include "AppFixture.h"

#include "app/RecentFiles.h"
#include "platform/KeyedTabBar.h"
#include "platform/help/Help.h"

#include <QFile>
#include <QMdiSubWindow>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace kelvane::test {
namespace {

using FileCommandsTest = AppFixture;

TEST_F(FileCommandsTest, OpenLoadsFileWritesRtfBackupAndTopsRecentList) {
    start();
    const QString path = scratch.write("a.txt", "alpha\r\nbeta\r\n");
    dialogs.answerFile(path);
    main->mnuFileOpen_Click();
    ASSERT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Open");
    EXPECT_EQ(dialogs.fileRequests()[0].filter, frmMain::kDocumentFilter);
    frmDocument* document = main->activeDocument();
    EXPECT_EQ(document->Caption(), "a.txt");
    EXPECT_EQ(document->Tag, path);
    EXPECT_FALSE(document->Changed);
    EXPECT_EQ(document->rtfText->Text(), "alpha\r\nbeta\r\n");
    EXPECT_TRUE(readAll(path + "~").startsWith("{\\rtf"));
    EXPECT_EQ(RecentFiles.entry(1), path);
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "a.txt"}));
}

TEST_F(FileCommandsTest, OpenCancelledDoesNothingAndMissingFileKeepsEmptyUntitled) {
    start();
    dialogs.answerFile(std::nullopt);
    main->mnuFileOpen_Click();
    EXPECT_EQ(captions().size(), 1u);
    dialogs.answerFile(scratch.file("missing.txt"));
    main->mnuFileOpen_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.startsWith(
        "An error occurred while you were trying to open a file:\r\n"));
    EXPECT_EQ(boxes.asked()[0].title, "File I/O Error");
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "File 2"}));
}

TEST_F(FileCommandsTest, SaveUntitledAsksForNameAndRenamesItsOwnTab) {
    start();
    NewDocument();
    NewDocument();
    DocumentRegistry.openDocument(1)->subWindow()->close();
    frmDocument* third = DocumentRegistry.openDocument(3);
    main->mdiArea->setActiveSubWindow(third->subWindow());
    third->rtfText->setText("x");
    const QString path = scratch.file("named.c");
    dialogs.answerFile(path);
    main->mnuFileSaveAs_Click();
    EXPECT_EQ(dialogs.fileRequests().back().title, "Save As");
    EXPECT_EQ(third->Caption(), "named.c");
    EXPECT_EQ(main->tabFiles->tabText(main->tabFiles->indexOfKey("Tab3")), "named.c");
    EXPECT_EQ(main->tabFiles->tabText(main->tabFiles->indexOfKey("Tab2")), "File 2");
    EXPECT_EQ(readAll(path), "x");
}

TEST_F(FileCommandsTest, SaveOfTitledDocumentWritesItsPathWithoutDialog) {
    const QString path = scratch.write("b.txt", "one\ntwo\n");
    start(path);
    frmDocument* document = main->activeDocument();
    document->rtfText->setSelStart(document->rtfText->textLength());
    document->rtfText->setSelText("three\r\n");
    main->mnuFileSave_Click();
    EXPECT_TRUE(dialogs.fileRequests().empty());
    EXPECT_EQ(readAll(path), "one\ntwo\nthree\n") << "the file keeps its LF line breaks";
    EXPECT_FALSE(document->Changed);
}

TEST_F(FileCommandsTest, FileTitledLikeUntitledIsSavedThroughTheDialog) {
    const QString path = scratch.write("File list.txt", "x");
    start(path);
    dialogs.answerFile(scratch.file("other.txt"));
    main->mnuFileSave_Click();
    ASSERT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Save");
}

TEST_F(FileCommandsTest, OpenedRtfFileIsSavedAsPlainText) {
    const QString path = scratch.write(
        "r.rtf", "{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 red\\cf0  text\\par}");
    start(path);
    main->mnuFileSave_Click();
    EXPECT_EQ(readAll(path), "red text\n");
}

TEST_F(FileCommandsTest, SaveAllStopsAtFirstCancelledName) {
    start();
    NewDocument();
    dialogs.answerFile(std::nullopt);
    dialogs.answerFile(scratch.file("second.txt"));
    main->mnuFileSaveAll_Click();
    ASSERT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Save File 1");
    EXPECT_FALSE(QFile::exists(scratch.file("second.txt")));
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "File 2"}));
}

TEST_F(FileCommandsTest, SaveAllSavesEveryDocumentInSlotOrder) {
    const QString titled = scratch.write("t.txt", "t");
    start(titled);
    NewDocument()->rtfText->setText("new");
    main->activeDocument()->Changed = true;
    dialogs.answerFile(scratch.file("n.txt"));
    main->mnuFileSaveAll_Click();
    EXPECT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Save File 2");
    EXPECT_EQ(readAll(scratch.file("n.txt")), "new");
    for (frmDocument* document : DocumentRegistry.openDocuments())
        EXPECT_FALSE(document->Changed);
}

TEST_F(FileCommandsTest, FailedSavesReportOnceAndKeepTheFileAndTheDocument) {
    const QByteArray original = "original content\r\nsecond line\r\n";
    const QString kept = scratch.write("keep.txt", original);
    const struct {
        const char* name;
        QString file; // on the command line
        QString text; // typed before the save
        std::function<void()> save;
        std::function<void(const MsgBoxRequest&)> check;
    } rows[] = {
        {"a full disk leaves the old file byte-identical and no temporary file", kept,
         QString("replacement ").repeated(100),
         [this] { runWithFileSizeLimit(4, [this] { main->mnuFileSave_Click(); }); },
         [this, original, kept](const MsgBoxRequest& box) {
             EXPECT_EQ(readAll(kept), original);
             EXPECT_TRUE(
                 box.prompt.startsWith("An error occurred trying to save the file keep.txt.\r\n"));
             const QStringList files = QDir(scratch.path()).entryList(QDir::Files);
             EXPECT_EQ(files.size(), 3)
                 << "no temporary file is left behind: " << files.join(",").toStdString();
         }},
        {"a missing folder keeps the untitled document's caption and path", QString(), "text",
         [this] {
             dialogs.answerFile(scratch.file("no/such/folder/x.txt"));
             main->mnuFileSaveAs_Click();
         },
         [this](const MsgBoxRequest& box) {
             EXPECT_TRUE(box.prompt.startsWith("An error occurred when saving the file File 1.\r"));
             EXPECT_FALSE(
                 box.prompt.startsWith("An error occurred when saving the file File 1.\r\n"));
             EXPECT_EQ(main->activeDocument()->Caption(), "File 1");
             EXPECT_TRUE(main->activeDocument()->Tag.isEmpty());
         }},
        {"Save All shows its own message and stops", QString(), "text",
         [this] {
             dialogs.answerFile(scratch.file("no/such/x.txt"));
             main->mnuFileSaveAll_Click();
         },
         [](const MsgBoxRequest& box) {
             EXPECT_EQ(box.prompt, "An error occurred during the save process.");
             EXPECT_EQ(box.title, "File I/O Error");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (main) {
            for (frmDocument* document : DocumentRegistry.openDocuments())
                document->Changed = false; // the previous row's document goes unasked
            main.reset();
        }
        boxes.clear();
        start(row.file)->activeDocument()->rtfText->setText(row.text);
        row.save();
        ASSERT_EQ(boxes.asked().size(), 1u);
        row.check(boxes.asked()[0]);
        EXPECT_TRUE(main->activeDocument()->Changed) << "the text is still unsaved";
    }
}

TEST_F(FileCommandsTest, CommandsWithoutDocumentDoNothing) {
    start();
    main->activeDocument()->subWindow()->close();
    main->mnuFileSave_Click();
    main->mnuFileSaveAs_Click();
    main->mnuFileClose_Click();
    main->mnuFileSaveAll_Click();
    EXPECT_TRUE(dialogs.fileRequests().empty());
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(FileCommandsTest, RecentItemsFollowTheList) {
    start();
    EXPECT_FALSE(main->mnuFileRecent[0]->isVisible());
    const QString a = scratch.write("a.txt", "a");
    const QString b = scratch.write("b.txt", "b");
    for (const QString& path : {a, b, a}) {
        dialogs.answerFile(path);
        main->mnuFileOpen_Click();
    }
    EXPECT_EQ(RecentFiles.entry(1), a);
    EXPECT_EQ(RecentFiles.entry(2), b);
    EXPECT_EQ(RecentFiles.entry(3), a);
    EXPECT_TRUE(main->mnuFileRecent[0]->isVisible());
    EXPECT_TRUE(main->mnuFileRecent[3]->isVisible());
    EXPECT_FALSE(main->mnuFileRecent[4]->isVisible());
    main->mnuFileRecent_Click(2);
    EXPECT_EQ(main->activeDocument()->Caption(), "b.txt");
    EXPECT_EQ(RecentFiles.entry(1), a) << "reopening does not reorder the list";
}

} // namespace
} // namespace kelvane::test

namespace kelvane::test {
namespace {

using HelpMenuTest = AppFixture;

TEST_F(HelpMenuTest, WithoutHelpFileBothCommandsShowTheSameMessage) {
    start();
    setHelpFile(QString());
    main->helpCommands->mnuHelpContents_Click();
    main->helpCommands->mnuHelpSearchForHelpOn_Click();
    ASSERT_EQ(boxes.asked().size(), 2u);
    for (const MsgBoxRequest& request : boxes.asked()) {
        EXPECT_EQ(
            request.prompt,
            "Unable to display Help Contents. There is no Help associated with this project.");
        EXPECT_EQ(request.icon(), vbInformation);
        EXPECT_EQ(request.title, "Kelvane");
    }
    EXPECT_EQ(helpWindow(), nullptr);
}

} // namespace
} // namespace kelvane::test
