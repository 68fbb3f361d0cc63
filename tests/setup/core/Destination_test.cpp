// Destination normalisation, validity and the folder levels that are entered or created.
#include "Destination.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace fastinst;

namespace {

// A file system of known folders that records every call.
class FakeFolders : public FolderSystem {
public:
    std::set<std::u16string> existing;
    std::set<std::u16string> uncreatable;
    std::vector<std::u16string> calls;

    bool EnterFolder(const std::u16string& path) override {
        calls.push_back(u"enter " + path);
        return existing.count(path) > 0;
    }
    bool CreateFolder(const std::u16string& path) override {
        calls.push_back(u"create " + path);
        if (uncreatable.count(path)) {
            return false;
        }
        existing.insert(path);
        return true;
    }
};

} // namespace

TEST(Destination, OneTrailingBackslashIsRemoved) {
    EXPECT_EQ(StripTrailingBackslash(u"c:\\Dralto\\"), u"c:\\Dralto");
    EXPECT_EQ(StripTrailingBackslash(u"c:\\Dralto"), u"c:\\Dralto");
    EXPECT_EQ(StripTrailingBackslash(u"c:\\A\\\\"), u"c:\\A\\");
    EXPECT_EQ(StripTrailingBackslash(u""), u"");
}

TEST(Destination, DriveRootIsTooShortButOneLetterFolderIsNot) {
    EXPECT_FALSE(HasUsableLength(StripTrailingBackslash(u"c:\\")));
    EXPECT_TRUE(HasUsableLength(u"c:\\A"));
}

TEST(Destination, FolderTooLongForItsFilesIsRefusedNotCut) {
    const std::u16string longest = u"c:\\" + std::u16string(kMaxDestinationLength - 3, u'x');
    EXPECT_TRUE(HasUsableLength(longest));
    // The longest file then still fits a Windows path of 259 characters and the zero.
    EXPECT_EQ((longest + u"\\Dralto-e.hlp").size(), 259u);
    EXPECT_FALSE(HasUsableLength(longest + u"y"));
    EXPECT_FALSE(HasUsableLength(u"c:\\" + std::u16string(297, u'\u0416')));
}

TEST(Destination, LevelsRunFromBelowTheRootToTheWholePath) {
    EXPECT_EQ(FolderLevels(u"c:\\A\\B\\C"),
              (std::vector<std::u16string>{u"c:\\A", u"c:\\A\\B", u"c:\\A\\B\\C"}));
    EXPECT_EQ(FolderLevels(u"c:\\Dralto"), (std::vector<std::u16string>{u"c:\\Dralto"}));
    EXPECT_TRUE(FolderLevels(u"c:\\").empty());
}

TEST(Destination, DeepNewPathIsCreatedLevelByLevel) {
    FakeFolders fs;
    fs.existing = {u"c:\\", u"c:\\A"};
    EXPECT_TRUE(EnsureFolderPath(u"c:\\A\\B\\C", fs));
    EXPECT_EQ(fs.calls, (std::vector<std::u16string>{u"enter c:\\", u"enter c:\\A",
                                                     u"enter c:\\A\\B", u"create c:\\A\\B",
                                                     u"enter c:\\A\\B", u"enter c:\\A\\B\\C",
                                                     u"create c:\\A\\B\\C", u"enter c:\\A\\B\\C"}));
}

TEST(Destination, MissingDriveIsRejectedBeforeAnythingIsCreated) {
    FakeFolders fs;
    fs.existing = {u"c:\\"};
    EXPECT_FALSE(EnsureFolderPath(u"q:\\Dralto", fs));
    EXPECT_EQ(fs.calls, (std::vector<std::u16string>{u"enter q:\\"}));
}

TEST(Destination, RelativeAndNetworkPathsAreRejected) {
    FakeFolders fs;
    fs.existing = {u"Dra", u"\\\\s"};
    EXPECT_FALSE(EnsureFolderPath(u"Dralto\\x", fs));
    EXPECT_FALSE(EnsureFolderPath(u"\\\\server\\share", fs));
    EXPECT_TRUE(fs.calls.empty());
}

TEST(Destination, UncreatableLevelFailsAndStops) {
    FakeFolders fs;
    fs.existing = {u"c:\\"};
    fs.uncreatable = {u"c:\\A\\B"};
    EXPECT_FALSE(EnsureFolderPath(u"c:\\A\\B\\C", fs));
    EXPECT_EQ(fs.calls.back(), u"create c:\\A\\B");
}

TEST(Destination, FolderOfKeepsTheTrailingBackslash) {
    EXPECT_EQ(FolderOf(u"D:\\Fastinst.exe"), u"D:\\");
    EXPECT_EQ(FolderOf(u"C:\\TEMP\\SETUP\\Fastinst.exe"), u"C:\\TEMP\\SETUP\\");
    EXPECT_EQ(FolderOf(u"Fastinst.exe"), u"");
}
