// Whether a file changed by another program is read again by itself when its document has no
// unsaved changes (on), or only after asking (off).
#pragma once

#include <QString>

namespace kelvane {

/// On by default.
inline bool ReloadChangedFiles = true;

/// Its key in the store's "Settings" section.
inline const QString kReloadChangedFilesKey = QStringLiteral("ReloadChangedFiles");

/// Reads the switch from the store (on when it holds nothing that reads as a flag).
void readReloadSetting();
/// Writes the switch to the store.
void saveReloadSetting();

} // namespace kelvane
