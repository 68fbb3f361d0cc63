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

    // One whole save first: how long the kills may wait.
    QElapsedTimer timer;
    timer.start();
    {
        QProcess child;
        startChild(child, path, 1);
        ASSERT_TRUE(child.waitForFinished(120000));
        ASSERT_EQ(child.exitCode(), 0);
    }
    const qint64 wholeSave = std::max<qint64>(timer.elapsed(), 20);
    ASSERT_EQ(readAll(path), version(1));
    onDisk = 1;

    std::mt19937 random(20261207);
    int keptOld = 0;
    for (int kill = 0; kill < 50; ++kill) {
        const int next = onDisk + 1;
        QProcess child;
        startChild(child, path, next);
        const auto wait = std::uniform_int_distribution<qint64>(0, wholeSave)(random);
        ::usleep(useconds_t(wait * 1000));
        child.kill(); // SIGKILL
        ASSERT_TRUE(child.waitForFinished(60000));

        const QByteArray now = readAll(path);
        if (now == version(next)) {
            onDisk = next;
        } else {
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
    RecordProperty("kills_that_kept_the_old_content", keptOld);
}

} // namespace
} // namespace kelvane::test
