// Keyboard handling of the setup window through a thread keyboard hook, and the focus cycle.
#include "SetupUi.h"

#include "Guard.h"
#include "Keyboard.h"

namespace fastinst {

namespace {

/// The focus index of the control that has the keyboard focus: a click moves the focus without
/// the keyboard, so the index is read from the window system, not remembered.
int FocusedControl() {
    const SetupUi& ui = Ui();
    HWND focus = GetFocus();
    for (int i = 0; i < 3; ++i) {
        if (focus == ui.buttons[i]) {
            return i + 1;
        }
    }
    return kFocusField; // the field, or the window itself, which hands its focus to the field
}

/// Shift as the keyboard has it now: a release that happened while a message box had the keys
/// is not missed.
bool ShiftHeld() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

LRESULT HandleKey(WPARAM key, LPARAM flags) {
    SetupUi& ui = Ui();
    const bool pressed = (static_cast<DWORD>(flags) & 0x80000000u) == 0;
    ui.focusIndex = FocusedControl();
    const KeyDecision decision =
        DecideKey(static_cast<unsigned>(key), pressed, ShiftHeld(), ui.focusIndex);
    switch (decision.action) {
    case KeyAction::Command:
        // Posted, not sent: run synchronously inside the hook, the installation's first message
        // box would receive this very Enter and answer its own question.
        PostMessageW(ui.window, WM_COMMAND, MAKEWPARAM(decision.command, 0), 0);
        break;
    case KeyAction::MoveFocus:
        MoveFocus(decision.backward);
        break;
    case KeyAction::Close:
        SendMessageW(ui.window, WM_CLOSE, 0, 0);
        break;
    case KeyAction::SetShift: // read from the keyboard state when Tab comes
    case KeyAction::None:
        break;
    }
    return decision.swallow ? 1 : 0;
}

} // namespace

void MoveFocus(bool backward) {
    SetupUi& ui = Ui();
    ui.focusIndex = NextFocus(FocusedControl(), backward);
    SetFocus(ui.focusIndex == kFocusField ? ui.field : ui.buttons[ui.focusIndex - 1]);
}

LRESULT CALLBACK SetupKeyboardHook(int code, WPARAM key, LPARAM flags) {
    // Only keys taken from the queue count, and only while the setup window itself is active:
    // message boxes and the folder browser get their keys untouched.
    if (code == HC_ACTION && GetActiveWindow() == Ui().window) {
        const LRESULT swallow = GuardCallback([&] { return HandleKey(key, flags); }, LRESULT{0});
        if (swallow) {
            return swallow;
        }
    }
    return CallNextHookEx(nullptr, code, key, flags);
}

} // namespace fastinst
