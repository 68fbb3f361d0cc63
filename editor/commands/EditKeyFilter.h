// Sends the editor's own clipboard, undo and select-all keys of a document's text view to the
// Edit commands, so every copy carries rich text; keeps Ctrl+X for the File menu's Exit.
#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;

namespace kelvane {

class EditKeyFilter : public QObject {
public:
    enum class Command { Undo, Redo, Cut, Copy, Paste, SelectAll };

    explicit EditKeyFilter(QObject* parent) : QObject(parent) {}

    /// Runs the Edit command of a key.
    std::function<void(Command)> onCommand;

    /// The Edit command a key stands for, if any (Ctrl+X stands for none).
    static bool commandOf(const QKeyEvent& key, Command& command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kelvane
