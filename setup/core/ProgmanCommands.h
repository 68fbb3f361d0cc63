// The Program Manager command text that creates the Dralto group and its items.
#pragma once

#include <string>

namespace fastinst {

/// The commands back to back: the group, the program, the help file of the chosen language
/// and, unless the uninstaller is missing, the uninstall item.
std::u16string BuildProgmanCommands(const std::u16string& programPath, bool english,
                                    bool uninstallerMissing);

} // namespace fastinst
