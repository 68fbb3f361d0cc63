// The recent-files list.
#include "app/RecentFiles.h"

#include "platform/SettingsStore.h"
#include "settings/EditorSettings.h"

namespace kelvane {

void RecentFileList::cycle(const QString& path) {
    for (int i = kCount - 1; i >= 1; --i)
        entries_[size_t(i)] = entries_[size_t(i - 1)];
    entries_[0] = path;
}

namespace {
QString keyOf(int i) {
    return QStringLiteral("RecentFile") + QString::number(i);
}
} // namespace

void readRecentFiles(RecentFileList& list) {
    for (int i = 1; i <= RecentFileList::kCount; ++i)
        list.setEntry(i, GetSetting(kAppTitle, kSettingsSection, keyOf(i), QString()));
}

void saveRecentFiles(const RecentFileList& list) {
    for (int i = 1; i <= RecentFileList::kCount; ++i)
        SaveSetting(kAppTitle, kSettingsSection, keyOf(i), list.entry(i));
}

} // namespace kelvane
