// The program's folder and the file-name helpers every command shares.
#pragma once

#include <QString>

namespace kelvane {

/// The program's title: the application name of every stored setting and of message boxes.
inline const QString kAppTitle = QStringLiteral("Kelvane");

/// The folder of the program's files (help, tips, profiles, libraries, templates), ending in
/// exactly one separator: the executable's own folder, or <prefix>/share/kelvane when the
/// program is installed as <prefix>/bin/Kelvane.
QString AppPath();

/// The folder of the program's files for a given executable folder (without a trailing
/// separator): the folder itself when the files lie beside the program, else the installed
/// share/kelvane folder next to a bin folder, else the folder itself.
QString programFilesFolder(const QString& executableFolder);

/// Overrides AppPath (tests run the editor's code from a test executable).
void setAppPathOverride(const QString& folder);

/// The part of a path after its last separator (the platform's: '/' here, also '\\' on
/// Windows); a name without any separator is returned whole.
QString FileTitleOf(const QString& path);

} // namespace kelvane
