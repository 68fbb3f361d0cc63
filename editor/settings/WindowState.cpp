// Reading and writing the main window's state through its field table.
#include "settings/WindowState.h"

#include "platform/SettingsStore.h"
#include "settings/EditorSettings.h"
#include "settings/SettingForms.h"

#include <cmath>

namespace kelvane {

using R = WindowStateRecord;

// clang-format off
const std::array<WindowStateField, 10> kWindowStateFields = {{
    //  key                 member               place
    {"MainLeft",         &R::MainLeft,         true},
    {"MainTop",          &R::MainTop,          true},
    {"MainWidth",        &R::MainWidth,        true},
    {"MainHeight",       &R::MainHeight,       true},
    {"ToolBar",          &R::ToolBar,          false},
    {"StatusBar",        &R::StatusBar,        false},
    {"FileBrowser",      &R::FileBrowser,      false},
    {"ClipText",         &R::ClipText,         false},
    {"FileBrowserWidth", &R::FileBrowserWidth, false},
    {"ClipTextWidth",    &R::ClipTextWidth,    false},
}};
// clang-format on

namespace {

QString storedText(const WindowStateField& field, const R& s) {
    return std::visit(SettingOverloads{
                          [&s](float R::*m) { return singleText(s.*m); },
                          [&s](bool R::*m) { return flagText(s.*m); },
                          [&s](qint32 R::*m) { return QString::number(s.*m); },
                      },
                      field.member);
}

/// A pane width: any positive number, rounded half away from zero; anything else keeps
/// `fallback`.
qint32 readWidth(const QString& text, qint32 fallback) {
    bool ok = false;
    const double width = text.toDouble(&ok);
    return ok && width > 0 && width < 1e9 ? qint32(std::lround(width)) : fallback;
}

} // namespace

void readWindowState(R& s) {
    for (const WindowStateField& field : kWindowStateFields) {
        const QString text = GetSetting(kAppTitle, kSettingsSection, QString::fromLatin1(field.key),
                                        storedText(field, s));
        std::visit(SettingOverloads{
                       [&](float R::*m) { s.*m = readSingle(text, s.*m); },
                       [&](bool R::*m) { s.*m = readFlag(text, s.*m); },
                       [&](qint32 R::*m) { s.*m = readWidth(text, s.*m); },
                   },
                   field.member);
    }
}

void saveWindowState(const R& s, bool withPlace) {
    for (const WindowStateField& field : kWindowStateFields)
        if (withPlace || !field.place)
            SaveSetting(kAppTitle, kSettingsSection, QString::fromLatin1(field.key),
                        storedText(field, s));
}

} // namespace kelvane
