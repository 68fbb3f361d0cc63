// Program start-up: the splash, the steps of reading the settings, the command line.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

namespace kelvane {

class DocumentHost;
class frmMain;
class frmSplash;
class WorkspaceCommands;
struct WindowStateRecord;

/// The command line as one path: every argument after the program name, joined by blanks.
QString commandLineOf(const QStringList& arguments);

/// Shows a start-up step on the splash (nothing without one).
void showStartupStep(frmSplash* splash, const QString& text);
/// Reads the editor's preferences and the page margins, one splash step each, and notes that
/// the editor has been started before ("First Load").
void readEditorPreferences(frmSplash* splash);
/// Reads the window's stored state, its size defaulting to the screen's, and returns where the
/// window goes on this desktop in pixels.
QRect readWindowPlace(WindowStateRecord& state);
/// Opens the file named on the command line into the active document, or the workspace it
/// names (".kpj" in any case); an error is shown.
void openCommandLine(DocumentHost& host, WorkspaceCommands& workspaces, const QString& commandLine);

/// Shows the splash, loads and shows the main window and opens the command line's file.
/// Returns the main window (owned by the caller).
frmMain* StartupSequence(const QString& commandLine);

} // namespace kelvane
