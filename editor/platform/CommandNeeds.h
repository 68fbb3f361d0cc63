// What a command needs before it can act. A command that works on the active document says so
// in its declaration (CommandInfo::needsDocument); the main window then enables it, in the
// menus and on the toolbar alike (they show the same action), only while a document window is
// open.
#pragma once

#include <QAction>

namespace kelvane {

inline constexpr char kNeedsDocumentProperty[] = "needsDocument";

/// True for a command declared as needing a document.
inline bool isDocumentCommand(const QAction* command) {
    return command->property(kNeedsDocumentProperty).toBool();
}

} // namespace kelvane
