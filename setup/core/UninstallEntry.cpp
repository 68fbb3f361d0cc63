// The uninstall registry entry and the command lines that start the installed program.
#include "UninstallEntry.h"

#include "SetupTexts.h"

namespace fastinst {

std::u16string QuoteIfBlank(const std::u16string& path) {
    // Unquoted, "C:\Program Files\Dralto\Dralto.exe" would be read as C:\Program plus arguments.
    if (path.find_first_of(u" \t") == std::u16string::npos) {
        return path;
    }
    return u"\"" + path + u"\"";
}

UninstallEntry MakeUninstallEntry(const std::u16string& destination) {
    const std::u16string program = destination + kProductName + u".exe";
    return {kUninstallKey, kProductName, QuoteIfBlank(program) + u" uninst"};
}

std::u16string ProgramCommandLine(const std::u16string& programPath) {
    return QuoteIfBlank(programPath);
}

} // namespace fastinst
