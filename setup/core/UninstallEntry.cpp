// The uninstall registry entry and the command lines that start the installed program.
#include "UninstallEntry.h"

#include "SetupTexts.h"

namespace fastinst {

std::string QuoteIfBlank(const std::string& path) {
    // Unquoted, "C:\Program Files\Dralto\Dralto.exe" would be read as C:\Program plus arguments.
    if (path.find_first_of(" \t") == std::string::npos) {
        return path;
    }
    return "\"" + path + "\"";
}

UninstallEntry MakeUninstallEntry(const std::string& destination) {
    const std::string program = destination + kProductName + ".exe";
    return {kUninstallKey, kProductName, QuoteIfBlank(program) + " uninst"};
}

std::string ProgramCommandLine(const std::string& programPath) {
    return QuoteIfBlank(programPath);
}

} // namespace fastinst
