// Drives a running Fastinst.exe for the end-to-end tests: each argument group is one step
// (answer a message box, type into the field, click, press a key, wait for the window to go)
// and every observation is printed as one UTF-8 line for the test script to compare.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 90000; // generous: Wine is slow on a busy machine

[[noreturn]] void Fail(const std::string& what) {
    std::printf("FAIL %s\n", what.c_str());
    std::fflush(stdout);
    std::exit(2);
}

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string Utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        // Line breaks are shown escaped so that one observation stays one line.
        if (c == L'\r') {
            out += "\\r";
            continue;
        }
        if (c == L'\n') {
            out += "\\n";
            continue;
        }
        char bytes[8];
        const int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
        out.append(bytes, static_cast<std::size_t>(n));
    }
    return out;
}

// Asked with WM_GETTEXT: for another process's edit control GetWindowText sees no text.
std::wstring WindowText(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &copied);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

template <typename Find> HWND WaitFor(const std::string& what, Find find) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        if (HWND found = find()) {
            return found;
        }
        Sleep(50);
    }
    Fail("timeout waiting for " + what);
}

void WaitGone(HWND window, const std::string& what) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > kTimeoutMs) {
            Fail("timeout waiting for " + what + " to close");
        }
        Sleep(50);
    }
}

HWND SetupWindow() {
    return FindWindowW(L"Setup", nullptr);
}

// Returns once the window's thread is back in a message loop: a sent message is answered only
// there, so all that thread was doing (a message taken before this one) is done.
void WaitLoopReached(HWND window) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
}

bool AwaitsPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return true;
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (AwaitsPaint(child)) {
            return true;
        }
    }
    return false;
}

// Waits until no part of the window or of its controls still awaits a paint.
void WaitPainted(HWND window) {
    WaitFor("the setup window's paint",
            [window] { return AwaitsPaint(window) ? nullptr : window; });
    WaitLoopReached(window);
}

struct DialogSearch {
    bool wantBrowser;
    HWND found = nullptr;
};

bool HasChildOfClass(HWND parent, const wchar_t* className) {
    return FindWindowExW(parent, nullptr, className, nullptr) != nullptr;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    if (!IsWindowVisible(window) || ClassOf(window) != L"#32770") {
        return TRUE;
    }
    // The folder browser holds a tree view; a message box does not.
    HWND inner = FindWindowExW(window, nullptr, nullptr, nullptr);
    bool browser = HasChildOfClass(window, L"SysTreeView32");
    for (; inner && !browser; inner = FindWindowExW(window, inner, nullptr, nullptr)) {
        browser = HasChildOfClass(inner, L"SysTreeView32");
    }
    if (browser == search->wantBrowser) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountDialog(HWND window, LPARAM data) {
    if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
        ++*reinterpret_cast<int*>(data);
    }
    return TRUE;
}

// Visible dialogs of any kind: message boxes and folder browsers.
int CountDialogs() {
    int count = 0;
    EnumWindows(CountDialog, reinterpret_cast<LPARAM>(&count));
    return count;
}

HWND FindTopDialog(bool browser) {
    DialogSearch search{browser};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The longest static text of a dialog: the message of a message box, the title of the browser.
std::wstring DialogMessage(HWND dialog) {
    std::wstring best;
    for (HWND child = FindWindowExW(dialog, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(dialog, child, L"Static", nullptr)) {
        const std::wstring text = WindowText(child);
        if (text.size() > best.size()) {
            best = text;
        }
    }
    return best;
}

int ButtonId(const std::string& name) {
    static const std::pair<const char*, int> kIds[] = {
        {"ok", IDOK},         {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY},
        {"ignore", IDIGNORE}, {"yes", IDYES},       {"no", IDNO}};
    for (const auto& [label, id] : kIds) {
        if (name == label) {
            return id;
        }
    }
    Fail("unknown button " + name);
}

void PressDialogButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        Fail("the dialog has no button " + std::to_string(id));
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void AnswerBox(const std::string& button) {
    HWND box = WaitFor("a message box", [] { return FindTopDialog(false); });
    // A box just found may not have its text yet.
    WaitFor("the message box's text", [box] { return DialogMessage(box).empty() ? nullptr : box; });
    Print("BOX " + Utf8(WindowText(box)) + "|" + Utf8(DialogMessage(box)));
    PressDialogButton(box, ButtonId(button));
    WaitGone(box, "the message box");
}

void AnswerBrowser(const std::string& button) {
    HWND browser = WaitFor("the folder browser", [] { return FindTopDialog(true); });
    WaitLoopReached(browser); // the browser has selected its start folder as it opened
    Print("BROWSER " + Utf8(WindowText(browser)) + "|" + Utf8(DialogMessage(browser)));
    PressDialogButton(browser, ButtonId(button));
    WaitGone(browser, "the folder browser");
}

HWND SetupField() {
    HWND field = FindWindowExW(SetupWindow(), nullptr, L"Edit", nullptr);
    if (!field) {
        Fail("no destination field");
    }
    return field;
}

std::wstring FromUtf8(const std::string& text) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

HWND SetupButton(int id) {
    HWND button = GetDlgItem(SetupWindow(), id);
    if (!button) {
        Fail("no button " + std::to_string(id));
    }
    return button;
}

DWORD SetupThread() {
    return GetWindowThreadProcessId(SetupWindow(), nullptr);
}

HWND FocusedWindow() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(SetupThread(), &info);
    return info.hwndFocus;
}

void PrintFocus() {
    HWND focus = FocusedWindow();
    int index = -1;
    if (focus == SetupField()) {
        index = 0;
    } else if (focus && GetParent(focus) == SetupWindow()) {
        index = GetDlgCtrlID(focus);
    }
    Print("FOCUS " + std::to_string(index));
}

// Waits until the setup's thread has taken and dealt with all input queued for it so far: a
// queue hands out a window's paint only when it holds no other message, so once a corner
// invalidated now is painted again, every key and click before it has been dispatched.
void WaitInputTaken() {
    if (HWND setup = SetupWindow()) {
        const RECT corner{0, 0, 1, 1};
        InvalidateRect(setup, &corner, FALSE);
    }
    // Input that closes the setup is taken once its window is gone.
    WaitFor("the setup to take the input", [] {
        HWND setup = SetupWindow();
        return !setup || !GetUpdateRect(setup, nullptr, FALSE) ? GetDesktopWindow() : nullptr;
    });
}

// A click into the field, as the mouse gives it: the focus moves without the keyboard.
void ClickField() {
    HWND field = SetupField();
    PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    WaitInputTaken();
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses or releases Shift on its own, in whatever window is active.
void SendShift(bool up) {
    INPUT input = KeyInput(VK_SHIFT, up);
    SendInput(1, &input, sizeof(INPUT));
    WaitInputTaken();
}

// Every control of the setup window: class and text, as GetWindowTextW reads them.
BOOL CALLBACK PrintControl(HWND window, LPARAM) {
    Print("CONTROL " + Utf8(ClassOf(window)) + " " + Utf8(WindowText(window)));
    return TRUE;
}

void SendKey(const std::string& name) {
    WORD key = 0;
    bool shift = false;
    if (name == "enter") {
        key = VK_RETURN;
    } else if (name == "tab") {
        key = VK_TAB;
    } else if (name == "shift+tab") {
        key = VK_TAB;
        shift = true;
    } else if (name == "up") {
        key = VK_UP;
    } else if (name == "down") {
        key = VK_DOWN;
    } else if (name == "esc") {
        key = VK_ESCAPE;
    } else {
        Fail("unknown key " + name);
    }
    HWND setup = SetupWindow();
    HWND focus = FocusedWindow();
    const DWORD thread = SetupThread();
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetForegroundWindow(setup);
    SetFocus(focus ? focus : SetupField());
    std::vector<INPUT> inputs;
    if (shift) {
        inputs.push_back(KeyInput(VK_SHIFT, false));
    }
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    if (shift) {
        inputs.push_back(KeyInput(VK_SHIFT, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    WaitInputTaken();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Utf8(argv[i]));
    }
    auto next = [&](std::size_t& i) -> std::string {
        if (i + 1 >= args.size()) {
            Fail("missing argument after " + args[i]);
        }
        return args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& step = args[i];
        if (step == "box") {
            AnswerBox(next(i));
        } else if (step == "waitbox") {
            WaitFor("a message box", [] { return FindTopDialog(false); });
        } else if (step == "dialogs") {
            Print("DIALOGS " + std::to_string(CountDialogs()));
        } else if (step == "browser") {
            AnswerBrowser(next(i));
        } else if (step == "window") {
            HWND setup = WaitFor("the setup window", [] {
                HWND w = SetupWindow();
                return w && IsWindowVisible(w) ? w : nullptr;
            });
            RECT rect;
            GetWindowRect(setup, &rect);
            WaitPainted(setup); // the picture is drawn on the first paint
            Print("WINDOW " + Utf8(WindowText(setup)) + " " +
                  std::to_string(rect.right - rect.left) + "x" +
                  std::to_string(rect.bottom - rect.top));
        } else if (step == "settext") {
            const std::wstring text = FromUtf8(next(i));
            SendMessageW(SetupField(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        } else if (step == "gettext") {
            Print("TEXT " + Utf8(WindowText(SetupField())));
        } else if (step == "buttons") {
            std::string line = "BUTTONS";
            for (int id = 1; id <= 3; ++id) {
                line += " " + Utf8(WindowText(SetupButton(id)));
            }
            Print(line);
        } else if (step == "click") {
            PostMessageW(SetupButton(std::atoi(next(i).c_str())), BM_CLICK, 0, 0);
        } else if (step == "waitfile") {
            const std::wstring path = FromUtf8(next(i));
            WaitFor("the file " + Utf8(path), [&path]() -> HWND {
                return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? SetupWindow()
                                                                                   : nullptr;
            });
        } else if (step == "dpichanged") {
            // What Windows sends when the screen's scale changes; Wine never changes it itself.
            const int dpi = std::atoi(next(i).c_str());
            RECT suggested{0, 0, 0, 0};
            DWORD_PTR result = 0;
            SendMessageTimeoutW(SetupWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                reinterpret_cast<LPARAM>(&suggested), SMTO_ABORTIFHUNG, 5000,
                                &result);
            WaitPainted(SetupWindow());
        } else if (step == "clickfield") {
            ClickField();
        } else if (step == "shiftdown" || step == "shiftup") {
            SendShift(step == "shiftup");
        } else if (step == "controls") {
            Print("TITLE " + Utf8(WindowText(SetupWindow())));
            EnumChildWindows(SetupWindow(), PrintControl, 0);
        } else if (step == "acp") {
            Print("ACP " + std::to_string(GetACP()));
        } else if (step == "rects") {
            // Client positions and sizes of the field and the buttons.
            std::string line = "RECTS";
            HWND controls[] = {SetupField(), SetupButton(1), SetupButton(2), SetupButton(3)};
            for (HWND control : controls) {
                RECT r;
                GetWindowRect(control, &r);
                line += " " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                        std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
            }
            Print(line);
        } else if (step == "key") {
            SendKey(next(i));
        } else if (step == "focus") {
            PrintFocus();
        } else if (step == "gone") {
            HWND setup = SetupWindow();
            if (setup) {
                WaitGone(setup, "the setup window");
            }
            Print("GONE");
        } else if (step == "sleep") {
            Sleep(static_cast<DWORD>(std::atoi(next(i).c_str())));
        } else {
            Fail("unknown step " + step);
        }
    }
    return 0;
}
