// The setup window's keyboard rules: the focus cycle and what each key does.
#pragma once

namespace fastinst {

/// Focus indexes: the destination field and the three buttons (also their command identifiers).
enum FocusIndex { kFocusField = 0, kFocusOk = 1, kFocusCancel = 2, kFocusBrowse = 3 };

/// The next focus index: forward field, browse, OK, Cancel; backward the other way round.
int NextFocus(int index, bool backward);

/// What the keyboard hook does with one key event.
enum class KeyAction { None, SetShift, Command, MoveFocus, Close };

struct KeyDecision {
    KeyAction action = KeyAction::None;
    int command = 0;       ///< command identifier for KeyAction::Command
    bool backward = false; ///< direction for KeyAction::MoveFocus
    bool shift = false;    ///< new Shift state for KeyAction::SetShift
    bool swallow = false;  ///< the key does not reach the control
};

/// Decides a key event of the setup window: virtual key, pressed (or auto-repeat), Shift as
/// the keyboard holds it now and the focus index of the control that has the focus.
KeyDecision DecideKey(unsigned virtualKey, bool pressed, bool shiftDown, int focusIndex);

} // namespace fastinst
