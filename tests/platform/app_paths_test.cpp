// Where the program finds its files: beside itself in the build, under share/ when installed.
#include "platform/AppPaths.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

TEST(ProgramFilesFolder, RunnableFolderInstalledLayoutAndPlainFolder) {
    ScratchDir scratch;
    // The build: bin/ holds the program and its files (and share/ beside it means nothing).
    scratch.write("build/bin/Kelvane.dat", "tips");
    QDir().mkpath(scratch.file("build/share/kelvane"));
    EXPECT_EQ(programFilesFolder(scratch.file("build/bin")), scratch.file("build/bin"));

    // Installed: bin/ holds only the program.
    QDir().mkpath(scratch.file("usr/bin"));
    QDir().mkpath(scratch.file("usr/share/kelvane/PROFILES"));
    EXPECT_EQ(programFilesFolder(scratch.file("usr/bin")), scratch.file("usr/share/kelvane"));

    // Anything else: the program's own folder.
    QDir().mkpath(scratch.file("opt/editor"));
    EXPECT_EQ(programFilesFolder(scratch.file("opt/editor")), scratch.file("opt/editor"));
    QDir().mkpath(scratch.file("lonely/bin"));
    EXPECT_EQ(programFilesFolder(scratch.file("lonely/bin")), scratch.file("lonely/bin"));
}

TEST(ProgramFilesFolder, AppPathEndsInOneSeparator) {
    setAppPathOverride("/some/folder//");
    EXPECT_EQ(AppPath(), "/some/folder/");
    setAppPathOverride(QString());
    EXPECT_TRUE(AppPath().endsWith('/'));
    EXPECT_FALSE(AppPath().endsWith("//"));
}

} // namespace
} // namespace kelvane::test
