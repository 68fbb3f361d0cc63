// The text view's keys as a table: which action each key runs. The view reads every key through
// it; a window that owns some actions (the Edit commands) attaches its own command to them, and
// a key the window keeps for itself is taken out of the table.
#pragma once

#include <QKeySequence>

#include <unordered_map>

class QKeyEvent;

namespace kelvane {

enum class KeyAction {
    None,
    CharLeft,
    CharRight,
    WordLeft,
    WordRight,
    RowUp,
    RowDown,
    PageUp,
    PageDown,
    RowHome,
    RowEnd,
    TextHome,
    TextEnd,
    DeleteBack,
    DeleteWordBack,
    DeleteForward,
    DeleteWordForward,
    NewLine,
    Tab,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    SelectAll,
};

/// Whether an action moves the caret (Shift then extends the selection).
bool movesCaret(KeyAction action);
/// Whether an action changes the text (a read-only view refuses it).
bool editsText(KeyAction action);

class KeyTable {
public:
    /// The standard keys: caret movement and editing, and the platform's own keys for undo,
    /// redo and the clipboard.
    KeyTable();

    /// The action of a key. The platform's keys for undo and the clipboard are matched whole;
    /// the caret and editing keys by the key and Ctrl, Shift extending the selection and the
    /// keypad modifier ignored. Alt with any of them is left to the window.
    KeyAction actionOf(const QKeyEvent& event) const;
    KeyAction actionOf(QKeyCombination key) const;

    void bind(QKeyCombination key, KeyAction action);
    /// Leaves a key to the window: the view no longer acts on it.
    void unbind(QKeyCombination key);

private:
    void bindStandard(QKeySequence::StandardKey key, KeyAction action);

    std::unordered_map<int, KeyAction> keys_; ///< by QKeyCombination::toCombined()
};

} // namespace kelvane
