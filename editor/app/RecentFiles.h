// The five most recently opened files, newest first.
#pragma once

#include <QString>

#include <array>

namespace kelvane {

class RecentFileList {
public:
    /// Entry i, 1 to 5; empty when it holds no file.
    const QString& entry(int i) const { return entries_[size_t(i - 1)]; }
    void setEntry(int i, const QString& path) { entries_[size_t(i - 1)] = path; }
    /// Puts a path at the top; every entry moves down one and the fifth is lost. Paths are not
    /// compared, so one path may stand in several entries.
    void cycle(const QString& path);

    static constexpr int kCount = 5;

private:
    std::array<QString, kCount> entries_;
};

/// The one recent-files list of the run.
inline RecentFileList RecentFiles;

/// Reads the list from the store ("RecentFile1" to "RecentFile5").
void readRecentFiles(RecentFileList& list);
/// Writes the list to the store.
void saveRecentFiles(const RecentFileList& list);

} // namespace kelvane
