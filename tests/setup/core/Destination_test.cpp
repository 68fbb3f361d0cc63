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
    std::set<std::string> existing;
    std::set<std::string> uncreatable;
    std::vector<std::string> calls;

    bool EnterFolder(const std::string& path) override {
        calls.push_back("enter " + path);
        return existing.count(path) > 0;
    }
    bool CreateFolder(const std::string& path) override {
        calls.push_back("create " + path);
        if (uncreatable.count(path)) {
            return false;
        }
        existing.insert(path);
        return true;
    }
};

} // namespace

TEST(Destination, OneTrailingBackslashIsRemoved) {
    EXPECT_EQ(StripTrailingBackslash("c:\\Dralto\\"), "c:\\Dralto");
    EXPECT_EQ(StripTrailingBackslash("c:\\Dralto"), "c:\\Dralto");
    EXPECT_EQ(StripTrailingBackslash("c:\\A\\\\"), "c:\\A\\");
    EXPECT_EQ(StripTrailingBackslash(""), "");
}

TEST(Destination, DriveRootIsTooShortButOneLetterFolderIsNot) {
    EXPECT_FALSE(HasMinimumLength(StripTrailingBackslash("c:\\")));
    EXPECT_TRUE(HasMinimumLength("c:\\A"));
}

TEST(Destination, LevelsRunFromBelowTheRootToTheWholePath) {
    EXPECT_EQ(FolderLevels("c:\\A\\B\\C"),
              (std::vector<std::string>{"c:\\A", "c:\\A\\B", "c:\\A\\B\\C"}));
    EXPECT_EQ(FolderLevels("c:\\Dralto"), (std::vector<std::string>{"c:\\Dralto"}));
    EXPECT_TRUE(FolderLevels("c:\\").empty());
}

TEST(Destination, DeepNewPathIsCreatedLevelByLevel) {
    FakeFolders fs;
    fs.existing = {"c:\\", "c:\\A"};
    EXPECT_TRUE(EnsureFolderPath("c:\\A\\B\\C", fs));
    EXPECT_EQ(fs.calls,
              (std::vector<std::string>{"enter c:\\", "enter c:\\A", "enter c:\\A\\B",
                                        "create c:\\A\\B", "enter c:\\A\\B", "enter c:\\A\\B\\C",
                                        "create c:\\A\\B\\C", "enter c:\\A\\B\\C"}));
}

TEST(Destination, MissingDriveIsRejectedBeforeAnythingIsCreated) {
    FakeFolders fs;
    fs.existing = {"c:\\"};
    EXPECT_FALSE(EnsureFolderPath("q:\\Dralto", fs));
    EXPECT_EQ(fs.calls, (std::vector<std::string>{"enter q:\\"}));
}

TEST(Destination, RelativeAndNetworkPathsAreRejected) {
    FakeFolders fs;
    fs.existing = {"Dra", "\\\\s"};
    EXPECT_FALSE(EnsureFolderPath("Dralto\\x", fs));
    EXPECT_FALSE(EnsureFolderPath("\\\\server\\share", fs));
    EXPECT_TRUE(fs.calls.empty());
}

TEST(Destination, UncreatableLevelFailsAndStops) {
    FakeFolders fs;
    fs.existing = {"c:\\"};
    fs.uncreatable = {"c:\\A\\B"};
    EXPECT_FALSE(EnsureFolderPath("c:\\A\\B\\C", fs));
    EXPECT_EQ(fs.calls.back(), "create c:\\A\\B");
}

TEST(Destination, FolderOfKeepsTheTrailingBackslash) {
    EXPECT_EQ(FolderOf("D:\\Fastinst.exe"), "D:\\");
    EXPECT_EQ(FolderOf("C:\\TEMP\\SETUP\\Fastinst.exe"), "C:\\TEMP\\SETUP\\");
    EXPECT_EQ(FolderOf("Fastinst.exe"), "");
}
