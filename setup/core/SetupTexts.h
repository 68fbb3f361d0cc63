// The setup program's user-visible texts in German and English (Windows-1252 bytes).
#pragma once

#include <string>

namespace fastinst {

/// Numbers of the bilingual messages.
enum MessageId {
    kInvalidDestination = 0,
    kErrorInstalling = 1,
    kCreateGroupQuestion = 2,
    kGroupFailed = 3,
    kSetupComplete = 4,
    kStartFailed = 5,
    kConfirmInstall = 6,
    kDestinationLabel = 7,
    kMessageCount = 8
};

/// The text of message `id` in the chosen language; the empty text for an unknown number.
const char* SetupMessage(int id, bool english);

inline constexpr const char* kSetupCaption = "Setup";
inline constexpr const char* kProductName = "Dralto";
inline constexpr const char* kWindowTitle = "Dralto Setup";
inline constexpr const char* kWindowClass = "Setup";
inline constexpr const char* kProductTitle = "Dralto 8.41";
inline constexpr const char* kMarkerFile = "Dralto.cfg";
inline constexpr const char* kDefaultDestination = "c:\\Dralto";
inline constexpr const char* kMonogram = "DS";

/// The bilingual question asked before anything else.
extern const char* const kLanguageQuestion;

/// Caption of error and warning boxes: "Fehler" or "Error".
const char* ErrorCaption(bool english);
/// Text of the Cancel button.
const char* CancelButtonText(bool english);
/// Title line shown in the folder browser.
const char* BrowseTitle(bool english);
/// Name of the Program Manager item for the help file.
const char* HelpItemName(bool english);
/// Name of the Program Manager item for the uninstaller.
const char* UninstallItemName(bool english);
/// The maker's notice line at the foot of the panel.
const char* NoticeLine(bool english);

/// The confirmation question with the destination (given without trailing backslash) filled in.
std::string ConfirmationText(bool english, const std::string& destination);

} // namespace fastinst
