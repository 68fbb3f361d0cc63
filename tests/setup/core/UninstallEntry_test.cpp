// The uninstall entry and the quoting of program paths that hold blanks.
#include "UninstallEntry.h"

#include <gtest/gtest.h>

using namespace fastinst;

TEST(UninstallEntry, PlainPathStaysUnquoted) {
    const UninstallEntry entry = MakeUninstallEntry("c:\\Dralto\\");
    EXPECT_EQ(entry.key, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dralto");
    EXPECT_EQ(entry.displayName, "Dralto");
    EXPECT_EQ(entry.uninstallString, "c:\\Dralto\\Dralto.exe uninst");
    EXPECT_EQ(ProgramCommandLine("c:\\Dralto\\Dralto.exe"), "c:\\Dralto\\Dralto.exe");
}

TEST(UninstallEntry, PathWithBlankIsQuoted) {
    EXPECT_EQ(MakeUninstallEntry("C:\\Program Files\\Dralto\\").uninstallString,
              "\"C:\\Program Files\\Dralto\\Dralto.exe\" uninst");
    EXPECT_EQ(ProgramCommandLine("C:\\Program Files\\Dralto\\Dralto.exe"),
              "\"C:\\Program Files\\Dralto\\Dralto.exe\"");
}
