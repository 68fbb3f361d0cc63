// Destination folder rules: normalisation, validity and creating the folder level by level.
#include "Destination.h"

#include <cctype>

namespace fastinst {

std::string StripTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

bool HasMinimumLength(const std::string& destination) {
    return destination.size() >= 4;
}

bool StartsWithDriveRoot(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::vector<std::string> FolderLevels(const std::string& path) {
    // The root's backslash counts as the first; level n ends before the n-th backslash.
    std::vector<std::string> levels;
    if (path.size() <= 3) {
        return levels;
    }
    std::size_t from = 3;
    while (true) {
        const std::size_t next = path.find('\\', from);
        if (next == std::string::npos) {
            levels.push_back(path);
            return levels;
        }
        levels.push_back(path.substr(0, next));
        from = next + 1;
    }
}

bool EnsureFolderPath(const std::string& path, FolderSystem& folders) {
    // Only absolute paths on a drive: a relative name would land below whatever folder is current.
    if (!StartsWithDriveRoot(path) || !folders.EnterFolder(path.substr(0, 3))) {
        return false;
    }
    for (const std::string& level : FolderLevels(path)) {
        if (folders.EnterFolder(level)) {
            continue;
        }
        if (!folders.CreateFolder(level) || !folders.EnterFolder(level)) {
            return false;
        }
    }
    return true;
}

std::string FolderOf(const std::string& programPath) {
    const std::size_t last = programPath.rfind('\\');
    return last == std::string::npos ? std::string() : programPath.substr(0, last + 1);
}

} // namespace fastinst
