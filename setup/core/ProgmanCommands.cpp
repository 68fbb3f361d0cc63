// The Program Manager command text that creates the Dralto group and its items.
#include "ProgmanCommands.h"

#include "SetupTexts.h"

namespace fastinst {

namespace {

std::string AddItem(const std::string& commandLine, const std::string& afterQuotes,
                    const std::string& itemName, const std::string& tail) {
    return "[AddItem(\"" + commandLine + "\"" + afterQuotes + ", " + itemName + tail + ")]";
}

} // namespace

std::string BuildProgmanCommands(const std::string& programPath, bool english,
                                 bool uninstallerMissing) {
    // The help file sits beside the program: its name less ".exe", then the language's suffix.
    const std::string stem =
        programPath.size() >= 4 ? programPath.substr(0, programPath.size() - 4) : programPath;
    std::string commands = std::string("[CreateGroup(") + kProductName + ")]";
    commands += AddItem(programPath, "", kProductName, "");
    commands +=
        AddItem(stem + (english ? "-e.hlp" : ".hlp"), "", SetupMessage(kHelpItemName, english), "");
    if (!uninstallerMissing) {
        commands += AddItem(programPath, " uninst", SetupMessage(kUninstallItemName, english),
                            ",SHELL32.DLL,53");
    }
    return commands;
}

} // namespace fastinst
