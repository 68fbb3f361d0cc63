// The menus that gather commands of several groups (File, its Preferences submenu, Advanced),
// declared as tables of command names in menu order; "-" is a separator. Every name must name
// a command of the command table: the tests check it, and the main window warns of one that
// does not.
#pragma once

#include <array>

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

} // namespace kelvane
