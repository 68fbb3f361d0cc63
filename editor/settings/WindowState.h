// The main window's state between runs: its place on the screen, which bars and panes show, and
// how wide the side panes were dragged. Kept in the "Settings" section beside the editor
// preferences, one key per field of the table below.
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <variant>

namespace kelvane {

/// Design widths of the side panes (twips) before the user drags them.
inline constexpr qint32 kBrowserPaneWidth = 2265;
inline constexpr qint32 kClipPaneWidth = 2280;

struct WindowStateRecord {
    /// The window's place in twips. The size has no fixed default: the caller fills in the
    /// screen's size before reading, and a missing or unreadable key keeps it.
    float MainLeft = 0;
    float MainTop = 0;
    float MainWidth = 0;
    float MainHeight = 0;
    bool ToolBar = true;
    bool StatusBar = true;
    bool FileBrowser = true;
    bool ClipText = true;
    /// Pane widths in twips; a stored width that is not above 0 keeps the design width.
    qint32 FileBrowserWidth = kBrowserPaneWidth;
    qint32 ClipTextWidth = kClipPaneWidth;
};

/// One field of WindowStateRecord and its store key.
struct WindowStateField {
    using R = WindowStateRecord;
    const char* key;
    std::variant<float R::*, bool R::*, qint32 R::*> member;
    /// Part of the window's place, which is not written while the window is minimised.
    bool place;
};

/// Every field of WindowStateRecord.
extern const std::array<WindowStateField, 10> kWindowStateFields;

/// Reads every field from the store; a key that is missing or does not read keeps the value
/// the record holds.
void readWindowState(WindowStateRecord& state);
/// Writes the fields to the store; the place only when `withPlace`.
void saveWindowState(const WindowStateRecord& state, bool withPlace);

} // namespace kelvane
