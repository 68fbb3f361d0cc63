// The menus that gather commands of several groups (File, its Preferences submenu, Advanced),
// declared as tables of command names in menu order; "-" is a separator. Every name must name
// a command of the command table: the tests check it, and placeCommands warns of one that does
// not.
#pragma once

#include <QStringView>

#include <array>
#include <functional>
#include <span>

class QAction;
class QMenu;

namespace kelvane {

/// The File menu down to its Preferences submenu.
inline constexpr std::array<const char*, 18> kFileMenuHead{"mnuFileNew",
                                                           "mnuFileOpen",
                                                           "mnuFileOpenImage",
                                                           "mnuFileClose",
                                                           "-",
                                                           "mnuFileSave",
                                                           "mnuFileSaveAs",
                                                           "mnuFileSaveAll",
                                                           "mnuFileReload",
                                                           "-",
                                                           "mnuFilePrint",
                                                           "mnuFilePrinterSetup",
                                                           "mnuFilePageSetup",
                                                           "-",
                                                           "mnuFileExportRTF",
                                                           "mnuFileExportClip",
                                                           "mnuFileExportTPL",
                                                           "-"};
/// The File menu's "Preferences" submenu.
inline constexpr std::array<const char*, 3> kPreferencesMenu{
    "mnuPrefsEditorSetup", "mnuPrefsCompilerSetup", "mnuPrefsAssocs"};
/// The File menu below the recent-file items.
inline constexpr std::array<const char*, 1> kFileMenuTail{"mnuFileExit"};
/// The Advanced menu.
inline constexpr std::array<const char*, 7> kAdvancedMenu{
    "mnuAdvancedConfigure",   "mnuAdvancedRunCompiler",    "-",
    "mnuAdvancedSaveProject", "mnuAdvancedRestoreProject", "-",
    "mnuAdvancedOpenViewer"};

/// Finds a command of the command table by its name, or returns nullptr.
using CommandLookup = std::function<QAction*(QStringView name)>;

/// Appends the named commands to a menu in order, "-" a separator (never two in a row, never
/// first); a name that names no command is left out with a warning.
void placeCommands(QMenu* menu, std::span<const char* const> names, const CommandLookup& lookup);

} // namespace kelvane
