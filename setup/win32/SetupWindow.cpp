// The setup window: class, popup window, controls and the window procedure's handlers.
#include "SetupUi.h"

#include "Keyboard.h"
#include "Resources.h"
#include "SetupTexts.h"

#include <dde.h>

namespace fastinst {

namespace {

constexpr int kButtonWidth = 102;
constexpr int kButtonHeight = 26;

HWND CreateButton(const char* text, int x, int y, int id) {
    SetupUi& ui = Ui();
    HWND button = CreateWindowExA(0, "Button", text, WS_CHILD, x, y, kButtonWidth, kButtonHeight,
                                  ui.window, nullptr, ui.instance, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 0);
    ShowWindow(button, SW_SHOW);
    SetWindowLongPtrA(button, GWLP_ID, id);
    return button;
}

void LoadDescription() {
    SetupUi& ui = Ui();
    const int number =
        ui.install.english ? FASTINST_DESCRIPTION_ENGLISH : FASTINST_DESCRIPTION_GERMAN;
    HRSRC found = FindResourceA(ui.instance, MAKEINTRESOURCEA(number), "Text");
    HGLOBAL loaded = found ? LoadResource(ui.instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data) {
        ui.description = static_cast<const char*>(data);
    }
}

void OnCreate(HWND window) {
    SetupUi& ui = Ui();
    ui.window = window;
    SetupCanvas& canvas = ui.canvas.emplace();
    canvas.windowDc.acquire(window);
    BuildBluePalette();
    canvas.memoryDc.reset(CreateCompatibleDC(canvas.windowDc.get()));
    canvas.memoryBitmap.reset(CreateCompatibleBitmap(canvas.windowDc.get(), ui.width, ui.height));
    canvas.bitmapSelection = ObjectSelection(canvas.memoryDc.get(), canvas.memoryBitmap.get());
}

void OnDestroy() {
    SetupUi& ui = Ui();
    ui.keyboardHook.reset();
    ui.canvas.reset();
    PostQuitMessage(0);
}

void OnSetFocus() {
    SetupUi& ui = Ui();
    ui.focusIndex = kFocusField;
    SetFocus(ui.field);
    if (!ui.paletteChanged || !ui.canvas) {
        return;
    }
    // Another program changed the system palette: make ours anew and realize it again.
    SetupCanvas& canvas = *ui.canvas;
    canvas.windowPalette.reset();
    canvas.memoryPalette.reset();
    canvas.palette.reset(
        CreatePalette(reinterpret_cast<const LOGPALETTE*>(canvas.paletteDescription.get())));
    canvas.windowPalette = PaletteSelection(canvas.windowDc.get(), canvas.palette.get());
    RealizePalette(canvas.windowDc.get());
    canvas.memoryPalette = PaletteSelection(canvas.memoryDc.get(), canvas.palette.get());
    RealizePalette(canvas.memoryDc.get());
}

void OnCommand(WPARAM wParam) {
    if (HIWORD(wParam) != 0) {
        return;
    }
    switch (LOWORD(wParam)) {
    case kFocusOk:
        RunInstallCommand();
        break;
    case kFocusCancel:
        SendMessageA(Ui().window, WM_CLOSE, 0, 0);
        break;
    case kFocusBrowse:
        RunBrowseCommand();
        break;
    default:
        break;
    }
}

} // namespace

SetupUi& Ui() {
    static SetupUi ui;
    return ui;
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SETFOCUS:
        OnSetFocus();
        break;
    case WM_PAINT:
        PaintSetupWindow();
        break;
    case WM_COMMAND:
        OnCommand(wParam);
        break;
    case WM_PALETTECHANGED:
        Ui().paletteChanged = true;
        break;
    case WM_DDE_ACK:
        OnDdeAck(reinterpret_cast<HWND>(wParam), lParam);
        break;
    case WM_CLOSE:
        // Closing in the middle of the installation would pull the window from under it:
        // remember the wish; the installation stops after the current file and closes.
        if (Ui().installing) {
            Ui().closeRequested = true;
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool CreateSetupUi(int showCommand) {
    SetupUi& ui = Ui();
    ui.width = GetSystemMetrics(SM_CXSCREEN);
    ui.height = GetSystemMetrics(SM_CYSCREEN);
    ui.cx = ui.width / 2 - 20;
    ui.cy = ui.height / 2 + 12;
    lstrcpynA(ui.pathBuffer, "C:\\", MAX_PATH);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = ui.instance;
    windowClass.hIcon = LoadIconA(ui.instance, MAKEINTRESOURCEA(FASTINST_ICON));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_POPUPWINDOW, 0, 0, ui.width,
                                  ui.height, nullptr, nullptr, ui.instance, nullptr);
    if (!window) {
        MessageBoxA(nullptr, SetupMessage(kErrorCaption, ui.install.english), "", MB_SYSTEMMODAL);
        return false;
    }
    ShowWindow(window, showCommand);
    LoadDescription();

    const int caption = GetSystemMetrics(SM_CYCAPTION);
    ui.field = CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Edit", kDefaultDestination,
                               WS_CHILD | ES_AUTOHSCROLL, ui.cx + 23, ui.cy + 20 + caption, 187, 17,
                               window, nullptr, ui.instance, nullptr);
    // The destination plus a file name must still fit a path buffer.
    SendMessageA(ui.field, EM_LIMITTEXT, 254, 0);
    ShowWindow(ui.field, SW_SHOW);
    SendMessageA(ui.field, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 0);
    SetFocus(ui.field);
    ui.focusIndex = kFocusField;

    const int buttonTop = ui.cy + 50 + caption;
    ui.buttons[0] =
        CreateButton(SetupMessage(kOkButton, ui.install.english), ui.cx + 23, buttonTop, kFocusOk);
    ui.buttons[1] = CreateButton(SetupMessage(kCancelButton, ui.install.english), ui.cx + 144,
                                 buttonTop, kFocusCancel);
    ui.buttons[2] = CreateButton("...", ui.cx + 265, buttonTop, kFocusBrowse);
    MoveWindow(ui.buttons[2], ui.cx + 211, ui.cy + 19 + caption, 35, 20, TRUE);

    ui.keyboardHook.reset(
        SetWindowsHookExA(WH_KEYBOARD, SetupKeyboardHook, nullptr, GetCurrentThreadId()));
    return true;
}

} // namespace fastinst
