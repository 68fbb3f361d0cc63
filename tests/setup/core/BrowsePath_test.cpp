// The folder browser's start folder and the destination made from its choice.
#include "BrowsePath.h"

#include <gtest/gtest.h>

using namespace fastinst;

TEST(BrowsePath, StartFolderDropsTheProductFolder) {
    EXPECT_EQ(BrowseStartFolder(u"c:\\Dralto"), u"c:\\");
    EXPECT_EQ(BrowseStartFolder(u"d:\\Tools\\Dralto"), u"d:\\Tools");
    EXPECT_EQ(BrowseStartFolder(u"d:\\Tools\\DRALTO"), u"d:\\Tools");
}

TEST(BrowsePath, ShortTextsAndOtherFoldersPassUnchanged) {
    EXPECT_EQ(BrowseStartFolder(u"c:Dralto"), u"c:Dralto"); // 8 characters
    EXPECT_EQ(BrowseStartFolder(u"d:\\Tools"), u"d:\\Tools");
    EXPECT_EQ(BrowseStartFolder(u"c:\\MyDralto"), u"c:\\MyDralto");
    EXPECT_EQ(BrowseStartFolder(u""), u"");
}

TEST(BrowsePath, ChosenFolderGetsTheProductFolderAppended) {
    EXPECT_EQ(DestinationFromBrowse(u"D:\\"), u"D:\\Dralto");
    EXPECT_EQ(DestinationFromBrowse(u"d:\\Tools"), u"d:\\Tools\\Dralto");
    EXPECT_EQ(DestinationFromBrowse(u"c:Dralto"), u"c:Dralto\\Dralto"); // fewer than 9 characters
}

TEST(BrowsePath, ChosenProductFolderIsKept) {
    EXPECT_EQ(DestinationFromBrowse(u"c:\\Dralto"), u"c:\\Dralto");
    EXPECT_EQ(DestinationFromBrowse(u"e:\\Apps\\dralto"), u"e:\\Apps\\dralto");
}
