// The default keys of the text view and how a key event finds its action.
#include "platform/richtext/KeyActions.h"

#include <QKeyEvent>

namespace kelvane {

bool movesCaret(KeyAction action) {
    switch (action) {
    case KeyAction::CharLeft:
    case KeyAction::CharRight:
    case KeyAction::WordLeft:
    case KeyAction::WordRight:
    case KeyAction::RowUp:
    case KeyAction::RowDown:
    case KeyAction::PageUp:
    case KeyAction::PageDown:
    case KeyAction::RowHome:
    case KeyAction::RowEnd:
    case KeyAction::TextHome:
    case KeyAction::TextEnd:
        return true;
    default:
        return false;
    }
}

bool editsText(KeyAction action) {
    switch (action) {
    case KeyAction::DeleteBack:
    case KeyAction::DeleteWordBack:
    case KeyAction::DeleteForward:
    case KeyAction::DeleteWordForward:
    case KeyAction::NewLine:
    case KeyAction::Tab:
    case KeyAction::Undo:
    case KeyAction::Redo:
    case KeyAction::Cut:
    case KeyAction::Paste:
        return true;
    default:
        return false;
    }
}

KeyTable::KeyTable() {
    struct Entry {
        Qt::Key key;
        KeyAction plain;
        KeyAction control;
    };
    // Ctrl moves by words where it means something and is the same key elsewhere.
    const Entry entries[] = {
        {Qt::Key_Left, KeyAction::CharLeft, KeyAction::WordLeft},
        {Qt::Key_Right, KeyAction::CharRight, KeyAction::WordRight},
        {Qt::Key_Up, KeyAction::RowUp, KeyAction::RowUp},
        {Qt::Key_Down, KeyAction::RowDown, KeyAction::RowDown},
        {Qt::Key_PageUp, KeyAction::PageUp, KeyAction::PageUp},
        {Qt::Key_PageDown, KeyAction::PageDown, KeyAction::PageDown},
        {Qt::Key_Home, KeyAction::RowHome, KeyAction::TextHome},
        {Qt::Key_End, KeyAction::RowEnd, KeyAction::TextEnd},
        {Qt::Key_Backspace, KeyAction::DeleteBack, KeyAction::DeleteWordBack},
        {Qt::Key_Delete, KeyAction::DeleteForward, KeyAction::DeleteWordForward},
        {Qt::Key_Return, KeyAction::NewLine, KeyAction::NewLine},
        {Qt::Key_Enter, KeyAction::NewLine, KeyAction::NewLine},
        {Qt::Key_Tab, KeyAction::Tab, KeyAction::None}, // Ctrl+Tab belongs to the window
    };
    for (const Entry& entry : entries) {
        bind(QKeyCombination(entry.key), entry.plain);
        bind(QKeyCombination(Qt::ControlModifier, entry.key), entry.control);
    }
    bindStandard(QKeySequence::Undo, KeyAction::Undo);
    bindStandard(QKeySequence::Redo, KeyAction::Redo);
    bindStandard(QKeySequence::Cut, KeyAction::Cut);
    bindStandard(QKeySequence::Copy, KeyAction::Copy);
    bindStandard(QKeySequence::Paste, KeyAction::Paste);
    bindStandard(QKeySequence::SelectAll, KeyAction::SelectAll);
}

void KeyTable::bindStandard(QKeySequence::StandardKey key, KeyAction action) {
    for (const QKeySequence& sequence : QKeySequence::keyBindings(key)) {
        if (sequence.count() == 1)
            bind(sequence[0], action);
    }
}

void KeyTable::bind(QKeyCombination key, KeyAction action) {
    if (action == KeyAction::None)
        unbind(key);
    else
        keys_[key.toCombined()] = action;
}

void KeyTable::unbind(QKeyCombination key) {
    keys_.erase(key.toCombined());
}

KeyAction KeyTable::actionOf(QKeyCombination key) const {
    const Qt::KeyboardModifiers modifiers =
        key.keyboardModifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    // Whole matches first: the platform's Shift+Delete cuts, Shift+Insert pastes.
    if (const auto found = keys_.find(QKeyCombination(modifiers, key.key()).toCombined());
        found != keys_.end())
        return found->second;
    if (modifiers & Qt::AltModifier)
        return KeyAction::None; // Alt+End spans, Alt+Backspace undoes: the window's keys
    const auto found =
        keys_.find(QKeyCombination(modifiers & Qt::ControlModifier, key.key()).toCombined());
    if (found == keys_.end())
        return KeyAction::None;
    // Shift and Meta do not make another caret or editing key; they make no other command.
    switch (found->second) {
    case KeyAction::Undo:
    case KeyAction::Redo:
    case KeyAction::Cut:
    case KeyAction::Copy:
    case KeyAction::Paste:
    case KeyAction::SelectAll:
        return KeyAction::None;
    default:
        return found->second;
    }
}

KeyAction KeyTable::actionOf(const QKeyEvent& event) const {
    return actionOf(event.keyCombination());
}

} // namespace kelvane
