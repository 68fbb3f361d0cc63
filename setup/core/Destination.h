// Destination folder rules: normalisation, validity and creating the folder level by level.
#pragma once

#include <string>
#include <vector>

namespace fastinst {

/// The two folder operations the destination check needs; the program passes the real ones.
class FolderSystem {
public:
    virtual ~FolderSystem() = default;
    /// Makes `path` the current folder; false when it cannot be entered.
    virtual bool EnterFolder(const std::u16string& path) = 0;
    /// Creates the folder `path`; false on failure.
    virtual bool CreateFolder(const std::u16string& path) = 0;
};

/// The field text with one trailing backslash removed, if it has one.
std::u16string StripTrailingBackslash(std::u16string path);

/// The longest destination (without trailing backslash) the installation handles: a backslash,
/// the longest file name (8.3) and the terminating zero still fit a Windows path of 260.
inline constexpr std::size_t kMaxDestinationLength = 260 - 1 - 12 - 1;

/// True when the destination (without trailing backslash) is long enough to be a folder and
/// short enough that every installed file's path fits; a longer one is refused, never cut.
bool HasUsableLength(const std::u16string& destination);

/// True when the path starts with a drive root such as c:\ .
bool StartsWithDriveRoot(const std::u16string& path);

/// The folders EnsureFolderPath enters or creates, from the first below the root to the path.
std::vector<std::u16string> FolderLevels(const std::u16string& path);

/// Enters the drive root, then enters or creates each level; leaves the path current on success.
bool EnsureFolderPath(const std::u16string& path, FolderSystem& folders);

/// The folder part of a program path, up to and including the last backslash.
std::u16string FolderOf(const std::u16string& programPath);

} // namespace fastinst
