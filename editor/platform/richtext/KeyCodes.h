// Key codes and shift states as the editor's key handlers know them.
#pragma once

#include <Qt>

namespace kelvane {

/// Key code of a key as the editor's handlers know it (13 Enter, 38 Up, 40 Down, 35 End, ...).
int vbKeyCode(int qtKey);
/// Shift state: 1 Shift, 2 Ctrl, 4 Alt, added together.
int vbShiftState(Qt::KeyboardModifiers modifiers);
/// Button number of a mouse button: 1 left, 2 right, 4 middle, 0 any other.
int vbButton(Qt::MouseButton button);

} // namespace kelvane
