// Recovery files: their format, background writing and what a run that died leaves behind.
#include "platform/FileIO.h"
#include "platform/RecoveryFile.h"
#include "platform/RecoveryKeeper.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

namespace kelvane::test {
namespace {

constexpr char kChildFolder[] = "KELVANE_RECOVERY_TEST_FOLDER";

const RecoveryRecord kSample{"/home/user/notes\nwith a line break.txt", "notes.txt",
                             QString("first line\nsecond \u00e9 line\n") + QChar(0xD800) + "end"};

// The child run keeps one document's recovery file, says so, and waits to be killed.
const TestChild keepingChild("recovery-keeper", [] {
    setUserDataFolderOverride(QString::fromLocal8Bit(qgetenv(kChildFolder)));
    RecoveryKeeper keeper;
    QObject document;
    keeper.changed(&document, [] { return kSample; });
    keeper.writeNow(&document);
    keeper.waitForDone();
    std::fputs("kept\n", stdout);
    std::fflush(stdout);
    for (;;)
        ::pause();
    return 0;
});

TEST(RecoveryFileFormat, EveryRecordComesBackWhole) {
    const RecoveryRecord records[] = {
        {},
        kSample,
        {"", "File 1", "untitled text"},
        {"C:\\odd%20name%.txt", "50% done", QString(3, QChar(0xFFFF))},
        // Names that begin with U+FEFF keep it: it is a character there, not a byte order mark.
        {QString(2, QChar(0xFEFF)) + "notes.txt", QString(QChar(0xFEFF)) + "notes", "text"},
    };
    for (const RecoveryRecord& record : records)
        EXPECT_EQ(decodeRecovery(encodeRecovery(record)), record) << record.path.toStdString();
}

TEST(RecoveryFileFormat, AWrittenFileHoldsTheEncodedBytesOfALongText) {
    ScratchDir dir;
    RecoveryRecord longer = kSample;
    longer.text = kSample.text.repeated(100'000); // several pieces of the writer
    for (quint64 generation : {0, 7}) {
        const QString file = dir.file(QString("g%1.recovery").arg(generation));
        QString error;
        ASSERT_TRUE(writeRecovery(file, longer, generation, error)) << error.toStdString();
        EXPECT_EQ(readAll(file), encodeRecovery(longer, generation));
    }
}

TEST(RecoveryFileFormat, BytesThatAreNoRecoveryFileReadAsNothing) {
    const QByteArray good = encodeRecovery(kSample);
    const QByteArray cases[] = {
        QByteArray(),
        "Kelvane recovery file 1\npath only\n",
        "Kelvane recovery file 2\np\nt\n",
        good.left(good.size() - 1), // half a character
        "some text file\n\n\n",
    };
    for (const QByteArray& bytes : cases)
        EXPECT_FALSE(decodeRecovery(bytes).has_value()) << bytes.toStdString();
}

class RecoveryKeeperTest : public ::testing::Test {
protected:
    void SetUp() override { previousData = setUserDataFolderOverride(scratch.path()); }
    void TearDown() override { setUserDataFolderOverride(previousData); }

    ScratchDir scratch;
    QString previousData;
};

TEST_F(RecoveryKeeperTest, EachChangePutsTheWriteOffAndTheLastTextIsWrittenOnce) {
    RecoveryKeeper keeper;
    keeper.setDelay(60000); // far beyond the typing below, however slow the machine
    QObject document;
    QElapsedTimer clock;
    clock.start();
    int snapshots = 0;
    qint64 writtenAt = -1;
    const auto type = [&](int typed) {
        keeper.changed(&document, [&, typed] {
            ++snapshots;
            writtenAt = clock.elapsed();
            return RecoveryRecord{"", "File 1", QString("typed %1").arg(typed)};
        });
    };
    qint64 due = -1;
    for (int typed = 0; typed < 4; ++typed) {
        type(typed);
        const qint64 typedAt = clock.elapsed();
        const int left = keeper.pendingFor(&document);
        ASSERT_GE(left, 0) << "a write is pending after a change";
        // Each change puts the write off: it falls due later than the one before.
        EXPECT_GE(typedAt + left, due + 10) << "change " << typed;
        due = typedAt + left;
        ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() >= typedAt + 20; })); // next key
    }
    EXPECT_EQ(snapshots, 0) << "nothing is written while typing goes on";
    keeper.setDelay(100);
    const qint64 lastChange = clock.elapsed();
    type(4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return snapshots > 0; }, 10000));
    EXPECT_GE(writtenAt - lastChange, 90) << "written only once left alone for the delay";
    EXPECT_EQ(snapshots, 1);
    EXPECT_EQ(keeper.pendingFor(&document), -1);
    keeper.waitForDone();
    const QString file = keeper.fileOf(&document);
    ASSERT_TRUE(file.startsWith(recoveryFolder())) << file.toStdString();
    EXPECT_EQ(decodeRecovery(readAll(file))->text, "typed 4");
    EXPECT_TRUE(findLeftRecovery().empty()) << "a running editor's files are not offered";
}

TEST_F(RecoveryKeeperTest, SavingOrClosingRemovesTheFile) {
    RecoveryKeeper keeper;
    auto saved = std::make_unique<QObject>();
    auto closed = std::make_unique<QObject>();
    for (QObject* document : {saved.get(), closed.get()}) {
        keeper.changed(document, [] { return kSample; });
        keeper.writeNow(document);
    }
    keeper.waitForDone();
    const QString savedFile = keeper.fileOf(saved.get());
    const QString closedFile = keeper.fileOf(closed.get());
    ASSERT_TRUE(QFile::exists(savedFile) && QFile::exists(closedFile));

    keeper.forget(saved.get());
    closed.reset(); // a window that goes away
    keeper.waitForDone();
    EXPECT_FALSE(QFile::exists(savedFile));
    EXPECT_FALSE(QFile::exists(closedFile));
}

TEST_F(RecoveryKeeperTest, AForgottenDocumentIsNotWrittenLater) {
    RecoveryKeeper keeper;
    keeper.setDelay(50);
    QObject document;
    keeper.changed(&document, [] { return kSample; });
    keeper.forget(&document);
    EXPECT_EQ(keeper.pendingFor(&document), -1) << "no write left to come";
    keeper.waitForDone();
    EXPECT_TRUE(QDir(recoveryFolder()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(findLeftRecovery().empty());
}

TEST_F(RecoveryKeeperTest, ARunsFolderIsMadeAndLockedWhenOpenedNotWhenNamed) {
    QString kept;
    {
        RecoverySession session;
        const QString folder = session.folder();
        EXPECT_FALSE(QFileInfo::exists(folder)) << "naming the folder makes nothing";
        ASSERT_TRUE(session.open());
        EXPECT_TRUE(session.open()) << "a second open keeps what the first made";
        EXPECT_FALSE(session.failed());
        ASSERT_TRUE(QFileInfo(folder).isDir());
        kept = session.newFileName();
        QString error;
        ASSERT_TRUE(writeFileAtomically(kept, encodeRecovery(kSample), error));
        EXPECT_TRUE(findLeftRecovery().empty()) << "a running editor's files are not offered";
    }
    // The run ended with a file still kept: the next start offers it.
    const std::vector<LeftRecovery> left = findLeftRecovery();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].file, kept);
}

TEST_F(RecoveryKeeperTest, WithoutAFolderForRecoveryFilesNothingIsKeptAndEditingGoesOn) {
    // A file where the folder should be: it cannot be made.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(recoveryFolder()).path()));
    QString error;
    ASSERT_TRUE(writeFileAtomically(recoveryFolder(), QByteArray("in the way"), error));
    const QString path = scratch.file("read.txt");
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("as read\n"), error));
    RecoveryKeeper keeper;
    keeper.setDelay(0);
    QObject changed;
    QObject loaded;
    keeper.changed(&changed, [] { return kSample; });
    keeper.loaded(&loaded, {path, FileStamp::of(path), 8},
                  RecoverySource{[] { return kSample; }, {}, {}, {}});
    keeper.writeNow(&changed);
    keeper.writeNow(&loaded);
    keeper.waitForDone();
    // The file's base that could not be written is asked for again as a copy of the text, and
    // finds nowhere to go either; later changes neither.
    ASSERT_TRUE(QTest::qWaitFor([&] { return keeper.pendingFor(&loaded) == -1; }));
    keeper.changed(&changed, [] { return kSample; });
    keeper.writeNow(&changed);
    keeper.waitForDone();
    EXPECT_EQ(keeper.pendingFor(&changed), -1);
    EXPECT_FALSE(keeper.copyingBase(&loaded));
    EXPECT_TRUE(QFileInfo(recoveryFolder()).isFile());
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"read.txt", "recovery"}))
        << "nothing was written anywhere else";
}

TEST_F(RecoveryKeeperTest, AKilledRunLeavesItsTextForTheNextOne) {
    QProcess child;
    QProcessEnvironment env = testChildEnvironment("recovery-keeper");
    env.insert(kChildFolder, scratch.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(child.waitForReadyRead(60000));
    ASSERT_EQ(child.readAllStandardOutput(), "kept\n");
    EXPECT_TRUE(findLeftRecovery().empty()) << "the child still runs";

    child.kill(); // SIGKILL: nothing is cleaned up
    ASSERT_TRUE(child.waitForFinished(60000));
    std::vector<std::unique_ptr<QLockFile>> claimed;
    const std::vector<LeftRecovery> left = findLeftRecovery(&claimed);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].record, kSample);
    EXPECT_EQ(claimed.size(), 1u);

    // Qt warns when a lock it holds was removed under it: the claim is given up instead.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { warnings << message; });
    removeLeftRecovery(left[0].file, &claimed);
    EXPECT_TRUE(claimed.empty());
    claimed.clear();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(findLeftRecovery().empty());
    EXPECT_TRUE(QDir(recoveryFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
} // namespace kelvane::test
