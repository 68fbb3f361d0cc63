// The bilingual message table (Windows-1252, as the texts were written) and its UTF-16 form.
#include "SetupTexts.h"

#include <array>
#include <vector>

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

const char* const kLanguageQuestionBytes =
    "Available languages: English and German. Select English?\r\n\r\n"
    "Verf\xFCgbare Sprachen: Englisch und Deutsch. Englisch verwenden?";

const char* SetupMessageBytes(int id, bool english) {
    if (id < 0 || id >= kMessageCount) {
        return "";
    }
    const MessagePair& pair = kMessages[static_cast<std::size_t>(id)];
    return english ? pair.english : pair.german;
}

std::u16string FromWindows1252(std::string_view bytes) {
    // 0x80 to 0x9F; the undefined 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their own values.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
    }
    return text;
}

const std::u16string& SetupMessage(int id, bool english) {
    // Converted once, on first use; the table itself stays the one source of the texts.
    static const std::vector<std::u16string> converted = [] {
        std::vector<std::u16string> all;
        for (int n = 0; n <= kMessageCount; ++n) {
            all.push_back(FromWindows1252(SetupMessageBytes(n, false)));
            all.push_back(FromWindows1252(SetupMessageBytes(n, true)));
        }
        return all;
    }();
    const int index = id < 0 || id >= kMessageCount ? kMessageCount : id;
    return converted[static_cast<std::size_t>(index * 2 + (english ? 1 : 0))];
}

const std::u16string& LanguageQuestion() {
    static const std::u16string question = FromWindows1252(kLanguageQuestionBytes);
    return question;
}

std::u16string ConfirmationText(bool english, const std::u16string& destination) {
    // A plain substitution: a '%' in the destination is text, never a format directive.
    std::u16string text = SetupMessage(kConfirmInstall, english);
    const std::size_t at = text.find(u"%s");
    if (at != std::u16string::npos) {
        text.replace(at, 2, destination);
    }
    return text;
}

} // namespace fastinst
