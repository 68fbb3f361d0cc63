// The setup program's user-visible texts in German and English (Windows-1252 bytes).
#pragma once

#include <string>

namespace fastinst {

/// Numbers of the texts shown in either language: the eight messages of the installation, then
/// captions, button and item names and the notice line.
enum MessageId {
    kInvalidDestination = 0,
    kErrorInstalling = 1,
    kCreateGroupQuestion = 2,
    kGroupFailed = 3,
    kSetupComplete = 4,
    kStartFailed = 5,
    kConfirmInstall = 6,
    kDestinationLabel = 7,
    kErrorCaption = 8,       ///< caption of error and warning boxes
    kOkButton = 9,           ///< text of the OK button
    kCancelButton = 10,      ///< text of the Cancel button
    kBrowseTitle = 11,       ///< title line shown in the folder browser
    kHelpItemName = 12,      ///< Program Manager item of the help file
    kUninstallItemName = 13, ///< Program Manager item of the uninstaller
    kNoticeLine = 14,        ///< the maker's notice line at the foot of the panel
    kMessageCount = 15
};

/// The text of number `id` in the chosen language; the empty text for an unknown number.
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

/// The confirmation question with the destination (given without trailing backslash) filled in.
std::string ConfirmationText(bool english, const std::string& destination);

} // namespace fastinst
