// The one setup window's state and the functions that make up the Win32 program.
#pragma once

#include "DdeConversation.h"
#include "GroupWindowGuard.h"
#include "Handles.h"
#include "InstallFlow.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace fastinst {

/// What the setup window draws with. The members are released in reverse order: first the
/// selections give the device contexts their previous objects back, then the palette and the
/// bitmap are deleted, then the device contexts go.
struct SetupCanvas {
    WindowDc windowDc; ///< the whole-window device context, used for all drawing
    UniqueMemoryDc memoryDc;
    UniqueBitmap memoryBitmap;                           ///< the finished picture
    std::unique_ptr<unsigned char[]> paletteDescription; ///< a LOGPALETTE of 222 entries
    UniquePalette palette;
    ObjectSelection bitmapSelection;
    PaletteSelection windowPalette;
    PaletteSelection memoryPalette;
};

/// Everything the setup program keeps for its single run.
struct SetupUi {
    InstallSettings install; ///< language, source folder, uninstaller state

    int width = 0; ///< primary screen size
    int height = 0;
    int cx = 0; ///< panel origin
    int cy = 0;
    int dpi = 96; ///< the layout's lengths are for 96 dpi and scaled to this

    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HWND field = nullptr;
    HWND buttons[3] = {}; ///< OK, Cancel, browse (identifiers 1 to 3)

    std::optional<SetupCanvas> canvas; ///< from the window's creation to its destruction

    std::u16string description;          ///< the product description, converted once
    std::u16string pathBuffer = u"C:\\"; ///< the folder browser's selection
    std::u16string browseTitle;          ///< the folder browser's title line
    UniqueFont controlFont;              ///< the controls' font scaled to `dpi`; none at 96 dpi

    bool fullRepaint = true;
    bool paletteChanged = false;
    int focusIndex = 0;
    UniqueHook keyboardHook;

    DdeConversation dde;
    UniqueGlobal pendingCommands; ///< posted DDE commands until they are acknowledged
    GroupWindowGuard groupWindow; ///< the Program Manager may be opening its group window
    bool installing = false;      ///< InstallProduct is running
    bool closeRequested = false;  ///< the user closed the window while it ran
    bool failed = false;          ///< something went wrong that the setup cannot go on from

    /// A length of the 96-dpi layout on this screen.
    int Scale(int length) const { return MulDiv(length, dpi, 96); }
};

/// The program's one state record.
SetupUi& Ui();

/// The font of the controls and the panel's texts: the stock variable-pitch font, scaled.
HFONT ControlFont();
/// Shows the box of a failed start-up: "Fehler" or "Error", no caption, system-modal.
void ShowStartFailure();
/// Builds the window, its controls and the keyboard hook; false when the window failed.
bool CreateSetupUi(int showCommand);
/// The setup window's procedure.
LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
/// Creates the blue palette and selects and realizes it in the window's device context.
void BuildBluePalette();
/// Draws the picture once and afterwards repaints from the memory bitmap.
void PaintSetupWindow();
/// The thread keyboard hook: Enter, Tab, arrows and Esc of the setup window.
LRESULT CALLBACK SetupKeyboardHook(int code, WPARAM key, LPARAM flags);
/// Moves the keyboard focus one step along the focus cycle.
void MoveFocus(bool backward);
/// The browse command: asks for a parent folder and puts the destination into the field.
void RunBrowseCommand();
/// Shows the folder browser; true when `pathBuffer` holds the chosen folder.
bool BrowseForParentFolder();
/// Runs the installation unless one is already running.
void RunInstallCommand();
/// Dispatches the thread's messages for the given time.
void PumpMessagesFor(int milliseconds);

/// Program Manager conversation over raw DDE messages.
bool ProgmanInitiate();
bool ProgmanExecute(const std::u16string& programPath);
void ProgmanTerminate();
void OnDdeAck(HWND server, LPARAM parameter);

} // namespace fastinst
