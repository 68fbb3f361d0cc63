// Telling a typed character from an editing key, for fields that accept only some characters.
#pragma once

class QKeyEvent;

namespace kelvane {

/// True when the key types printable text (without Ctrl or Alt held). Editing keys such as
/// Delete, Backspace, the arrows, Home and End, and shortcuts such as Ctrl+A or Ctrl+V, type
/// nothing, even where the window system gives them a control character as their text.
bool typesText(const QKeyEvent& event);

} // namespace kelvane
