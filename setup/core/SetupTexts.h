// The setup program's user-visible texts in German and English.
#pragma once

#include <string>
#include <string_view>

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

/// The text of number `id` as the table holds it, in Windows-1252 bytes; the empty text for an
/// unknown number.
const char* SetupMessageBytes(int id, bool english);

/// The text of number `id` in the chosen language, in UTF-16 (converted once from the table).
const std::u16string& SetupMessage(int id, bool english);

/// Windows-1252 bytes as UTF-16; the five bytes the code page leaves undefined stay their
/// Latin-1 code points, as Windows maps them.
std::u16string FromWindows1252(std::string_view bytes);

inline constexpr const char16_t* kSetupCaption = u"Setup";
inline constexpr const char16_t* kProductName = u"Dralto";
inline constexpr const char16_t* kWindowTitle = u"Dralto Setup";
inline constexpr const char16_t* kWindowClass = u"Setup";
inline constexpr const char16_t* kProductTitle = u"Dralto 8.41";
inline constexpr const char16_t* kMarkerFile = u"Dralto.cfg";
inline constexpr const char16_t* kDefaultDestination = u"c:\\Dralto";
inline constexpr const char16_t* kMonogram = u"DS";

/// The bilingual question asked before anything else, in Windows-1252 bytes.
extern const char* const kLanguageQuestionBytes;
/// The bilingual question in UTF-16.
const std::u16string& LanguageQuestion();

/// The confirmation question with the destination (given without trailing backslash) filled in.
std::u16string ConfirmationText(bool english, const std::u16string& destination);

} // namespace fastinst
