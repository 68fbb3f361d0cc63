// Program start-up: the splash, the main window's initialisation and the command line.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvane {

class frmMain;

/// The command line as one path: every argument after the program name, joined by blanks.
QString commandLineOf(const QStringList& arguments);

/// Shows the splash, loads and shows the main window and opens the command line's file.
/// Returns the main window (owned by the caller).
frmMain* StartupSequence(const QString& commandLine);

} // namespace kelvane
