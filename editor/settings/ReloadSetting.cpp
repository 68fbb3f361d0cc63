// The reload switch in the settings store.
#include "settings/ReloadSetting.h"

#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"
#include "settings/EditorSettings.h"
#include "settings/SettingForms.h"

namespace kelvane {

void readReloadSetting() {
    ReloadChangedFiles = readFlag(
        GetSetting(kAppTitle, kSettingsSection, kReloadChangedFilesKey, flagText(true)), true);
}

void saveReloadSetting() {
    SaveSetting(kAppTitle, kSettingsSection, kReloadChangedFilesKey, flagText(ReloadChangedFiles));
}

} // namespace kelvane
