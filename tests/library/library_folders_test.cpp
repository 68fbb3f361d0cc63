// The shipped and the user's library folders, shown as one list.
#include "library/LibraryFolders.h"

#include "platform/AppPaths.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

class LibraryFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        setAppPathOverride(scratch.file("program"));
        setUserDataFolderOverride(scratch.file("user"));
        QDir().mkpath(scratch.file("program/CLIPTEXT"));
    }
    void TearDown() override {
        setAppPathOverride(QString());
        setUserDataFolderOverride(QString());
    }
    QString shipped(const QString& name, const QByteArray& bytes = "shipped") {
        return scratch.write("program/CLIPTEXT/" + name, bytes);
    }
    QString own(const QString& name, const QByteArray& bytes = "own") {
        QDir().mkpath(scratch.file("user/CLIPTEXT"));
        return scratch.write("user/CLIPTEXT/" + name, bytes);
    }

    ScratchDir scratch;
    LibraryFolder folder = clipTextFolder();
};

TEST_F(LibraryFoldersTest, ListsBothFoldersOnceEachSortedWithoutRegardToCase) {
    shipped("beta");
    shipped("Alpha");
    shipped("shared");
    shipped(".hidden");
    own("gamma");
    own("shared");
    EXPECT_EQ(folder.entries(), QStringList({"Alpha", "beta", "gamma", "shared"}));
}

TEST_F(LibraryFoldersTest, UsersEntryHidesTheShippedOneOfTheSameName) {
    shipped("shared");
    const QString mine = own("shared");
    EXPECT_EQ(folder.pathOf("shared"), mine);
    EXPECT_EQ(readAll(folder.pathOf("shared")), "own");
    EXPECT_EQ(folder.pathOf("absent"), QString());
}

TEST_F(LibraryFoldersTest, MissingFoldersGiveAnEmptyList) {
    setAppPathOverride(scratch.file("nowhere"));
    EXPECT_TRUE(folder.entries().isEmpty());
}

TEST_F(LibraryFoldersTest, WritingCreatesTheUsersFolderWhenFirstNeeded) {
    ASSERT_FALSE(QDir(scratch.file("user/CLIPTEXT")).exists());
    QString error;
    const QString path = folder.writablePathFor("Snippets", error);
    EXPECT_EQ(path, QDir::toNativeSeparators(scratch.file("user/CLIPTEXT/Snippets")));
    EXPECT_TRUE(QDir(scratch.file("user/CLIPTEXT")).exists());
}

TEST_F(LibraryFoldersTest, UserFolderThatCannotBeMadeIsReported) {
    scratch.write("user", "a file where the folder should be");
    QString error;
    EXPECT_TRUE(folder.writablePathFor("Snippets", error).isEmpty());
    EXPECT_TRUE(error.contains("could not be created")) << error.toStdString();
}

TEST_F(LibraryFoldersTest, NamesThatCannotBeFilesAreRefused) {
    for (const QString name : {"a*b", "../up", "a/b", "a\\b", "what?", "a:b", "<x>", "a|b",
                               "quote\"", ".", "..", ".hidden", "", "tab\there"}) {
        QString error;
        EXPECT_FALSE(LibraryFolder::isUsableName(name, error)) << name.toStdString();
        EXPECT_FALSE(error.isEmpty()) << name.toStdString();
        EXPECT_TRUE(folder.writablePathFor(name, error).isEmpty()) << name.toStdString();
    }
    for (const QString name : {"LetterHead", "C++", "a-b_c", "(x)", "50%", "#include", "a.b"}) {
        QString error;
        EXPECT_TRUE(LibraryFolder::isUsableName(name, error)) << name.toStdString();
    }
    shipped("x");
    EXPECT_EQ(folder.pathOf("../CLIPTEXT/x"), QString()) << "no way out of the folder";
}

} // namespace
} // namespace kelvane::test
