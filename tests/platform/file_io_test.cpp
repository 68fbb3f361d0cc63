// Saving keeps the file the user has: its links, owner, group and mode, in every folder.
#include "platform/FileIO.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kelvane::test {
namespace {

struct stat statOf(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
}

class FileIOTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(scratch.file("data"));
        previousData = setUserDataFolderOverride(scratch.file("data"));
    }
    void TearDown() override {
        lockFolder(scratch.path(), false);
        setUserDataFolderOverride(previousData);
    }

    bool save(const QString& path, const QByteArray& bytes) {
        error.clear();
        return writeFileAtomically(path, bytes, error);
    }

    ScratchDir scratch;
    QString previousData;
    QString error;
};

TEST_F(FileIOTest, ANewFileIsCreatedWhole) {
    const QString path = scratch.file("new.txt");
    ASSERT_TRUE(save(path, "new text")) << error.toStdString();
    EXPECT_EQ(readAll(path), "new text");
    EXPECT_EQ(entries(scratch.path()), QStringList{"new.txt"});
}

TEST_F(FileIOTest, TheRenameKeepsModeAndNoTemporaryFileStays) {
    const QString path = scratch.write("doc.txt", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const ino_t before = statOf(path).st_ino;
    ASSERT_TRUE(save(path, "new content")) << error.toStdString();
    EXPECT_EQ(readAll(path), "new content");
    EXPECT_NE(statOf(path).st_ino, before) << "an ordinary file is replaced by a rename";
    EXPECT_EQ(statOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(entries(scratch.path()), QStringList{"doc.txt"});
    EXPECT_TRUE(entries(scratch.file("data")).isEmpty());
}

TEST_F(FileIOTest, AFolderThatTakesNoNewFileIsWrittenInPlace) {
    const QString path = scratch.write("doc.txt", "the old and longer content");
    const struct stat before = statOf(path);
    if (!lockFolder(scratch.path(), true))
        GTEST_SKIP() << "this file system cannot lock a folder";
    const bool saved = save(path, "new");
    lockFolder(scratch.path(), false);
    ASSERT_TRUE(saved) << error.toStdString();
    EXPECT_EQ(readAll(path), "new");
    EXPECT_EQ(statOf(path).st_ino, before.st_ino);
    EXPECT_EQ(statOf(path).st_mode, before.st_mode);
    EXPECT_TRUE(entries(scratch.file("data")).isEmpty()) << "the copy of the old content goes";
}

TEST_F(FileIOTest, EveryNameOfAHardLinkedFileSeesTheNewText) {
    const QString path = scratch.write("doc.txt", "old");
    const QString other = scratch.file("other name.txt");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    ASSERT_TRUE(save(path, "new text, longer than the old")) << error.toStdString();
    EXPECT_EQ(readAll(path), "new text, longer than the old");
    EXPECT_EQ(readAll(other), "new text, longer than the old");
    EXPECT_EQ(statOf(path).st_nlink, 2u);
    EXPECT_EQ(statOf(path).st_ino, statOf(other).st_ino);
    EXPECT_TRUE(entries(scratch.file("data")).isEmpty());
}

TEST_F(FileIOTest, AFileOfAnotherOwnerKeepsOwnerGroupAndMode) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const QString path = scratch.write("doc.txt", "old");
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chown(name.constData(), 65534, 65534), 0); // nobody:nogroup
    ASSERT_EQ(::chmod(name.constData(), 0664), 0);
    ASSERT_TRUE(save(path, "new text")) << error.toStdString();
    const struct stat after = statOf(path);
    EXPECT_EQ(readAll(path), "new text");
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
}

TEST_F(FileIOTest, AFileWhoseGroupANewFileCannotTakeIsWrittenInPlace) {
    // The user's own file in a group the user is not in (root group): a new file could not
    // take that group, so the file is written in place. Only root can hand out such a file,
    // and only an ordinary user meets it, so root prepares it and a child process saves it.
    const QString handed = qEnvironmentVariable("KELVANE_TEST_FILE");
    if (handed.isEmpty()) {
        if (geteuid() != 0)
            GTEST_SKIP() << "only root can put a file in a group its owner is not in";
        uint uid = 0, gid = 0;
        ASSERT_TRUE(ordinaryUserIds(uid, gid));
        const QString folder = scratch.file("user");
        QDir().mkpath(folder);
        const QString path = scratch.write("user/doc.txt", "old");
        ASSERT_EQ(::chmod(QFile::encodeName(scratch.path()).constData(), 0755), 0);
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), uid, gid), 0);
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), uid, 0), 0);
        QProcessEnvironment env;
        env.insert("KELVANE_TEST_FILE", path);
        ASSERT_TRUE(rerunAsOrdinaryUser(env));
        EXPECT_EQ(readAll(path), "new");
        EXPECT_EQ(statOf(path).st_gid, 0u);
        EXPECT_EQ(statOf(path).st_uid, uid);
        return;
    }
    ASSERT_NE(getegid(), 0u);
    const ino_t before = statOf(handed).st_ino;
    ASSERT_TRUE(save(handed, "new")) << error.toStdString();
    EXPECT_EQ(readAll(handed), "new");
    EXPECT_EQ(statOf(handed).st_gid, 0u);
    EXPECT_EQ(statOf(handed).st_ino, before);
}

TEST_F(FileIOTest, ASymbolicLinkStaysALinkAndItsTargetGetsTheText) {
    QDir().mkpath(scratch.file("real"));
    const QString target = scratch.write("real/doc.txt", "old");
    const QString link = scratch.file("link.txt");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(save(link, "new text")) << error.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(target), "new text");
    EXPECT_EQ(entries(scratch.file("real")), QStringList{"doc.txt"});
}

TEST_F(FileIOTest, AFailedWriteInPlacePutsTheOldContentBack) {
    const QByteArray old(3000, 'o');
    const QString path = scratch.write("doc.txt", old);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(),
                     QFile::encodeName(scratch.file("second")).constData()),
              0);
    bool saved = true;
    runWithFileSizeLimit(4096, [&] { saved = save(path, QByteArray(100000, 'n')); });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path), old);
    EXPECT_TRUE(entries(scratch.file("data")).isEmpty()) << "the old content was put back";
}

TEST_F(FileIOTest, NoCopyOfTheOldContentMeansNoWriteInPlace) {
    const QString path = scratch.write("doc.txt", "old");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(),
                     QFile::encodeName(scratch.file("second")).constData()),
              0);
    // The data folder cannot be made: a file has its name.
    setUserDataFolderOverride(scratch.write("not a folder", "x") + "/data");
    EXPECT_FALSE(save(path, "new"));
    EXPECT_TRUE(error.startsWith("No copy of the old content could be kept"))
        << error.toStdString();
    EXPECT_EQ(readAll(path), "old");
}

// A source that hands out `bytes` in pieces of `piece` bytes, counting how often it is asked.
ByteSource piecesOf(const QByteArray& bytes, qsizetype piece, int* asked = nullptr) {
    return [=](const std::function<bool(QByteArrayView)>& write) {
        if (asked)
            ++*asked;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            if (!write(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at))))
                return false;
        return true;
    };
}

TEST_F(FileIOTest, ASourceInPiecesIsWrittenWholeByRenameAndInPlace) {
    const QByteArray text = QByteArray("0123456789abcdef").repeated(1000);
    const QString renamed = scratch.write("renamed.txt", "old");
    ASSERT_TRUE(writeFileAtomically(renamed, piecesOf(text, 777), error)) << error.toStdString();
    EXPECT_EQ(readAll(renamed), text);

    const QString linked = scratch.write("linked.txt", QByteArray(50000, 'o'));
    ASSERT_EQ(::link(QFile::encodeName(linked).constData(),
                     QFile::encodeName(scratch.file("second")).constData()),
              0);
    ASSERT_TRUE(writeFileAtomically(linked, piecesOf(text, 777), error)) << error.toStdString();
    EXPECT_EQ(readAll(linked), text) << "the longer old content is cut to the new length";
    EXPECT_EQ(readAll(scratch.file("second")), text);
}

TEST_F(FileIOTest, ASourceCutShortLeavesTheOldFile) {
    const QByteArray old(3000, 'o');
    const QString renamed = scratch.write("renamed.txt", old);
    const QString linked = scratch.write("linked.txt", old);
    ASSERT_EQ(::link(QFile::encodeName(linked).constData(),
                     QFile::encodeName(scratch.file("second")).constData()),
              0);
    for (const QString& path : {renamed, linked}) {
        bool saved = true;
        runWithFileSizeLimit(4096, [&] {
            saved = writeFileAtomically(path, piecesOf(QByteArray(100000, 'n'), 1000), error);
        });
        EXPECT_FALSE(saved) << path.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readAll(path), old) << path.toStdString();
    }
    EXPECT_EQ(entries(scratch.path()), (QStringList{"linked.txt", "renamed.txt", "second"}));
}

} // namespace
} // namespace kelvane::test
