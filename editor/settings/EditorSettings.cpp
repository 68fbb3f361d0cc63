// Reading the editor's preferences from the settings store at start-up.
#include "settings/EditorSettings.h"

#include "platform/SettingsStore.h"
#include "settings/SettingForms.h"

namespace kelvane {

using R = EditorSettingsRecord;
using G = SettingReadGroup;

// clang-format off
const std::array<SettingField, 18> kSettingFields = {{
    //  key               member             read group         stored default  Options profile
    {"Keywords0",      &R::Keywords0,      G::Keywords,       nullptr, true,  true},
    {"Keywords1",      &R::Keywords1,      G::Keywords,       nullptr, true,  true},
    {"Keywords2",      &R::Keywords2,      G::Keywords,       nullptr, true,  true},
    {"KeywordColor0",  &R::KeywordColor0,  G::KeywordColours, nullptr, true,  true},
    {"KeywordColor1",  &R::KeywordColor1,  G::KeywordColours, nullptr, true,  true},
    {"KeywordColor2",  &R::KeywordColor2,  G::KeywordColours, nullptr, true,  true},
    {"KeywordCount",   &R::KeywordCount,   G::Keywords,       nullptr, true,  true},
    {"WordWrap",       &R::WordWrap,       G::Switches,       nullptr, true,  false},
    {"Delimiters",     &R::Delimiters,     G::Switches,       nullptr, true,  true},
    {"DelimitColor",   &R::DelimitColor,   G::Switches,       nullptr, true,  true},
    {nullptr,          &R::Reserved,       G::NotStored,      nullptr, false, false},
    {"AutoCode",       &R::AutoCode,       G::Switches,       nullptr, true,  false},
    {"Backup",         &R::Backup,         G::Switches,       nullptr, true,  false},
    {"EditorFont",     &R::EditorFont,     G::Switches,       nullptr, true,  false},
    {"EditorSize",     &R::EditorSize,     G::Switches,       nullptr, true,  false},
    // Written by the compiler set-up, not by the Options dialog.
    {"CompilerString", &R::CompilerString, G::Switches,       nullptr, false, false},
    {"CodeOrder",      &R::CodeOrder,      G::Switches,       nullptr, true,  true},
    // The store is given the number 0 as this key's default.
    {"Case Sensitive", &R::CaseSensitive,  G::Switches,       "0",     true,  true},
}};
// clang-format on

namespace {

QString read(const QString& section, const QString& key, const QString& fallback) {
    return GetSetting(kAppTitle, section, key, fallback);
}

void readGroup(SettingReadGroup group, EditorSettingsRecord& settings) {
    for (const SettingField& field : kSettingFields)
        if (field.readGroup == group)
            readSettingField(field, settings);
}

} // namespace

QString storedText(const SettingField& field, const EditorSettingsRecord& s) {
    return std::visit(SettingOverloads{
                          [&s](QString R::*m) { return s.*m; },
                          [&s](WinColour R::*m) { return QString::number(s.*m); },
                          [&s](qint32 R::*m) { return QString::number(s.*m); },
                          [&s](bool R::*m) { return flagText(s.*m); },
                          [&s](float R::*m) { return singleText(s.*m); },
                      },
                      field.member);
}

void readSettingField(const SettingField& field, EditorSettingsRecord& s) {
    if (!field.key)
        return;
    static const EditorSettingsRecord defaults;
    const QString key = QString::fromLatin1(field.key);
    const QString storedDefault = field.storedDefault ? QString::fromLatin1(field.storedDefault)
                                                      : storedText(field, defaults);
    const QString text = read(kSettingsSection, key, storedDefault);
    std::visit(SettingOverloads{
                   [&](QString R::*m) { s.*m = text; },
                   [&](WinColour R::*m) { s.*m = readColour(text, defaults.*m); },
                   [&](qint32 R::*m) { s.*m = readInteger(text, defaults.*m); },
                   [&](bool R::*m) { s.*m = readFlag(text, defaults.*m); },
                   [&](float R::*m) { s.*m = readSingle(text, defaults.*m); },
               },
               field.member);
}

void saveSettingField(const SettingField& field, const EditorSettingsRecord& settings) {
    if (field.key)
        SaveSetting(kAppTitle, kSettingsSection, QString::fromLatin1(field.key),
                    storedText(field, settings));
}

void readKeywordSettings(EditorSettingsRecord& s) {
    readGroup(SettingReadGroup::Keywords, s);
}

void readKeywordColours(EditorSettingsRecord& s) {
    readGroup(SettingReadGroup::KeywordColours, s);
}

void readEditorSwitches(EditorSettingsRecord& s) {
    readGroup(SettingReadGroup::Switches, s);
}

void readPrinterMargins(PageMarginsRecord& m) {
    auto margin = [](const QString& key) {
        return readSingle(read(kPrinterSettingsSection, key, QStringLiteral("1.5")), 1.5f);
    };
    m.TopMargin = margin(QStringLiteral("TopMargin"));
    m.BottomMargin = margin(QStringLiteral("BottomMargin"));
    m.LeftMargin = margin(QStringLiteral("LeftMargin"));
    m.RightMargin = margin(QStringLiteral("RightMargin"));
}

} // namespace kelvane
