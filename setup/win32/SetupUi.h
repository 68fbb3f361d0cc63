// The one setup window's state and the functions that make up the Win32 program.
#pragma once

#include "DdeConversation.h"
#include "GroupWindowGuard.h"
#include "Handles.h"
#include "InstallFlow.h"

#include <windows.h>

#include <memory>
#include <optional>

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

    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HWND field = nullptr;
    HWND buttons[3] = {}; ///< OK, Cancel, browse (identifiers 1 to 3)

    std::optional<SetupCanvas> canvas; ///< from the window's creation to its destruction

    const char* description = ""; ///< the product description resource
    char pathBuffer[MAX_PATH] = "C:\\";
    char browseTitle[MAX_PATH] = "";

    bool fullRepaint = true;
    bool paletteChanged = false;
    int focusIndex = 0;
    bool shiftDown = false;
    UniqueHook keyboardHook;

    DdeConversation dde;
    GroupWindowGuard groupWindow; ///< the Program Manager may be opening its group window
    bool installing = false;      ///< InstallProduct is running
    bool closeRequested = false;  ///< the user closed the window while it ran
};

/// The program's one state record.
SetupUi& Ui();

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
bool ProgmanExecute(const std::string& programPath);
void ProgmanTerminate();
void OnDdeAck(HWND server, LPARAM parameter);

} // namespace fastinst
