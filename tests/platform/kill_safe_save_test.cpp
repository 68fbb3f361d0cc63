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

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvane::test {
namespace {

// Large enough that the writing lasts many times longer than a look at its progress.
constexpr qsizetype kDocumentSize = 16 * 1024 * 1024;
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

/// The saving child's temporary file beside the document, opened here through the child's file
/// table (named or not: an unnamed file shows as "#inode (deleted)"), so its size can be watched
/// as the child writes it; -1 while the child holds no such file.
int openWrittenFile(const QProcess& child, const QString& folder) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(child.processId());
    for (const QString& fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray link = QFile::encodeName(fds + "/" + fd);
        char target[4096];
        const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
        const QString file = QFile::decodeName(QByteArray(target, length > 0 ? length : 0));
        if (file.startsWith(folder + "/") && file != folder + "/document.txt")
            return ::open(link.constData(), O_RDONLY | O_CLOEXEC);
    }
    return -1;
}

/// Bytes written so far into the file open as fd.
qint64 writtenSize(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? status.st_size : -1;
}

TEST(KillSafeSave, FiftyKillsWhileASaveWritesLeaveOldOrNew) {
    // In memory where the system has a memory file system: a killed process is the danger here,
    // not a lost disk.
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

    std::mt19937 random(20261207);
    int keptOld = 0;
    int midWrite = 0;
    constexpr int kKills = 50;
    for (int kill = 0; kill < kKills; ++kill) {
        const int next = onDisk + 1;
        QProcess child;
        startChild(child, path, next);
        // Each kill is aimed at a random point of the writing: the child is killed once its
        // temporary file has grown to that size (or when the save has ended first).
        const qint64 aim = std::uniform_int_distribution<qint64>(1, kDocumentSize - 1)(random);
        QElapsedTimer waited;
        waited.start();
        int written = -1;
        // Each look gives the processor up first: on a busy machine the saving child needs it.
        while (written < 0 && !child.waitForFinished(0) && waited.elapsed() < 60000) {
            ::sched_yield();
            written = openWrittenFile(child, folder.path());
        }
        qint64 size = 0;
        while (written >= 0 && (size = writtenSize(written)) < aim && !child.waitForFinished(0))
            ::sched_yield();
        // Seen part-written just before the kill: the new text was being written.
        const bool stillWriting = written >= 0 && size < kDocumentSize;
        child.kill(); // SIGKILL
        // A save that ended before the kill was already seen to finish by a look above, and
        // waiting again would report a process that is not running as a failure.
        ASSERT_TRUE(child.state() == QProcess::NotRunning || child.waitForFinished(60000));
        if (written >= 0)
            ::close(written);

        const QByteArray now = readAll(path);
        if (now == version(next)) {
            onDisk = next;
        } else {
            midWrite += stillWriting;
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
    std::cout << midWrite << " of " << kKills << " kills landed while the save was writing; "
              << keptOld << " kept the old content\n";
    // Kills that all came before or after the writing would prove nothing.
    EXPECT_GE(midWrite, kKills / 2);
}

} // namespace
} // namespace kelvane::test
