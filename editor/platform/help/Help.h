// The program's help: which help file it uses and the requests that open the help window.
#pragma once

#include <QString>

class QWidget;

namespace kelvane {

class HelpWindow;

/// Sets the program's help file (the start-up code passes AppPath + "KELVANE.HLP").
void setHelpFile(const QString& path);
/// The program's help file; empty when none is set.
QString helpFile();

/// Opens the help window at the contents topic. Returns false, doing nothing, when no help
/// file is set; a missing or damaged file is reported inside the help window.
bool ShowHelpContents(QWidget* requester);
/// Opens the help window with the search field focused and empty. Returns false, doing
/// nothing, when no help file is set.
bool ShowHelpSearch(QWidget* requester);
/// Opens the help window at the topic with the given context number; an unknown number is
/// reported inside the help window. Returns false, doing nothing, when no help file is set.
bool ShowHelpTopic(int context, QWidget* requester = nullptr);

/// Gives a dialog its help context number and, when it is not 0, makes F1 in the dialog show
/// that topic (F1 does nothing while no help file is set). Calling it again replaces the number.
void installContextHelp(QWidget* dialog, int context);
/// The help context number given to a window by installContextHelp; 0 when none.
int helpContextOf(const QWidget* window);

/// The program's one help window, or nullptr while none has been opened.
HelpWindow* helpWindow();
/// Closes and destroys the help window (the main window calls this when the program ends).
void closeHelp();

} // namespace kelvane
