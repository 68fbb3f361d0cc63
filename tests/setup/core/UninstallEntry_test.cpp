// The uninstall entry and the quoting of program paths that hold blanks.
#include "UninstallEntry.h"

#include <gtest/gtest.h>

using namespace fastinst;

TEST(UninstallEntry, PlainPathStaysUnquoted) {
    const UninstallEntry entry = MakeUninstallEntry(u"c:\\Dralto\\");
    EXPECT_EQ(entry.key, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dralto");
    EXPECT_EQ(entry.displayName, u"Dralto");
    EXPECT_EQ(entry.uninstallString, u"c:\\Dralto\\Dralto.exe uninst");
    EXPECT_EQ(ProgramCommandLine(u"c:\\Dralto\\Dralto.exe"), u"c:\\Dralto\\Dralto.exe");
}

TEST(UninstallEntry, PathWithBlankIsQuoted) {
    EXPECT_EQ(MakeUninstallEntry(u"C:\\Program Files\\Dralto\\").uninstallString,
              u"\"C:\\Program Files\\Dralto\\Dralto.exe\" uninst");
    EXPECT_EQ(ProgramCommandLine(u"C:\\Program Files\\Dralto\\Dralto.exe"),
              u"\"C:\\Program Files\\Dralto\\Dralto.exe\"");
}
