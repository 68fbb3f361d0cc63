// Files changed under the editor by other programs: an unchanged document follows the file, a
// changed one asks, a removed file is said once, and no save path writes over a newer file
// without asking.
#include "AppFixture.h"

#include "document/FileWatch.h"
#include "platform/PanelStatusBar.h"
#include "settings/ReloadSetting.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace kelvane::test {
namespace {

class FileWatchTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ReloadChangedFiles = true;
        path = scratch.write("notes.txt", "one\r\ntwo\r\nthree\r\nfour\r\n");
        start(path);
        QCoreApplication::processEvents();
        document = main->activeDocument();
        ASSERT_NE(document, nullptr);
        boxes.clear();
    }

    /// Another program writes the file in place.
    void rewrite(const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    /// Another program writes a new file and renames it over the old one.
    void replaceByRename(const QByteArray& bytes) const {
        const QString other = scratch.write("incoming.tmp", bytes);
        ASSERT_EQ(
            ::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()), 0);
    }
    QByteArray onDisk() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    /// Waits for the watcher to report (it waits a moment for the writer to finish).
    bool waitForText(const QString& text) const {
        return QTest::qWaitFor([&] { return document->rtfText->Text() == text; }, 3000);
    }
    /// Lets the watcher report a change that needs a question, then activates the window.
    void settleAndActivate() const {
        QTest::qWait(FileWatch::kSettleDelay + 200);
        document->checkDiskFile();
    }
    std::vector<QString> prompts() const {
        std::vector<QString> result;
        for (const MsgBoxRequest& request : boxes.asked())
            result.push_back(request.prompt);
        return result;
    }

    QString path;
    frmDocument* document = nullptr;
};

TEST_F(FileWatchTest, UnchangedDocumentFollowsTheFileAsOneUndoStepKeepingTheCaretLine) {
    document->rtfText->setSelStart(document->rtfText->lineIndex(2)); // on "three"
    rewrite("ONE\nTWO\nTHREE\nFOUR\nFIVE\n");
    ASSERT_TRUE(waitForText(QStringLiteral("ONE\r\nTWO\r\nTHREE\r\nFOUR\r\nFIVE\r\n")));
    EXPECT_FALSE(document->Changed);
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(document->rtfText->lineFromChar(document->rtfText->SelStart()), 2);
    EXPECT_EQ(main->sbStatusBar->panelText(1),
              QStringLiteral("Reloaded: notes.txt \u2014 changed on disk"));
    document->Undo();
    EXPECT_EQ(document->rtfText->Text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n"));
    EXPECT_TRUE(document->Changed);
    // The file has not changed since it was read again: Save writes without asking, in the
    // line breaks the file has now.
    main->mnuFileSave_Click();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(onDisk(), QByteArray("one\ntwo\nthree\nfour\n"));

    // A file replaced by rename is followed too, and so is the next write after that.
    replaceByRename("renamed\n");
    ASSERT_TRUE(waitForText(QStringLiteral("renamed\r\n")));
    rewrite("again\n");
    ASSERT_TRUE(waitForText(QStringLiteral("again\r\n")));
    // The file got shorter than the caret's line: the caret goes to its last line.
    EXPECT_EQ(document->rtfText->lineFromChar(document->rtfText->SelStart()), 1);
}

TEST_F(FileWatchTest, OwnSavesAreNotTakenForAnotherProgramsChange) {
    document->rtfText->setSelText(QStringLiteral("mine "));
    main->mnuFileSave_Click();
    main->mnuFileSave_Click(); // the first save replaced the file by rename
    QTest::qWait(FileWatch::kSettleDelay + 300);
    document->checkDiskFile();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(main->sbStatusBar->panelText(1).startsWith(QStringLiteral("Reloaded")), false);
    EXPECT_EQ(onDisk(), QByteArray("mine one\r\ntwo\r\nthree\r\nfour\r\n"));
}

TEST_F(FileWatchTest, ChangedDocumentAsksOnceThenKeepMakesSaveAsk) {
    document->rtfText->setSelText(QStringLiteral("typed "));
    rewrite("theirs\n");
    settleAndActivate();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt,
              QStringLiteral("The file notes.txt was changed by another program. Reload it and "
                             "lose your changes, or keep your text?"));
    EXPECT_EQ(boxes.asked()[0].buttonTexts,
              QStringList({QStringLiteral("&Reload"), QStringLiteral("&Keep")}));
    // Escape (no queued answer) keeps the typed text.
    EXPECT_TRUE(document->rtfText->Text().startsWith(QStringLiteral("typed one")));
    document->checkDiskFile();
    EXPECT_EQ(boxes.asked().size(), 1u) << "asked once for the same change";

    boxes.answer(vbNo);
    main->mnuFileSave_Click();
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_EQ(boxes.asked()[1].prompt,
              QStringLiteral("The file notes.txt was changed by another program since you "
                             "opened it. Save over it?"));
    EXPECT_EQ(onDisk(), QByteArray("theirs\n"));
    EXPECT_TRUE(document->Changed);

    boxes.answer(vbYes);
    main->mnuFileSave_Click();
    EXPECT_EQ(onDisk(), QByteArray("typed one\r\ntwo\r\nthree\r\nfour\r\n"));
    EXPECT_FALSE(document->Changed);
}

TEST_F(FileWatchTest, ReloadAnswerTakesTheFileAndUndoBringsTheTypingBack) {
    document->rtfText->setSelText(QStringLiteral("typed "));
    rewrite("theirs\n");
    boxes.answer(vbYes);
    settleAndActivate();
    EXPECT_EQ(document->rtfText->Text(), QStringLiteral("theirs\r\n"));
    EXPECT_FALSE(document->Changed);
    document->Undo();
    EXPECT_TRUE(document->rtfText->Text().startsWith(QStringLiteral("typed one")));
}

TEST_F(FileWatchTest, RemovedFileIsSaidOnceAndSaveWritesItBack) {
    ASSERT_TRUE(QFile::remove(path));
    settleAndActivate();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.contains(QStringLiteral("deleted or moved away")));
    EXPECT_TRUE(document->Changed);
    document->checkDiskFile();
    EXPECT_EQ(boxes.asked().size(), 1u);
    main->mnuFileSave_Click();
    EXPECT_EQ(boxes.asked().size(), 1u) << "nothing to write over";
    EXPECT_EQ(onDisk(), QByteArray("one\r\ntwo\r\nthree\r\nfour\r\n"));
    EXPECT_FALSE(document->Changed);
}

TEST_F(FileWatchTest, EverySavePathAsksBeforeWritingOverANewerFile) {
    struct SavePath {
        const char* name;
        std::function<void()> save; ///< answers No to the question about the newer file
    };
    const std::vector<SavePath> paths = {
        {"Save",
         [this] {
             boxes.answer(vbNo);
             main->mnuFileSave_Click();
         }},
        {"Save As onto the same path",
         [this] {
             dialogs.answerFile(path);
             boxes.answer(vbNo);
             main->mnuFileSaveAs_Click();
         }},
        {"Save All",
         [this] {
             boxes.answer(vbNo);
             main->mnuFileSaveAll_Click();
         }},
        {"Close, Yes",
         [this] {
             boxes.answer(vbYes); // save the changes
             boxes.answer(vbNo);
             main->mnuFileClose_Click();
         }},
        {"Exit, Yes",
         [this] {
             boxes.answer(vbYes);
             boxes.answer(vbNo);
             main->mnuFileExit_Click();
         }},
    };
    for (const SavePath& savePath : paths) {
        SCOPED_TRACE(savePath.name);
        document->rtfText->setSelText(QStringLiteral("x"));
        rewrite("theirs\n");
        document->fileWatch().acknowledge(); // the activation question is not this test's
        boxes.clear();
        savePath.save();
        EXPECT_EQ(onDisk(), QByteArray("theirs\n"));
        EXPECT_TRUE(std::any_of(boxes.asked().begin(), boxes.asked().end(),
                                [](const MsgBoxRequest& request) {
                                    return request.prompt.endsWith(QStringLiteral("Save over it?"));
                                }));
        // Declining keeps the document open with its text.
        EXPECT_EQ(main->activeDocument(), document);
        EXPECT_TRUE(document->Changed);
        EXPECT_TRUE(main->isVisible());
    }
}

TEST_F(FileWatchTest, SwitchedOffAsksEvenWithoutUnsavedChanges) {
    ReloadChangedFiles = false;
    rewrite("theirs\n");
    settleAndActivate();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.contains(QStringLiteral("keep the text shown")));
    EXPECT_EQ(document->rtfText->Text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n"));
}

TEST_F(FileWatchTest, FileWrittenManyTimesASecondIsReloadedAtMostOnceASecond) {
    QSignalSpy reports(&document->fileWatch(), &FileWatch::changedOnDisk);
    QByteArray log;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2000) {
        log += "line\n";
        rewrite(log);
        QTest::qWait(10);
    }
    EXPECT_LE(reports.size(), 3);
    EXPECT_GE(reports.size(), 1);
    ASSERT_TRUE(waitForText(
        QString::fromLatin1(log).replace(QStringLiteral("\n"), QStringLiteral("\r\n"))));
}

} // namespace
} // namespace kelvane::test
