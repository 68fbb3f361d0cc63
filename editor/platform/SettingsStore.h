// The per-user settings store: text values by application, section and key.
#pragma once

#include <QString>

namespace kelvane {

/// Reads a setting. Section and key are matched without regard to case; an absent value
/// yields the default.
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = QString());

/// Writes a setting at once. An existing key spelled with other capitals is replaced, so
/// "WordWrap" and "Wordwrap" address one value.
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);

/// Points the store of one application at an INI file instead of the platform's per-user
/// location (tests use this); an empty path restores the platform location.
void setSettingsFileOverride(const QString& iniPath);

/// Where the settings of an application are kept (an INI file on Linux, a registry key on
/// Windows).
QString settingsLocation(const QString& application);

} // namespace kelvane
