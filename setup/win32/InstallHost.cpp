// The installation's Windows services: message boxes, files, registry, DDE and program start.
#include "SetupUi.h"

#include "Guard.h"
#include "SetupTexts.h"
#include "Wide.h"

namespace fastinst {

namespace {

// What a question box returns when the Program Manager's window took the foreground from it.
constexpr int kQuestionInterrupted = 0x7F00;
constexpr UINT kGuardIntervalMs = 100;

UINT BoxStyle(BoxKind kind) {
    switch (kind) {
    case BoxKind::YesNoQuestion:
        return MB_YESNO | MB_ICONQUESTION;
    case BoxKind::YesNoInformation:
        return MB_YESNO | MB_ICONINFORMATION;
    case BoxKind::AbortRetryIgnore:
        return MB_ABORTRETRYIGNORE | MB_ICONERROR;
    case BoxKind::WarningOk:
        return MB_OK | MB_ICONWARNING;
    case BoxKind::ErrorOk:
        break;
    }
    return MB_OK | MB_ICONERROR;
}

Answer ToAnswer(int result, BoxKind kind) {
    switch (result) {
    case IDYES:
        return Answer::Yes;
    case IDABORT:
        return Answer::Abort;
    case IDRETRY:
        return Answer::Retry;
    case IDIGNORE:
        return Answer::Ignore;
    case IDOK:
        return Answer::Ok;
    default:
        // No, or the box could not be shown: the safe choice.
        return kind == BoxKind::AbortRetryIgnore ? Answer::Abort : Answer::No;
    }
}

enum class Front { Nobody, Setup, OtherProgram };

/// Whose window is in front.
Front WhoIsInFront() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (!foreground || !GetWindowThreadProcessId(foreground, &process)) {
        return Front::Nobody;
    }
    return process == GetCurrentProcessId() ? Front::Setup : Front::OtherProgram;
}

BOOL CALLBACK FindQuestionBox(HWND window, LPARAM found) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (GetWindow(window, GW_OWNER) == Ui().window && IsWindowVisible(window) &&
        lstrcmpW(className, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

/// True when a visible window of another program lies above `window` in the stacking order.
/// Windows kept on top of all others are passed over: the setup could not go above them.
bool OtherProgramAbove(HWND window) {
    const DWORD self = GetCurrentProcessId();
    for (HWND above = GetWindow(window, GW_HWNDPREV); above;
         above = GetWindow(above, GW_HWNDPREV)) {
        DWORD process = 0;
        if (IsWindowVisible(above) && !IsIconic(above) &&
            !(GetWindowLongW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
            GetWindowThreadProcessId(above, &process) && process != self) {
            return true;
        }
    }
    return false;
}

void ReclaimQuestion() {
    GroupWindowGuard& guard = Ui().groupWindow;
    const Front front = WhoIsInFront();
    if (front == Front::Setup) {
        guard.QuestionInFront();
    }
    const DWORD now = GetTickCount();
    const bool lostFront = guard.ShouldReclaim(front == Front::OtherProgram, now);
    // Holding the foreground is not enough: the Program Manager's window may have opened over
    // the setup window without taking it, and a box under it (or raised over it in place) may
    // stay unpainted. Either way the box is closed and asked again over a raised setup window.
    const bool covered = !lostFront && front == Front::Setup &&
                         guard.ShouldRaise(OtherProgramAbove(Ui().window), now);
    if (!lostFront && !covered) {
        return;
    }
    if (covered) {
        guard.Raised();
    }
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindQuestionBox, reinterpret_cast<LPARAM>(&box));
    if (box) {
        EndDialog(box, kQuestionInterrupted);
    }
}

// Runs inside the question box's own message loop.
void CALLBACK GuardQuestion(HWND, UINT, UINT_PTR, DWORD) {
    GuardCallback(
        [] {
            ReclaimQuestion();
            return 0;
        },
        0);
}

/// A thread timer that lives as long as its owner.
class GuardTimer {
public:
    GuardTimer() : id_(SetTimer(nullptr, 0, kGuardIntervalMs, GuardQuestion)) {}
    GuardTimer(const GuardTimer&) = delete;
    GuardTimer& operator=(const GuardTimer&) = delete;
    ~GuardTimer() {
        if (id_) {
            KillTimer(nullptr, id_);
        }
    }

private:
    UINT_PTR id_;
};

class Win32InstallHost : public InstallHost {
public:
    explicit Win32InstallHost(SetupUi& ui) : ui_(ui) {}

    std::u16string DestinationText() override {
        // All of it: a longer text than the installation can handle is refused, never cut.
        return WindowText(ui_.field);
    }

    Answer Ask(const std::u16string& text, const std::u16string& caption, BoxKind kind) override {
        while (true) {
            if (ui_.failed) {
                return ToAnswer(0, kind); // the setup is closing: the safe choice
            }
            if (ui_.groupWindow.Watching(GetTickCount())) {
                BringSetupToFront();
            }
            const int result = ShowQuestion(text, caption, BoxStyle(kind));
            if (result != kQuestionInterrupted) {
                return ToAnswer(result, kind);
            }
            // The Program Manager's window came to the front over the box: the box can no longer
            // be trusted to paint or to get the keys, so it was closed; ask again in front.
            BringSetupToFront();
        }
    }

    void FocusDestination() override { SetFocus(ui_.field); }
    bool EnterFolder(const std::u16string& path) override {
        return SetCurrentDirectoryW(Wide(path)) != FALSE;
    }
    bool CreateFolder(const std::u16string& path) override {
        return CreateDirectoryW(Wide(path), nullptr) != FALSE;
    }
    std::u16string WindowsFolder() override {
        // The size the system asks for, so that a long Windows folder is never cut.
        const UINT size = GetWindowsDirectoryW(nullptr, 0);
        std::wstring folder(size + 1, L'\0');
        const UINT length = GetWindowsDirectoryW(folder.data(), size + 1);
        return length > 0 && length <= size ? FromWide(folder.c_str(), length) : std::u16string();
    }
    void ShowWaitCursor(bool wait) override {
        SetCursor(LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
    }
    bool CopyInstallFile(const std::u16string& source, const std::u16string& target) override {
        return !ui_.failed && CopyFileW(Wide(source), Wide(target), FALSE) != FALSE;
    }
    void PumpMessagesFor(int milliseconds) override { fastinst::PumpMessagesFor(milliseconds); }
    bool CloseRequested() override { return ui_.closeRequested || ui_.failed; }
    bool ProgmanInitiate() override { return fastinst::ProgmanInitiate(); }
    bool ProgmanReady() override { return ui_.dde.ReadyToExecute(); }
    bool ProgmanExecute(const std::u16string& programPath) override {
        return fastinst::ProgmanExecute(programPath);
    }
    void ProgmanTerminate() override { fastinst::ProgmanTerminate(); }

    bool WriteUninstallEntry(const UninstallEntry& entry) override {
        HKEY created = nullptr;
        if (ui_.failed ||
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(entry.key), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &created, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const UniqueRegKey key(created);
        return SetString(key.get(), L"DisplayName", entry.displayName) &&
               SetString(key.get(), L"UninstallString", entry.uninstallString);
    }

    void RemoveFile(const std::u16string& path) override { DeleteFileW(Wide(path)); }
    void CreateEmptyFile(const std::u16string& path) override {
        const HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    }
    bool StartProgram(const std::u16string& commandLine) override {
        // The program's path is quoted where it holds a blank; CreateProcessW may change the
        // command line it is given, so it gets a copy of its own. Shown normally: a program
        // started hidden would look as if it had not started at all.
        std::wstring line(Wide(commandLine));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return false;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    void CloseSetupWindow() override {
        ui_.installing = false;
        SendMessageW(ui_.window, WM_CLOSE, 0, 0);
    }

private:
    int ShowQuestion(const std::u16string& text, const std::u16string& caption, UINT style) {
        if (!ui_.groupWindow.Watching(GetTickCount())) {
            return MessageBoxW(ui_.window, Wide(text), Wide(caption), style);
        }
        ui_.groupWindow.QuestionShown(WhoIsInFront() == Front::Setup);
        GuardTimer guard;
        return MessageBoxW(ui_.window, Wide(text), Wide(caption), style | MB_SETFOREGROUND);
    }

    /// Takes the foreground back from the Program Manager's window, puts the setup window above
    /// any window of another program that was stacked over it and repaints it, as that window may
    /// have covered its picture.
    void BringSetupToFront() {
        if (WhoIsInFront() != Front::Setup) {
            SetForegroundWindow(ui_.window);
        }
        SetWindowPos(ui_.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(ui_.window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    static bool SetString(HKEY key, const wchar_t* name, const std::u16string& value) {
        return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))) ==
               ERROR_SUCCESS;
    }

    SetupUi& ui_;
};

} // namespace

void PumpMessagesFor(int milliseconds) {
    const DWORD start = GetTickCount();
    while (true) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the quit message for the main loop, or the program would never end.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= static_cast<DWORD>(milliseconds)) {
            return;
        }
        // Sleep until a message arrives or the time is up, instead of spinning a core.
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(milliseconds) - elapsed,
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void RunInstallCommand() {
    SetupUi& ui = Ui();
    // Enter or OK arriving while files are being copied must not start a second installation.
    if (ui.installing) {
        return;
    }
    ui.installing = true;
    Win32InstallHost host(ui);
    InstallProduct(host, ui.install);
    ui.installing = false;
    if (ui.closeRequested && IsWindow(ui.window)) {
        SendMessageW(ui.window, WM_CLOSE, 0, 0);
    }
}

void FailAndClose() noexcept {
    SetupUi& ui = Ui();
    if (ui.failed) {
        return;
    }
    ui.failed = true;
    ShowStartFailure();
    if (ui.window && IsWindow(ui.window)) {
        DestroyWindow(ui.window);
    } else {
        PostQuitMessage(1);
    }
}

} // namespace fastinst
