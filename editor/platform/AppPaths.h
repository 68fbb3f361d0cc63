// The program's folder and the file-name helpers every command shares.
#pragma once

#include <QString>

namespace kelvane {

/// The program's title: the application name of every stored setting and of message boxes.
inline const QString kAppTitle = QStringLiteral("Kelvane");

/// The folder of the executable, ending in exactly one separator.
QString AppPath();

/// Overrides AppPath (tests run the editor's code from a test executable).
void setAppPathOverride(const QString& folder);

/// The part of a path after its last separator (the platform's: '/' here, also '\\' on
/// Windows); a name without any separator is returned whole.
QString FileTitleOf(const QString& path);

} // namespace kelvane
