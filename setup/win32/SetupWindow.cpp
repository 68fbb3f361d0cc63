// The setup window: class, popup window, controls and the window procedure's handlers.
#include "SetupUi.h"

#include "Dpi.h"
#include "Guard.h"
#include "Keyboard.h"
#include "Resources.h"
#include "SetupTexts.h"
#include "Wide.h"

#include <dde.h>

#include <string_view>
#include <utility>

namespace fastinst {

namespace {

constexpr int kButtonWidth = 102;
constexpr int kButtonHeight = 26;

HWND CreateButton(const std::u16string& text, int x, int y, int id) {
    SetupUi& ui = Ui();
    HWND button =
        CreateWindowExW(0, L"Button", Wide(text), WS_CHILD, x, y, ui.Scale(kButtonWidth),
                        ui.Scale(kButtonHeight), ui.window, nullptr, ui.instance, nullptr);
    if (!button) {
        return nullptr;
    }
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), 0);
    ShowWindow(button, SW_SHOW);
    SetWindowLongPtrW(button, GWLP_ID, id);
    return button;
}

void LoadDescription() {
    SetupUi& ui = Ui();
    const int number =
        ui.install.english ? FASTINST_DESCRIPTION_ENGLISH : FASTINST_DESCRIPTION_GERMAN;
    HRSRC found = FindResourceW(ui.instance, MAKEINTRESOURCEW(number), L"Text");
    HGLOBAL loaded = found ? LoadResource(ui.instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return;
    }
    // Windows-1252 up to its zero byte, and never past the resource's end.
    const std::string_view bytes(static_cast<const char*>(data),
                                 SizeofResource(ui.instance, found));
    ui.description = FromWindows1252(bytes.substr(0, bytes.find('\0')));
}

/// The stock variable-pitch font at the window's dots per inch.
void ScaleControlFont() {
    SetupUi& ui = Ui();
    if (ui.dpi == 96) {
        return; // the stock font itself, as at 96 dpi it is the layout's font
    }
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(ANSI_VAR_FONT), sizeof font, &font)) {
        font.lfHeight = ui.Scale(font.lfHeight);
        font.lfWidth = ui.Scale(font.lfWidth);
        ui.controlFont.reset(CreateFontIndirectW(&font));
    }
}

bool OnCreate(HWND window) {
    SetupUi& ui = Ui();
    ui.window = window;
    SetupCanvas& canvas = ui.canvas.emplace();
    canvas.windowDc.acquire(window);
    if (!canvas.windowDc.get()) {
        return false;
    }
    BuildBluePalette();
    canvas.memoryDc.reset(CreateCompatibleDC(canvas.windowDc.get()));
    canvas.memoryBitmap.reset(CreateCompatibleBitmap(canvas.windowDc.get(), ui.width, ui.height));
    if (!canvas.palette || !canvas.memoryDc || !canvas.memoryBitmap) {
        return false;
    }
    canvas.bitmapSelection = ObjectSelection(canvas.memoryDc.get(), canvas.memoryBitmap.get());
    // The picture is drawn in the memory bitmap with the palette's colours.
    canvas.memoryPalette = PaletteSelection(canvas.memoryDc.get(), canvas.palette.get());
    RealizePalette(canvas.memoryDc.get());
    return true;
}

void OnDestroy() {
    SetupUi& ui = Ui();
    ui.keyboardHook.reset();
    ui.canvas.reset();
    ui.pendingCommands.reset(); // commands nobody acknowledged
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
    if (!canvas.palette) {
        return;
    }
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
        SendMessageW(Ui().window, WM_CLOSE, 0, 0);
        break;
    case kFocusBrowse:
        RunBrowseCommand();
        break;
    default:
        break;
    }
}

void OnDpiChanged(int dpi);

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!OnCreate(window)) {
            return -1; // nothing to draw on: the window is not created
        }
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
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam));
        return 0;
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
    return DefWindowProcW(window, message, wParam, lParam);
}

/// The screen size, the panel origin and the control font for the window's dots per inch.
void LayOut(int dpi) {
    SetupUi& ui = Ui();
    // Sizes in pixels of the primary screen, at its own dots per inch.
    ui.width = GetSystemMetrics(SM_CXSCREEN);
    ui.height = GetSystemMetrics(SM_CYSCREEN);
    ui.dpi = dpi;
    ui.cx = ui.width / 2 - ui.Scale(20);
    ui.cy = ui.height / 2 + ui.Scale(12);
    ui.controlFont.reset();
    ScaleControlFont();
}

/// Moves the field and the buttons to their places on the panel and gives them the font.
void PlaceControls() {
    SetupUi& ui = Ui();
    const int caption = SystemMetricForDpi(SM_CYCAPTION, ui.dpi);
    const int buttonTop = ui.cy + ui.Scale(50) + caption;
    MoveWindow(ui.field, ui.cx + ui.Scale(23), ui.cy + ui.Scale(20) + caption, ui.Scale(187),
               ui.Scale(17), TRUE);
    MoveWindow(ui.buttons[0], ui.cx + ui.Scale(23), buttonTop, ui.Scale(kButtonWidth),
               ui.Scale(kButtonHeight), TRUE);
    MoveWindow(ui.buttons[1], ui.cx + ui.Scale(144), buttonTop, ui.Scale(kButtonWidth),
               ui.Scale(kButtonHeight), TRUE);
    MoveWindow(ui.buttons[2], ui.cx + ui.Scale(211), ui.cy + ui.Scale(19) + caption, ui.Scale(35),
               ui.Scale(20), TRUE);
    SendMessageW(ui.field, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), TRUE);
    for (HWND button : ui.buttons) {
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), TRUE);
    }
}

/// The scale of the screen changed while the setup ran: lay the window out and draw the
/// picture anew for the new dots per inch.
void OnDpiChanged(int dpi) {
    SetupUi& ui = Ui();
    if (!ui.canvas || dpi <= 0 || dpi == ui.dpi) {
        return;
    }
    // The controls keep the old font until they have the new one.
    const UniqueFont oldFont = std::move(ui.controlFont);
    LayOut(dpi);
    SetWindowPos(ui.window, nullptr, 0, 0, ui.width, ui.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetupCanvas& canvas = *ui.canvas;
    UniqueBitmap bitmap(CreateCompatibleBitmap(canvas.windowDc.get(), ui.width, ui.height));
    if (bitmap) {
        canvas.bitmapSelection.reset();
        canvas.memoryBitmap = std::move(bitmap);
        canvas.bitmapSelection = ObjectSelection(canvas.memoryDc.get(), canvas.memoryBitmap.get());
    }
    PlaceControls();
    ui.fullRepaint = true;
    InvalidateRect(ui.window, nullptr, FALSE);
}

/// Creates the destination field and the three buttons; false when one could not be created.
bool CreateControls() {
    SetupUi& ui = Ui();
    const int caption = SystemMetricForDpi(SM_CYCAPTION, ui.dpi);
    ui.field = CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"Edit", Wide(kDefaultDestination),
                               WS_CHILD | ES_AUTOHSCROLL, ui.cx + ui.Scale(23),
                               ui.cy + ui.Scale(20) + caption, ui.Scale(187), ui.Scale(17),
                               ui.window, nullptr, ui.instance, nullptr);
    if (!ui.field) {
        return false;
    }
    // What can be typed; a longer text set by the browser is read whole and refused.
    SendMessageW(ui.field, EM_LIMITTEXT, 254, 0);
    ShowWindow(ui.field, SW_SHOW);
    SendMessageW(ui.field, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), 0);
    SetFocus(ui.field);
    ui.focusIndex = kFocusField;

    const bool english = ui.install.english;
    const int buttonTop = ui.cy + ui.Scale(50) + caption;
    ui.buttons[0] =
        CreateButton(SetupMessage(kOkButton, english), ui.cx + ui.Scale(23), buttonTop, kFocusOk);
    ui.buttons[1] = CreateButton(SetupMessage(kCancelButton, english), ui.cx + ui.Scale(144),
                                 buttonTop, kFocusCancel);
    ui.buttons[2] = CreateButton(u"...", ui.cx + ui.Scale(265), buttonTop, kFocusBrowse);
    if (!ui.buttons[0] || !ui.buttons[1] || !ui.buttons[2]) {
        return false;
    }
    MoveWindow(ui.buttons[2], ui.cx + ui.Scale(211), ui.cy + ui.Scale(19) + caption, ui.Scale(35),
               ui.Scale(20), TRUE);
    return true;
}

} // namespace

SetupUi& Ui() {
    static SetupUi ui;
    return ui;
}

HFONT ControlFont() {
    const SetupUi& ui = Ui();
    return ui.controlFont ? ui.controlFont.get()
                          : static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

void ShowStartFailure() {
    const SetupUi& ui = Ui();
    MessageBoxW(nullptr, Wide(SetupMessage(kErrorCaption, ui.install.english)), L"",
                MB_SYSTEMMODAL);
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback([&] { return HandleMessage(window, message, wParam, lParam); },
                         LRESULT{0});
}

bool CreateSetupUi(int showCommand) {
    SetupUi& ui = Ui();
    LayOut(DpiOfWindow(nullptr));
    ui.pathBuffer = u"C:\\";

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = ui.instance;
    windowClass.hIcon = LoadIconW(ui.instance, MAKEINTRESOURCEW(FASTINST_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = Wide(kWindowClass);
    // The controls are left out of the window's drawing, so a repaint never flickers them.
    HWND window = nullptr;
    if (RegisterClassW(&windowClass)) {
        window = CreateWindowExW(0, Wide(kWindowClass), Wide(kWindowTitle),
                                 WS_POPUPWINDOW | WS_CLIPCHILDREN, 0, 0, ui.width, ui.height,
                                 nullptr, nullptr, ui.instance, nullptr);
    }
    if (!window) {
        ShowStartFailure();
        return false;
    }
    const int dpi = DpiOfWindow(window);
    if (dpi != ui.dpi) {
        LayOut(dpi); // the window's monitor has its own dots per inch
    }
    ShowWindow(window, showCommand);
    LoadDescription();
    if (!CreateControls()) {
        ShowStartFailure();
        DestroyWindow(window);
        return false;
    }
    ui.keyboardHook.reset(
        SetWindowsHookExW(WH_KEYBOARD, SetupKeyboardHook, nullptr, GetCurrentThreadId()));
    if (!ui.keyboardHook) {
        ShowStartFailure(); // without the hook Enter, Tab and Esc would do nothing
        DestroyWindow(window);
        return false;
    }
    return true;
}

} // namespace fastinst
