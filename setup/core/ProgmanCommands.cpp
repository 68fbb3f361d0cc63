// The Program Manager command text that creates the Dralto group and its items.
#include "ProgmanCommands.h"

#include "SetupTexts.h"

namespace fastinst {

namespace {

std::u16string AddItem(const std::u16string& commandLine, const std::u16string& afterQuotes,
                       const std::u16string& itemName, const std::u16string& tail) {
    return u"[AddItem(\"" + commandLine + u"\"" + afterQuotes + u", " + itemName + tail + u")]";
}

} // namespace

std::u16string BuildProgmanCommands(const std::u16string& programPath, bool english,
                                    bool uninstallerMissing) {
    // The help file sits beside the program: its name less ".exe", then the language's suffix.
    const std::u16string stem =
        programPath.size() >= 4 ? programPath.substr(0, programPath.size() - 4) : programPath;
    std::u16string commands = std::u16string(u"[CreateGroup(") + kProductName + u")]";
    commands += AddItem(programPath, u"", kProductName, u"");
    commands += AddItem(stem + (english ? u"-e.hlp" : u".hlp"), u"",
                        SetupMessage(kHelpItemName, english), u"");
    if (!uninstallerMissing) {
        commands += AddItem(programPath, u" uninst", SetupMessage(kUninstallItemName, english),
                            u",SHELL32.DLL,53");
    }
    return commands;
}

} // namespace fastinst
