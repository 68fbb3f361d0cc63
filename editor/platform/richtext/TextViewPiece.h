// What the files of the text view share: the room kept beside the text.
#pragma once

namespace kelvane {

/// Room kept right of the widest line and left of the text.
inline constexpr int kCaretRoom = 4;

} // namespace kelvane
