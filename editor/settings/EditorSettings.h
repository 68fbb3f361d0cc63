// The editor's preferences: the one global EditorSettings record and the page margins.
#pragma once

#include "platform/AppPaths.h"
#include "platform/text/RichText.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <variant>

namespace kelvane {

/// Editor preferences. The field order is also the layout of a profile file.
struct EditorSettingsRecord {
    QString Keywords0; ///< keyword lists: words each followed by U+00FF
    QString Keywords1;
    QString Keywords2;
    WinColour KeywordColor0 = 12582912; // 0xC00000
    WinColour KeywordColor1 = 12632064; // 0xC0C000
    WinColour KeywordColor2 = 12632256; // 0xC0C0C0
    qint32 KeywordCount = 0;            ///< total words of the three lists
    bool WordWrap = false;
    qint32 Delimiters = 0;          ///< bit i enables delimiter pair i (0 to 8)
    WinColour DelimitColor = 24576; // 0x006000
    QString Reserved;               ///< unused; stays empty
    bool AutoCode = true;
    bool Backup = true;
    QString EditorFont = QStringLiteral("Courier New");
    float EditorSize = 10;
    QString CompilerString;
    bool CodeOrder = true; ///< true: keywords first, delimiters second
    bool CaseSensitive = false;
};

/// The one global record, filled at start-up.
inline EditorSettingsRecord EditorSettings;

/// Page margins of printing, in the unit page set-up shows.
struct PageMarginsRecord {
    float TopMargin = 1.5f;
    float BottomMargin = 1.5f;
    float LeftMargin = 1.5f;
    float RightMargin = 1.5f;
};

inline PageMarginsRecord PageMargins;

/// The store's section of the editor settings.
inline const QString kSettingsSection = QStringLiteral("Settings");
/// The store's section of the page margins.
inline const QString kPrinterSettingsSection = QStringLiteral("Printer Settings");

/// Which start-up read takes a field from the store (one status text of the splash each).
enum class SettingReadGroup { Keywords, KeywordColours, Switches, NotStored };

/// One field of EditorSettingsRecord: where it is kept and who writes it. The table of these,
/// in record order, drives the start-up read, the Options dialog's write-back and the profile
/// codec, so a new field is added there once.
struct SettingField {
    using Member = std::variant<QString EditorSettingsRecord::*, WinColour EditorSettingsRecord::*,
                                qint32 EditorSettingsRecord::*, bool EditorSettingsRecord::*,
                                float EditorSettingsRecord::*>;
    /// The store key in the "Settings" section (keys match without regard to case).
    const char* key;
    Member member;
    SettingReadGroup readGroup;
    /// The text given to the store as the default when it differs from the field's own
    /// default in its stored form; nullptr otherwise.
    const char* storedDefault = nullptr;
    /// The Options dialog's OK writes the field to the store.
    bool savedByOptions = false;
    /// Applying a profile sets the field.
    bool setByProfile = false;
};

/// Every field of EditorSettingsRecord, in record (and profile file) order.
extern const std::array<SettingField, 18> kSettingFields;

/// One function per kind of member, for visiting a field: SettingOverloads{[](QString
/// EditorSettingsRecord::*m) {...}, [](bool EditorSettingsRecord::*m) {...}, ...}.
template <typename... Fs> struct SettingOverloads : Fs... { using Fs::operator()...; };
template <typename... Fs> SettingOverloads(Fs...) -> SettingOverloads<Fs...>;

/// Calls the function of `overloads` that takes the field's member pointer.
template <typename Overloads>
decltype(auto) visitSettingField(const SettingField& field, Overloads&& overloads) {
    return std::visit(std::forward<Overloads>(overloads), field.member);
}

/// A field's value in its stored text form: flags "True"/"False", numbers in decimal.
QString storedText(const SettingField& field, const EditorSettingsRecord& settings);
/// Reads one field from the store; a stored text that does not read takes the default.
void readSettingField(const SettingField& field, EditorSettingsRecord& settings);
/// Writes one field to the store.
void saveSettingField(const SettingField& field, const EditorSettingsRecord& settings);

/// Start-up reads, one group per status text of the splash.
void readKeywordSettings(EditorSettingsRecord& settings);
void readKeywordColours(EditorSettingsRecord& settings);
void readEditorSwitches(EditorSettingsRecord& settings);
void readPrinterMargins(PageMarginsRecord& margins);

} // namespace kelvane
