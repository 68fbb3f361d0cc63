// Destination folder rules: normalisation, validity and creating the folder level by level.
#include "Destination.h"

namespace fastinst {

std::u16string StripTrailingBackslash(std::u16string path) {
    if (!path.empty() && path.back() == u'\\') {
        path.pop_back();
    }
    return path;
}

bool HasUsableLength(const std::u16string& destination) {
    return destination.size() >= 4 && destination.size() <= kMaxDestinationLength;
}

bool StartsWithDriveRoot(const std::u16string& path) {
    const char16_t drive = path.empty() ? u'\0' : path[0];
    const bool letter = (drive >= u'a' && drive <= u'z') || (drive >= u'A' && drive <= u'Z');
    return path.size() >= 3 && letter && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
}

std::vector<std::u16string> FolderLevels(const std::u16string& path) {
    // The root's backslash counts as the first; level n ends before the n-th backslash.
    std::vector<std::u16string> levels;
    if (path.size() <= 3) {
        return levels;
    }
    std::size_t from = 3;
    while (true) {
        const std::size_t next = path.find(u'\\', from);
        if (next == std::u16string::npos) {
            levels.push_back(path);
            return levels;
        }
        levels.push_back(path.substr(0, next));
        from = next + 1;
    }
}

bool EnsureFolderPath(const std::u16string& path, FolderSystem& folders) {
    // Only absolute paths on a drive: a relative name would land below whatever folder is current.
    if (!StartsWithDriveRoot(path) || !folders.EnterFolder(path.substr(0, 3))) {
        return false;
    }
    for (const std::u16string& level : FolderLevels(path)) {
        if (folders.EnterFolder(level)) {
            continue;
        }
        if (!folders.CreateFolder(level) || !folders.EnterFolder(level)) {
            return false;
        }
    }
    return true;
}

std::u16string FolderOf(const std::u16string& programPath) {
    const std::size_t last = programPath.rfind('\\');
    return last == std::u16string::npos ? std::u16string() : programPath.substr(0, last + 1);
}

} // namespace fastinst
