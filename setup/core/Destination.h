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
    virtual bool EnterFolder(const std::string& path) = 0;
    /// Creates the folder `path`; false on failure.
    virtual bool CreateFolder(const std::string& path) = 0;
};

/// The field text with one trailing backslash removed, if it has one.
std::string StripTrailingBackslash(std::string path);

/// True when the destination (without trailing backslash) is long enough to be a folder.
bool HasMinimumLength(const std::string& destination);

/// True when the path starts with a drive root such as c:\ .
bool StartsWithDriveRoot(const std::string& path);

/// The folders EnsureFolderPath enters or creates, from the first below the root to the path.
std::vector<std::string> FolderLevels(const std::string& path);

/// Enters the drive root, then enters or creates each level; leaves the path current on success.
bool EnsureFolderPath(const std::string& path, FolderSystem& folders);

/// The folder part of a program path, up to and including the last backslash.
std::string FolderOf(const std::string& programPath);

} // namespace fastinst
