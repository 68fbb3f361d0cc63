// The folder browser's start folder and the destination made from its choice.
#include "BrowsePath.h"

#include <gtest/gtest.h>

using namespace fastinst;

TEST(BrowsePath, StartFolderDropsTheProductFolder) {
    EXPECT_EQ(BrowseStartFolder("c:\\Dralto"), "c:\\");
    EXPECT_EQ(BrowseStartFolder("d:\\Tools\\Dralto"), "d:\\Tools");
    EXPECT_EQ(BrowseStartFolder("d:\\Tools\\DRALTO"), "d:\\Tools");
}

TEST(BrowsePath, ShortTextsAndOtherFoldersPassUnchanged) {
    EXPECT_EQ(BrowseStartFolder("c:Dralto"), "c:Dralto"); // 8 characters
    EXPECT_EQ(BrowseStartFolder("d:\\Tools"), "d:\\Tools");
    EXPECT_EQ(BrowseStartFolder("c:\\MyDralto"), "c:\\MyDralto");
    EXPECT_EQ(BrowseStartFolder(""), "");
}

TEST(BrowsePath, ChosenFolderGetsTheProductFolderAppended) {
    EXPECT_EQ(DestinationFromBrowse("D:\\"), "D:\\Dralto");
    EXPECT_EQ(DestinationFromBrowse("d:\\Tools"), "d:\\Tools\\Dralto");
    EXPECT_EQ(DestinationFromBrowse("c:Dralto"), "c:Dralto\\Dralto"); // fewer than 9 characters
}

TEST(BrowsePath, ChosenProductFolderIsKept) {
    EXPECT_EQ(DestinationFromBrowse("c:\\Dralto"), "c:\\Dralto");
    EXPECT_EQ(DestinationFromBrowse("e:\\Apps\\dralto"), "e:\\Apps\\dralto");
}
