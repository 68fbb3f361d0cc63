// Crash recovery in the editor: unsaved text kept while typing, dropped on save or close, and
// offered back by the next start after the editor was killed.
#include "AppFixture.h"

#include "platform/FileIO.h"
#include "platform/RecoveryKeeper.h"
#include "platform/RecoveryPrompt.h"
#include "platform/richtext/TextView.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace kelvane::test {
namespace {

constexpr char kFolder[] = "KELVANE_RECOVERY_TEST_SCRATCH";
const QByteArray kOnDisk = "int main() {}\r\n";

/// Types into a document's text as the keyboard does.
void type(frmDocument* document, const QString& text) {
    document->rtfText->setSelStart(document->rtfText->textLength());
    QTest::keyClicks(document->rtfText->view(), text);
}

/// Writes the document's pending recovery text now and waits for it; returns its file.
QString keptFile(frmDocument* document) {
    RecoveryKeeper* keeper = recoveryKeeper();
    keeper->writeNow(document);
    keeper->waitForDone();
    return keeper->fileOf(document);
}

// The editor that gets killed: a main window on a file of the scratch folder, with typed text
// kept for recovery; it says so and waits.
const TestChild killedEditor("killed-editor", [] {
    const QString scratch = QString::fromLocal8Bit(qgetenv(kFolder));
    setAppPathOverride(scratch + "/program");
    setSettingsFileOverride(scratch + "/settings.ini");
    setUserDataFolderOverride(scratch + "/data");
    EditorSettings.Backup = false;
    frmMain main;
    main.MainWindowInit(nullptr, scratch + "/main.c");
    main.show();
    frmDocument* document = main.activeDocument();
    type(document, "// typed before the crash");
    if (!QFile::exists(keptFile(document)))
        return 1;
    std::fputs("kept\n", stdout);
    std::fflush(stdout);
    for (;;)
        ::pause();
    return 0;
});

class RecoveryTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        QDir().mkpath(scratch.file("data"));
        previousData = setUserDataFolderOverride(scratch.file("data"));
        EditorSettings.Backup = false;
        setRecoveryPromptBackend([this](const RecoveryRecord& record) {
            offered.push_back(record);
            return answer;
        });
    }
    void TearDown() override {
        AppFixture::TearDown();
        setRecoveryPromptBackend({});
        setUserDataFolderOverride(previousData);
    }

    /// Runs an editor on main.c that is killed after it kept typed text.
    void killAnEditor() {
        scratch.write("main.c", kOnDisk);
        QProcess child;
        QProcessEnvironment env = testChildEnvironment("killed-editor");
        env.insert(kFolder, scratch.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        ASSERT_TRUE(child.waitForReadyRead(120000)) << child.readAllStandardError().constData();
        ASSERT_EQ(child.readAllStandardOutput(), "kept\n");
        child.kill(); // SIGKILL: no window closes, no file is cleaned up
        ASSERT_TRUE(child.waitForFinished(60000));
    }

    frmDocument* documentCaptioned(const QString& caption) {
        for (frmDocument* document : DocumentRegistry.openDocuments())
            if (document->Caption() == caption)
                return document;
        return nullptr;
    }

    QString previousData;
    RecoveryAnswer answer = RecoveryAnswer::Recover;
    std::vector<RecoveryRecord> offered;
};

TEST_F(RecoveryTest, TypedTextIsKeptUntilTheDocumentIsSaved) {
    const QString path = scratch.write("notes.txt", "old\n");
    start(path);
    frmDocument* document = main->activeDocument();
    type(document, "new words");
    const QString file = keptFile(document);
    ASSERT_TRUE(QFile::exists(file));
    const std::optional<RecoveryRecord> kept = readRecovery(file);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->path, path);
    EXPECT_EQ(kept->title, "notes.txt");
    EXPECT_EQ(kept->text, document->rtfText->documentText());
    EXPECT_TRUE(kept->text.contains("new words"));
    // The text as read is a copy of the file's bytes; the typing is in the journal.
    EXPECT_TRUE(readAll(file).endsWith("\nold\n"));

    main->mnuFileSave_Click();
    recoveryKeeper()->waitForDone();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(readAll(path).contains("new words"));
}

TEST_F(RecoveryTest, ClosingWithoutSavingDropsTheKeptText) {
    start();
    frmDocument* document = main->activeDocument();
    type(document, "throwaway");
    const QString file = keptFile(document);
    ASSERT_TRUE(QFile::exists(file));
    boxes.answer(vbNo); // Save Changes? No
    document->subWindow()->close();
    recoveryKeeper()->waitForDone();
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(RecoveryTest, LoadingAFileKeepsNothing) {
    start(scratch.write("loaded.txt", "just loaded\n"));
    EXPECT_FALSE(QFile::exists(keptFile(main->activeDocument())));
    main.reset(); // as if the editor had died here
    start();
    main->offerRecovery();
    EXPECT_TRUE(offered.empty());
}

TEST_F(RecoveryTest, AKilledEditorRestartedOffersTheTextBackUnsaved) {
    killAnEditor();
    start();
    main->offerRecovery();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].title, "main.c");

    frmDocument* recovered = documentCaptioned("main.c");
    ASSERT_NE(recovered, nullptr);
    EXPECT_EQ(recovered->Tag, scratch.file("main.c"));
    EXPECT_TRUE(recovered->Changed);
    EXPECT_TRUE(recovered->rtfText->documentText().contains("// typed before the crash"));
    EXPECT_EQ(readAll(scratch.file("main.c")), kOnDisk) << "the file waits for a save";

    // The text is safe in this run's own recovery file; the dead run's is gone.
    recoveryKeeper()->waitForDone();
    EXPECT_TRUE(QFile::exists(recoveryKeeper()->fileOf(recovered)));
    main.reset();
    start();
    offered.clear();
    main->offerRecovery();
    EXPECT_EQ(offered.size(), 1u) << "only the recovered window's own file is left";
}

TEST_F(RecoveryTest, DiscardRemovesTheTextAndLaterAsksAgain) {
    killAnEditor();
    answer = RecoveryAnswer::Later;
    start();
    main->offerRecovery();
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_EQ(documentCaptioned("main.c"), nullptr);

    answer = RecoveryAnswer::Discard;
    offered.clear();
    main->offerRecovery();
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_EQ(documentCaptioned("main.c"), nullptr);

    offered.clear();
    main->offerRecovery();
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(readAll(scratch.file("main.c")), kOnDisk);
}

TEST_F(RecoveryTest, EndOfTheDesktopSessionAsksWritesTheSettingsAndKeepsWhatIsLeftUnsaved) {
    const QString path = scratch.write("saved.txt", "old\n");
    start(path);
    frmDocument* saved = main->activeDocument();
    type(saved, "kept on disk");
    frmDocument* declined = main->newDocument();
    type(declined, "left unsaved");

    // Cancel: the session should not end, and nothing is written.
    boxes.answer(vbCancel);
    EXPECT_FALSE(main->commitSession(true));
    EXPECT_EQ(setting("MainWidth"), "<absent>");

    boxes.answer(vbYes); // saved.txt
    boxes.answer(vbNo);  // the untitled one
    ASSERT_TRUE(main->commitSession(true));
    ASSERT_EQ(boxes.asked().size(), 3u);
    EXPECT_EQ(boxes.asked()[1].title, "Save Changes?");
    EXPECT_TRUE(readAll(path).contains("kept on disk"));
    EXPECT_NE(setting("MainWidth"), "<absent>") << "the settings are written";
    const QString file = recoveryKeeper()->fileOf(declined);
    ASSERT_TRUE(QFile::exists(file));

    // The session ends: the window closes without asking again, and the unsaved text stays
    // for the next start.
    EXPECT_TRUE(main->close());
    EXPECT_EQ(boxes.asked().size(), 3u);
    main.reset();
    ASSERT_TRUE(QFile::exists(file));
    const std::optional<RecoveryRecord> kept = decodeRecovery(readAll(file));
    ASSERT_TRUE(kept.has_value());
    EXPECT_TRUE(kept->text.contains("left unsaved"));
}

TEST_F(RecoveryTest, EndOfASessionThatAllowsNoQuestionsKeepsEveryChangedDocument) {
    start();
    frmDocument* first = main->activeDocument();
    type(first, "one");
    frmDocument* second = main->newDocument();
    type(second, "two");
    ASSERT_TRUE(main->commitSession(false));
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_NE(setting("RecentFile1"), "<absent>");
    for (frmDocument* document : {first, second})
        EXPECT_TRUE(QFile::exists(recoveryKeeper()->fileOf(document)));
}

} // namespace
} // namespace kelvane::test
