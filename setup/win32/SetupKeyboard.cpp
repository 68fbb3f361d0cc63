// Keyboard handling of the setup window through a thread keyboard hook, and the focus cycle.
#include "SetupUi.h"

#include "Keyboard.h"

namespace fastinst {

void MoveFocus(bool backward) {
    SetupUi& ui = Ui();
    ui.focusIndex = NextFocus(ui.focusIndex, backward);
    SetFocus(ui.focusIndex == kFocusField ? ui.field : ui.buttons[ui.focusIndex - 1]);
}

LRESULT CALLBACK SetupKeyboardHook(int code, WPARAM key, LPARAM flags) {
    SetupUi& ui = Ui();
    // Only keys taken from the queue count, and only while the setup window itself is active:
    // message boxes and the folder browser get their keys untouched.
    if (code != HC_ACTION || GetActiveWindow() != ui.window) {
        return CallNextHookEx(nullptr, code, key, flags);
    }
    const bool pressed = (static_cast<DWORD>(flags) & 0x80000000u) == 0;
    const KeyDecision decision =
        DecideKey(static_cast<unsigned>(key), pressed, ui.shiftDown, ui.focusIndex);
    switch (decision.action) {
    case KeyAction::SetShift:
        ui.shiftDown = decision.shift;
        break;
    case KeyAction::Command:
        // Posted, not sent: run synchronously inside the hook, the installation's first message
        // box would receive this very Enter and answer its own question.
        PostMessageA(ui.window, WM_COMMAND, MAKEWPARAM(decision.command, 0), 0);
        break;
    case KeyAction::MoveFocus:
        MoveFocus(decision.backward);
        break;
    case KeyAction::Close:
        SendMessageA(ui.window, WM_CLOSE, 0, 0);
        break;
    case KeyAction::None:
        break;
    }
    return decision.swallow ? 1 : CallNextHookEx(nullptr, code, key, flags);
}

} // namespace fastinst
