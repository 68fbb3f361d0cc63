// The setup window's keyboard rules: the focus cycle and what each key does.
#include "Keyboard.h"

namespace fastinst {

namespace {
constexpr unsigned kKeyTab = 0x09;
constexpr unsigned kKeyEnter = 0x0D;
constexpr unsigned kKeyShift = 0x10;
constexpr unsigned kKeyEscape = 0x1B;
constexpr unsigned kKeyUp = 0x26;
constexpr unsigned kKeyDown = 0x28;
} // namespace

int NextFocus(int index, bool backward) {
    static constexpr int kForward[4] = {kFocusBrowse, kFocusCancel, kFocusField, kFocusOk};
    static constexpr int kBackward[4] = {kFocusCancel, kFocusBrowse, kFocusOk, kFocusField};
    if (index < 0 || index > 3) {
        return kFocusField;
    }
    return backward ? kBackward[index] : kForward[index];
}

KeyDecision DecideKey(unsigned virtualKey, bool pressed, bool shiftDown, int focusIndex) {
    KeyDecision d;
    if (virtualKey == kKeyShift) {
        d.action = KeyAction::SetShift;
        d.shift = pressed;
        return d;
    }
    if (!pressed) {
        return d;
    }
    switch (virtualKey) {
    case kKeyEnter:
        // Enter in the field means OK; on a button it runs that button.
        d.action = KeyAction::Command;
        d.command = focusIndex == kFocusField ? kFocusOk : focusIndex;
        d.swallow = true;
        break;
    case kKeyTab:
        d.action = KeyAction::MoveFocus;
        d.backward = shiftDown;
        d.swallow = true;
        break;
    case kKeyUp:
    case kKeyDown:
        d.action = KeyAction::MoveFocus;
        d.backward = virtualKey == kKeyUp;
        d.swallow = true;
        break;
    case kKeyEscape:
        d.action = KeyAction::Close;
        break;
    default:
        break;
    }
    return d;
}

} // namespace fastinst
