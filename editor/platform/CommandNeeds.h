// What a command needs before it can act. A command that works on the active document says so
// where it is declared; the main window then enables it, in the menus and on the toolbar alike
// (they show the same action), only while a document window is open.
#pragma once

#include <QAction>

namespace kelvane {

inline constexpr char kNeedsDocumentProperty[] = "needsDocument";

/// Declares that a command does nothing without a document window; returns the command.
inline QAction* needsDocument(QAction* command) {
    command->setProperty(kNeedsDocumentProperty, true);
    return command;
}

/// True for a command declared with needsDocument.
inline bool isDocumentCommand(const QAction* command) {
    return command->property(kNeedsDocumentProperty).toBool();
}

} // namespace kelvane
