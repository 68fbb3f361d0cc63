// A save killed at any moment leaves on disk either the whole old or the whole new file.
#include "platform/FileIO.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include <unistd.h>

namespace kelvane::test {
namespace {

constexpr qsizetype kDocumentSize = 100 * 1024 * 1024;
constexpr char kChildPath[] = "KELVANE_KILL_TEST_PATH";
constexpr char kChildVersion[] = "KELVANE_KILL_TEST_VERSION";

/// The document's content in a given version: every byte tells the version, so a file mixing
/// two versions, or cut short, never equals either.
QByteArray version(int n) {
    QByteArray bytes(kDocumentSize, char('a' + n % 26));
    const QByteArray header = QByteArray("version ") + QByteArray::number(n) + '\n';
    bytes.replace(0, header.size(), header);
    return bytes;
}

// The saving child: saves one version of the document and leaves.
const TestChild saver("kill-safe-saver", [] {
    QString error;
    return writeFileAtomically(QString::fromLocal8Bit(qgetenv(kChildPath)),
                               version(qgetenv(kChildVersion).toInt()), error)
               ? 0
               : 1;
});

/// Starts the saving child for a version of the document at path.
void startChild(QProcess& child, const QString& path, int n) {
    QProcessEnvironment env = testChildEnvironment("kill-safe-saver");
    env.insert(kChildPath, path);
    env.insert(kChildVersion, QString::number(n));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(child.waitForStarted());
}

/// Whether the saving child holds its temporary file beside the document open: named or not
/// (an unnamed file shows as "#inode (deleted)"), it is open from the first byte written until
/// the file takes the document's place.
bool writingBeside(const QProcess& child, const QString& folder) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(child.processId());
    for (const QString& fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t length =
            ::readlink(QFile::encodeName(fds + "/" + fd).constData(), target, sizeof target - 1);
        const QString file = QFile::decodeName(QByteArray(target, length > 0 ? length : 0));
        if (file.startsWith(folder + "/") && file != folder + "/document.txt")
            return true;
    }
    return false;
}

/// Waits until the child has begun writing (true), or has ended first.
bool waitForWriting(QProcess& child, const QString& folder) {
    QElapsedTimer waited;
    waited.start();
    while (!writingBeside(child, folder)) {
        if (child.waitForFinished(1) || waited.elapsed() > 120000)
            return false;
    }
    return true;
}

TEST(KillSafeSave, FiftyKillsDuringAHundredMegabyteSaveLeaveOldOrNew) {
    // In memory where the system has a memory file system: a killed process is the danger here,
    // not a lost disk, and forcing 5 GB to a shared disk would make the test take minutes.
    QTemporaryDir folder(
        (QFileInfo("/dev/shm").isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        "/kelvane-kill-test-XXXXXX");
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("document.txt");
    {
        QFile first(path);
        ASSERT_TRUE(first.open(QIODevice::WriteOnly));
        ASSERT_EQ(first.write(version(0)), kDocumentSize);
    }
    int onDisk = 0;

    // One whole save first: how long its writing lasts, the span the kills aim at.
    qint64 writing = 0;
    {
        QProcess child;
        startChild(child, path, 1);
        ASSERT_TRUE(waitForWriting(child, folder.path())) << "the save opened no file to write";
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(child.waitForFinished(120000));
        writing = std::max<qint64>(timer.elapsed(), 2);
        ASSERT_EQ(child.exitCode(), 0);
    }
    ASSERT_EQ(readAll(path), version(1));
    onDisk = 1;

    std::mt19937 random(20261207);
    int keptOld = 0;
    int midWrite = 0;
    constexpr int kKills = 50;
    for (int kill = 0; kill < kKills; ++kill) {
        const int next = onDisk + 1;
        QProcess child;
        startChild(child, path, next);
        // Killed at a random moment of the first half of its writing (a save that ends before
        // it is seen writing counts as a kill that came too late).
        (void)waitForWriting(child, folder.path());
        const auto wait = std::uniform_int_distribution<qint64>(0, writing * 500)(random);
        ::usleep(useconds_t(wait));
        const bool stillWriting = writingBeside(child, folder.path());
        child.kill(); // SIGKILL
        ASSERT_TRUE(child.waitForFinished(60000));

        const QByteArray now = readAll(path);
        if (now == version(next)) {
            onDisk = next;
        } else {
            midWrite += stillWriting; // the kill came while the new text was being written
            ASSERT_EQ(now.size(), kDocumentSize) << "kill " << kill << " cut the file short";
            ASSERT_TRUE(now == version(onDisk))
                << "kill " << kill << " left neither the old nor the new content";
            ++keptOld;
        }
        // A killed save may leave its temporary file behind; only the document matters here.
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
            if (name != "document.txt")
                QFile::remove(folder.filePath(name));
    }
    RecordProperty("kills_during_the_write", midWrite);
    RecordProperty("kills_that_kept_the_old_content", keptOld);
    std::cout << midWrite << " of " << kKills << " kills landed while the save was writing ("
              << writing << " ms); " << keptOld << " kept the old content\n";
    // Kills that all came before or after the writing would prove nothing.
    EXPECT_GE(midWrite, kKills / 2);
}

} // namespace
} // namespace kelvane::test
