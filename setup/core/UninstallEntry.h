// The uninstall registry entry and the command lines that start the installed program.
#pragma once

#include <string>

namespace fastinst {

inline constexpr const char* kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dralto";

struct UninstallEntry {
    std::string key;
    std::string displayName;
    std::string uninstallString;
};

/// The path in double quotes when it holds a blank, else unchanged.
std::string QuoteIfBlank(const std::string& path);

/// The entry for a destination that ends with a backslash.
UninstallEntry MakeUninstallEntry(const std::string& destination);

/// The command line that starts the installed program without arguments.
std::string ProgramCommandLine(const std::string& programPath);

} // namespace fastinst
