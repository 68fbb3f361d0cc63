// Handing a file to the program the desktop associates with it.
#pragma once

#include <QString>

namespace kelvane {

/// Opens a file in the user's default program for its type, in a normal window (on Linux
/// through the freedesktop MIME defaults, xdg-open). False when no program could be started.
bool OpenWithDefaultApp(const QString& path);

} // namespace kelvane
