// The uninstall registry entry and the command lines that start the installed program.
#pragma once

#include <string>

namespace fastinst {

inline constexpr const char16_t* kUninstallKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dralto";

struct UninstallEntry {
    std::u16string key;
    std::u16string displayName;
    std::u16string uninstallString;
};

/// The path in double quotes when it holds a blank, else unchanged.
std::u16string QuoteIfBlank(const std::u16string& path);

/// The entry for a destination that ends with a backslash.
UninstallEntry MakeUninstallEntry(const std::u16string& destination);

/// The command line that starts the installed program without arguments.
std::u16string ProgramCommandLine(const std::u16string& programPath);

} // namespace fastinst
