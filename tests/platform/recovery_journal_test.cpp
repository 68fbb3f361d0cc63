// The recovery journal: its entries, damaged and torn journals, compaction, and a writer killed
// at any moment of its appends and compactions.
#include "platform/FileIO.h"
#include "platform/RecoveryFile.h"
#include "platform/RecoveryJournal.h"
#include "platform/RecoveryKeeper.h"
#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <unistd.h>

namespace kelvane::test {
namespace {

constexpr char kChildFolder[] = "KELVANE_JOURNAL_TEST_FOLDER";
const QString kStart = QStringLiteral("start of the text\n");

// The i-th edit of the killed writer's text: insertions, removals and replacements anywhere,
// with line breaks and a character outside the basic plane now and then.
JournalEdit editNumber(int i, qsizetype length) {
    JournalEdit edit;
    edit.from = (qint64(i) * 7919) % (length + 1);
    edit.removed = i % 3 == 0 ? std::min<qint64>(length - edit.from, i % 7) : 0;
    edit.inserted = QStringLiteral("<%1>").arg(i);
    if (i % 5 == 0)
        edit.inserted += QLatin1Char('\n');
    if (i % 11 == 0)
        edit.inserted += QString::fromUcs4(U"\U0001F600");
    return edit;
}

std::vector<QString> statesUpTo(int count) {
    std::vector<QString> states{kStart};
    for (int i = 1; i <= count; ++i) {
        QString text = states.back();
        applyJournal(text, {editNumber(i, text.size())});
        states.push_back(text);
    }
    return states;
}

// The child keeps a document's recovery file with a journal that is folded into a new base
// every few entries, and a new base copy of the text, read in pieces, now and then; it says how
// far its writes have reached after each, and is killed.
const TestChild journallingChild("recovery-journal", [] {
    setUserDataFolderOverride(QString::fromLocal8Bit(qgetenv(kChildFolder)));
    RecoveryKeeper keeper;
    keeper.setDelay(0);
    keeper.setCompactionMinimum(300);
    keeper.setCopyPieceLength(7);
    QObject document;
    QString text = kStart;
    const RecoverySource source{
        [] {
            return RecoveryRecord{"", "File 1", ""};
        },
        {},
        [&text] { return text.size(); },
        [&text](qint64 from, qint64 count) { return text.mid(from, count); }};
    keeper.changed(&document, source);
    keeper.writeNow(&document);
    keeper.waitForDone();
    std::printf("file %s\n0\n", qPrintable(keeper.fileOf(&document)));
    std::fflush(stdout);
    for (int i = 1; i < 100000; ++i) {
        const JournalEdit edit = editNumber(i, text.size());
        applyJournal(text, {edit});
        if (i % 25 == 0)
            keeper.changed(&document, source); // as if replaced whole
        else
            keeper.edited(&document, edit, source);
        keeper.writeNow(&document);
        keeper.waitForDone();
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    for (;;)
        ::pause();
    return 0;
});

// The same, for a document read from a text file (CR LF line breaks, so the file's bytes are not
// the text's): its base is a copy of the file.
const TestChild textFileChild("recovery-text-file", [] {
    const QString folder = QString::fromLocal8Bit(qgetenv(kChildFolder));
    setUserDataFolderOverride(folder);
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/read.txt");
    QString error;
    writeFileAtomically(path, QByteArray("start of the text\r\n"), error);
    RecoveryKeeper keeper;
    keeper.setDelay(0);
    keeper.setCompactionMinimum(300);
    QObject document;
    QString text = kStart;
    const RecoverySource source{[] {
                                    return RecoveryRecord{"", "read.txt", ""};
                                },
                                [&text] { return text; },
                                {},
                                {}};
    keeper.loaded(&document, {path, FileStamp::of(path), text.size()}, source);
    for (int i = 1; i < 100000; ++i) {
        const JournalEdit edit = editNumber(i, text.size());
        applyJournal(text, {edit});
        keeper.edited(&document, edit, source);
        keeper.writeNow(&document);
        keeper.waitForDone();
        if (i == 1)
            std::printf("file %s\n", qPrintable(keeper.fileOf(&document)));
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    for (;;)
        ::pause();
    return 0;
});

TEST(RecoveryJournalFormat, EntriesComeBackWholeAndTornOnesNever) {
    const std::vector<JournalEdit> edits = {
        {0, 0, "typed"},
        {3, 2, ""},
        {1, 0, QString("\u00e9\n") + QChar(0xD800)},
        {0, 4, QString(3, QChar(0xFFFF))},
    };
    QByteArray bytes = journalHeader(7);
    for (const JournalEdit& edit : edits)
        bytes += encodeJournalEdit(edit);
    const std::optional<JournalContents> whole = decodeJournal(bytes);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->generation, 7u);
    EXPECT_EQ(whole->edits, edits);
    EXPECT_EQ(whole->wholeBytes, bytes.size());

    // A run killed mid-append leaves part of an entry: every cut gives the whole entries before.
    for (qsizetype cut = journalHeader(7).size(); cut < bytes.size(); ++cut) {
        const std::optional<JournalContents> torn = decodeJournal(bytes.first(cut));
        ASSERT_TRUE(torn);
        ASSERT_LT(torn->edits.size(), edits.size()) << cut;
        EXPECT_TRUE(std::equal(torn->edits.begin(), torn->edits.end(), edits.begin())) << cut;
    }
    // A changed byte inside an entry ends the journal before that entry.
    const qsizetype second = journalHeader(7).size() + encodeJournalEdit(edits[0]).size();
    for (qsizetype at = second; at < second + encodeJournalEdit(edits[1]).size(); ++at) {
        QByteArray damaged = bytes;
        damaged[at] = char(damaged[at] ^ 0x20);
        EXPECT_EQ(decodeJournal(damaged)->edits.size(), 1u) << at;
    }
    for (const QByteArray& notJournal :
         {QByteArray(), QByteArray("Kelvane recovery journal 1 \n"),
          QByteArray("Kelvane recovery journal 1 x\n"), QByteArray("some text\n")})
        EXPECT_FALSE(decodeJournal(notJournal)) << notJournal.toStdString();
}

TEST(RecoveryJournalFormat, AnEditThatDoesNotFitStopsTheReplay) {
    QString text = "abcdef";
    EXPECT_EQ(applyJournal(text, {{6, 0, "!"}, {2, 2, "X"}, {5, 3, "late"}, {0, 0, "never"}}), 2u);
    EXPECT_EQ(text, "abXef!");
}

class RecoveryJournalTest : public ::testing::Test {
protected:
    void SetUp() override { previousData = setUserDataFolderOverride(scratch.path()); }
    void TearDown() override { setUserDataFolderOverride(previousData); }

    // A document of the given text whose keeper is told each edit.
    struct Document {
        QObject object;
        QString text;
        bool unsaved = true;
        RecoverySource source() {
            return {[this]() -> std::optional<RecoveryRecord> {
                        if (!unsaved)
                            return std::nullopt;
                        return RecoveryRecord{"/home/user/a.c", "a.c", ""};
                    },
                    [this] {
                        ++copies;
                        return text;
                    },
                    {},
                    {}};
        }
        int copies = 0;
    };
    static void edit(RecoveryKeeper& keeper, Document& document, const JournalEdit& edit) {
        applyJournal(document.text, {edit});
        keeper.edited(&document.object, edit, document.source());
    }

    ScratchDir scratch;
    QString previousData;
};

TEST_F(RecoveryJournalTest, EditsAreAppendedAfterOneBaseCopyAndFoldedInWhenTheJournalGrows) {
    RecoveryKeeper keeper;
    keeper.setCompactionMinimum(2000);
    Document document;
    document.text = QString(1000, QLatin1Char('x'));
    keeper.changed(&document.object, document.source());
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    const QString file = keeper.fileOf(&document.object);
    const QByteArray base = readAll(file);
    ASSERT_EQ(readRecovery(file)->text, document.text);

    for (int i = 1; i <= 10; ++i) {
        edit(keeper, document, editNumber(i, document.text.size()));
        keeper.writeNow(&document.object);
    }
    keeper.waitForDone();
    EXPECT_EQ(document.copies, 1) << "edits never copy the whole text";
    EXPECT_EQ(readAll(file), base) << "the base copy stays as it was";
    EXPECT_EQ(decodeJournal(readAll(journalFileOf(file)))->edits.size(), 10u);
    EXPECT_EQ(readRecovery(file)->text, document.text);

    // Past 2000 bytes of journal the writing thread folds it into a new base copy.
    for (int i = 11; i <= 120; ++i) {
        edit(keeper, document, editNumber(i, document.text.size()));
        keeper.writeNow(&document.object);
    }
    keeper.waitForDone();
    EXPECT_EQ(document.copies, 1) << "compaction works from the files, not from the text";
    EXPECT_NE(readAll(file), base);
    EXPECT_LT(readAll(journalFileOf(file)).size(), 2000);
    const std::optional<RecoveryRecord> kept = readRecovery(file);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->text, document.text);
    EXPECT_EQ(kept->title, "a.c");

    keeper.forget(&document.object);
    keeper.waitForDone();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(journalFileOf(file)));
}

TEST_F(RecoveryJournalTest, ADocumentReadFromATextFileKeepsACopyOfTheFileAndItsEdits) {
    // Windows-1252 with CR LF breaks: the file's bytes are not the text's.
    const QByteArray bytes = "caf\xe9\r\nsecond line\r\nthird\r\n";
    const QString path = scratch.file("read.txt");
    QString error;
    ASSERT_TRUE(writeFileAtomically(path, bytes, error));
    RecoveryKeeper keeper;
    Document document;
    document.text = decodeText(bytes).text;
    const RecoveryOrigin origin{path, FileStamp::of(path), document.text.size()};
    keeper.loaded(&document.object, origin, document.source());

    edit(keeper, document, {3, 1, "e\u0301"});
    edit(keeper, document, {0, 0, "Le "});
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    const QString file = keeper.fileOf(&document.object);
    EXPECT_TRUE(readAll(file).endsWith(bytes)) << "the base is the file's bytes";
    EXPECT_EQ(readRecovery(file)->text, document.text);
    edit(keeper, document, {5, 0, "!"});
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    EXPECT_EQ(readRecovery(file)->text, document.text);

    // Undone back to the file: nothing to keep, and the file stays the base of later edits.
    document.text = decodeText(bytes).text;
    document.unsaved = false;
    keeper.edited(&document.object, {0, 0, ""}, document.source());
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    EXPECT_FALSE(QFile::exists(file));
    document.unsaved = true;
    edit(keeper, document, {document.text.size(), 0, "end"});
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    EXPECT_TRUE(readAll(file).endsWith(bytes));
    EXPECT_EQ(readRecovery(file)->text, document.text);
    EXPECT_EQ(document.copies, 0) << "the text itself was never copied";

    // Changed whole, the text is its own base again.
    document.text = "replaced";
    keeper.changed(&document.object, document.source());
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    EXPECT_EQ(document.copies, 1);
    EXPECT_EQ(readRecovery(file)->text, "replaced");
}

TEST_F(RecoveryJournalTest, AFileWrittenByAnotherProgramIsNotTakenForTheText) {
    const QString path = scratch.file("read.txt");
    QString error;
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("as it was read\n"), error));
    RecoveryKeeper keeper;
    Document document;
    document.text = "as it was read\n";
    keeper.loaded(&document.object, {path, FileStamp::of(path), document.text.size()},
                  document.source());
    // Rewritten in place, same length: only its stamp tells.
    QThread::msleep(20);
    QFile rewrite(path);
    ASSERT_TRUE(rewrite.open(QIODevice::ReadWrite));
    rewrite.write("AS IT WAS READ\n");
    rewrite.close();

    edit(keeper, document, {0, 0, "typed "});
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    // The failed copy asks for a base of the text, written at once.
    QCoreApplication::processEvents();
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    const QString file = keeper.fileOf(&document.object);
    EXPECT_EQ(document.copies, 1);
    ASSERT_TRUE(readRecovery(file));
    EXPECT_EQ(readRecovery(file)->text, "typed as it was read\n");
}

TEST_F(RecoveryJournalTest, ABaseCopyReadInPiecesFollowsTheEditsMadeMeanwhile) {
    RecoveryKeeper keeper;
    keeper.setDelay(0);
    keeper.setCopyPieceLength(100);
    Document document;
    for (int i = 0; i < 1000; ++i)
        document.text += QString("line %1\n").arg(i);
    // Where the copy has read up to in the present text, as the keeper follows it.
    qint64 read = 0;
    RecoverySource source = document.source();
    source.text = {};
    source.length = [&] { return document.text.size(); };
    source.piece = [&](qint64 from, qint64 count) {
        read = from + count;
        return document.text.mid(from, count);
    };
    keeper.changed(&document.object, source);
    ASSERT_TRUE(QTest::qWaitFor([&] { return keeper.copyingBase(&document.object); }));
    int edits = 0;
    for (int i = 0; keeper.copyingBase(&document.object) && i < 100000; ++i) {
        QCoreApplication::processEvents();
        if (!keeper.copyingBase(&document.object) || read == 0)
            continue;
        // Behind the part read, across its end, at its end and in the rest, in turn.
        const qint64 size = document.text.size();
        JournalEdit edit;
        switch (edits++ % 4) {
        case 0:
            edit = {read / 2, std::min<qint64>(3, read / 2), "<before>"};
            break;
        case 1:
            edit = {std::max<qint64>(0, read - 2), std::min<qint64>(5, size - read + 2), "<"};
            break;
        case 2:
            edit = {read, 0, "<at>"};
            break;
        default:
            edit = {(read + size) / 2, std::min<qint64>(2, size - (read + size) / 2), ""};
            break;
        }
        applyJournal(document.text, {edit});
        const qint64 removedRead = std::min(edit.removed, std::max<qint64>(0, read - edit.from));
        if (edit.from < read)
            read += edit.inserted.size() - removedRead;
        keeper.edited(&document.object, edit, source);
    }
    EXPECT_GT(edits, 40);
    keeper.waitForDone();
    const QString file = keeper.fileOf(&document.object);
    ASSERT_TRUE(readRecovery(file));
    EXPECT_EQ(readRecovery(file)->text, document.text);
    EXPECT_EQ(document.copies, 0) << "the text was never copied whole";

    // Later edits go to the journal of that base; a new copy replaces it only once whole.
    edit(keeper, document, {0, 0, "later "});
    keeper.writeNow(&document.object);
    keeper.waitForDone();
    EXPECT_EQ(readRecovery(file)->text, document.text);
    const QString kept = readRecovery(file)->text;
    keeper.changed(&document.object, source);
    ASSERT_TRUE(QTest::qWaitFor([&] { return keeper.copyingBase(&document.object); }));
    QCoreApplication::processEvents();
    keeper.waitForDone();
    EXPECT_EQ(readRecovery(file)->text, kept) << "a copy under way leaves the last one";
    keeper.writeNow(&document.object);
    EXPECT_FALSE(keeper.copyingBase(&document.object)) << "writing now finishes the copy";
    keeper.forget(&document.object);
    keeper.waitForDone();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file is left, only the folder's lock";
}

TEST_F(RecoveryJournalTest, AJournalOfAnotherGenerationIsSetAsideAndAWholeTextFileStillReads) {
    const QString folder = recoveryFolder() + "/1-1-dead";
    ASSERT_TRUE(QDir().mkpath(folder));
    QString error;
    // Killed between a new base copy and its empty journal: the old journal's edits are
    // already in the base.
    const QString journalled = folder + "/document-1.recovery";
    ASSERT_TRUE(writeFileAtomically(
        journalled, encodeRecovery({"", "File 1", "base with the edit"}, 3), error));
    ASSERT_TRUE(writeFileAtomically(journalFileOf(journalled),
                                    journalHeader(2) + encodeJournalEdit({0, 4, "again"}), error));
    // A file of an older build: the whole text, no journal.
    const QString whole = folder + "/document-2.recovery";
    ASSERT_TRUE(writeFileAtomically(
        whole, QByteArray("Kelvane recovery file 1\n%2Fa.c\na.c\n") + QByteArray("h\0i\0", 4),
        error));

    std::vector<LeftRecovery> left = findLeftRecovery();
    ASSERT_EQ(left.size(), 2u);
    std::sort(left.begin(), left.end(),
              [](const LeftRecovery& a, const LeftRecovery& b) { return a.file < b.file; });
    EXPECT_EQ(left[0].record.text, "base with the edit");
    EXPECT_EQ(left[1].record, (RecoveryRecord{"/a.c", "a.c", "hi"}));
    for (const LeftRecovery& one : left)
        removeLeftRecovery(one.file);
    EXPECT_FALSE(QDir(folder).exists()) << "the journal goes with its file";
}

TEST_F(RecoveryJournalTest, AWriterKilledAtAnyMomentLeavesTheTextOfItsLastWholeWrite) {
    const std::vector<QString> states = statesUpTo(2000);
    // Four rounds keep a base of the text, four a base copied from the file the text was read
    // from (and folded into a base of the text as the journal grows).
    for (int round = 0; round < 8; ++round) {
        const bool fromFile = round >= 4;
        QProcess child;
        QProcessEnvironment env =
            testChildEnvironment(fromFile ? "recovery-text-file" : "recovery-journal");
        const QString folder = scratch.file(QString("round%1").arg(round));
        env.insert(kChildFolder, folder);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        const int killAfter = 40 + QRandomGenerator::global()->bounded(400);
        QString file;
        int written = -1;
        while (written < killAfter && child.waitForReadyRead(60000)) {
            while (child.canReadLine()) {
                const QString line = QString::fromUtf8(child.readLine()).trimmed();
                if (line.startsWith("file "))
                    file = line.mid(5);
                else
                    written = line.toInt();
            }
        }
        ASSERT_GE(written, killAfter) << "the child stopped writing";
        child.kill(); // SIGKILL, wherever its writes are
        ASSERT_TRUE(child.waitForFinished(60000));
        const std::optional<RecoveryRecord> kept = readRecovery(file);
        ASSERT_TRUE(kept) << file.toStdString();
        // Everything reported written is there; at most the write under way when killed more.
        ASSERT_LT(written + 1, int(states.size()));
        EXPECT_TRUE(kept->text == states[size_t(written)] ||
                    kept->text == states[size_t(written) + 1])
            << "round " << round << ", " << written << " edits written";
    }
}

} // namespace
} // namespace kelvane::test
