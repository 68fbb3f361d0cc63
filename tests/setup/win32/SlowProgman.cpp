// A Program Manager for the end-to-end tests that answers the setup's conversation first and
// acknowledges its commands only after a delay: it writes the commands it received, as UTF-8,
// to the file named by its first argument, and the delay shows how the setup waits.
#include <windows.h>

#include <dde.h>

#include <string>

namespace {

constexpr UINT kAckDelayMs = 8000;
constexpr UINT_PTR kAckTimer = 1;

std::wstring g_commandsFile;
HWND g_client = nullptr;
HGLOBAL g_commands = nullptr;

void WriteUtf8(const std::wstring& path, const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    const std::wstring partial = path + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::wstring AtomName(ATOM atom) {
    wchar_t name[64] = L"";
    GlobalGetAtomNameW(atom, name, 64);
    return name;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DDE_INITIATE:
        if (lstrcmpiW(AtomName(LOWORD(lParam)).c_str(), L"PROGMAN") == 0) {
            SendMessageW(reinterpret_cast<HWND>(wParam), WM_DDE_ACK,
                         reinterpret_cast<WPARAM>(window),
                         MAKELPARAM(GlobalAddAtomW(L"PROGMAN"), GlobalAddAtomW(L"PROGMAN")));
        }
        return 0;
    case WM_DDE_EXECUTE: {
        g_client = reinterpret_cast<HWND>(wParam);
        g_commands = reinterpret_cast<HGLOBAL>(lParam);
        const void* data = GlobalLock(g_commands);
        std::wstring text;
        if (data && IsWindowUnicode(g_client)) {
            text = static_cast<const wchar_t*>(data);
        } else if (data) {
            const char* bytes = static_cast<const char*>(data);
            text = L"ANSI " + std::wstring(bytes, bytes + lstrlenA(bytes));
        }
        GlobalUnlock(g_commands);
        WriteUtf8(g_commandsFile, text + L"\n");
        SetTimer(window, kAckTimer, kAckDelayMs, nullptr);
        return 0;
    }
    case WM_TIMER:
        KillTimer(window, kAckTimer);
        if (IsWindow(g_client)) {
            PostMessageW(g_client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                         PackDDElParam(WM_DDE_ACK, 0x8000, reinterpret_cast<UINT_PTR>(g_commands)));
        }
        return 0;
    case WM_DDE_TERMINATE:
        PostMessageW(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE,
                     reinterpret_cast<WPARAM>(window), 0);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    g_commandsFile = argv[1];
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SlowProgman";
    RegisterClassW(&windowClass);
    // Topmost, so that it hears the setup's broadcast before the system's Program Manager does.
    HWND window =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"SlowProgman", L"SlowProgman", WS_POPUP,
                        0, 0, 1, 1, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) {
        return 3;
    }
    SetTimer(nullptr, 0, 300000, nullptr); // ends on its own if the setup never comes
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            break;
        }
        DispatchMessageW(&message);
    }
    return 0;
}
