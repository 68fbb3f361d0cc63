// Key routing of the Edit commands inside a document's text view.
#include "commands/EditKeyFilter.h"

#include <QKeyEvent>

namespace kelvane {

namespace {

bool isExitKey(const QKeyEvent& key) {
    return key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_X);
}

} // namespace

bool EditKeyFilter::commandOf(const QKeyEvent& key, Command& command) {
    if (isExitKey(key))
        return false;
    if (key.matches(QKeySequence::Undo))
        command = Command::Undo;
    else if (key.matches(QKeySequence::Redo))
        command = Command::Redo;
    else if (key.matches(QKeySequence::Cut))
        command = Command::Cut;
    else if (key.matches(QKeySequence::Copy))
        command = Command::Copy;
    else if (key.matches(QKeySequence::Paste))
        command = Command::Paste;
    else if (key.matches(QKeySequence::SelectAll))
        command = Command::SelectAll;
    else
        return false;
    return true;
}

bool EditKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (isExitKey(*key)) {
        // Not a cut here: left to the main window, where it is Exit.
        if (type == QEvent::ShortcutOverride)
            event->ignore();
        else
            event->accept();
        return true;
    }
    Command command = Command::Undo;
    if (!commandOf(*key, command))
        return QObject::eventFilter(watched, event);
    // Claiming the shortcut keeps the menu item from running it a second time; the command
    // runs once, when the key itself arrives.
    event->accept();
    if (type == QEvent::KeyPress && onCommand)
        onCommand(command);
    return true;
}

} // namespace kelvane
