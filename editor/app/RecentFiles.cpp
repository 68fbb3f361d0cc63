// The recent-files list.
#include "app/RecentFiles.h"

namespace kelvane {

void RecentFileList::cycle(const QString& path) {
    for (int i = kCount - 1; i >= 1; --i)
        entries_[size_t(i)] = entries_[size_t(i - 1)];
    entries_[0] = path;
}

} // namespace kelvane
