// The bilingual message table and the other fixed texts of the setup program.
#include "SetupTexts.h"

#include <array>

namespace fastinst {

namespace {

struct MessagePair {
    const char* german;
    const char* english;
};

// Windows-1252: \xFC = u umlaut, \xDC = U umlaut, \xE4 = a umlaut, \xBB and \xAB = guillemets,
// \xA9 = copyright sign.
constexpr std::array<MessagePair, kMessageCount> kMessages{{
    {"Ung\xFCltiger Zielordner", "Invalid destination folder"},
    {"Fehler beim Installieren von ", "Error installing "},
    {"Programmgruppe erstellen?", "Create program group?"},
    {"Programmgruppe konnte nicht erstellt werden.", "Unable to create program group"},
    {"Setup abgeschlossen. Dralto starten?", "Setup complete. Start program?"},
    {"Programmdatei konnte nicht ausgef\xFChrt werden.", "Unable to execute program file"},
    {"Dralto in den Ordner \xBB%s\xAB installieren?", "Install to \"%s\"?"},
    {"Zielordner:", "Destination Folder:"},
    {"Fehler", "Error"},
    {"OK", "OK"},
    {"Abbrechen", "Cancel"},
    {"\xDC"
     "bergeordneten Ordner f\xFCr die Installation ausw\xE4hlen:",
     "Select parent folder for the Dralto installation:"},
    {"Dralto-Hilfe", "Dralto Help"},
    {"Dralto deinstallieren", "Dralto Uninstall"},
    {"\xA9 Dralto Software. Alle Rechte vorbehalten.",
     "\xA9 Dralto Software. All rights reserved."},
}};

} // namespace

const char* const kLanguageQuestion =
    "Available languages: English and German. Select English?\r\n\r\n"
    "Verf\xFCgbare Sprachen: Englisch und Deutsch. Englisch verwenden?";

const char* SetupMessage(int id, bool english) {
    if (id < 0 || id >= kMessageCount) {
        return "";
    }
    const MessagePair& pair = kMessages[static_cast<std::size_t>(id)];
    return english ? pair.english : pair.german;
}

std::string ConfirmationText(bool english, const std::string& destination) {
    // A plain substitution: a '%' in the destination is text, never a format directive.
    std::string text = SetupMessage(kConfirmInstall, english);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, destination);
    }
    return text;
}

} // namespace fastinst
