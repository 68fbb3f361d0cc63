// The installation's Windows services: message boxes, files, registry, DDE and program start.
#include "SetupUi.h"

#include "SetupTexts.h"

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
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (GetWindow(window, GW_OWNER) == Ui().window && IsWindowVisible(window) &&
        lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the question box's own message loop.
void CALLBACK GuardQuestion(HWND, UINT, UINT_PTR, DWORD) {
    GroupWindowGuard& guard = Ui().groupWindow;
    const Front front = WhoIsInFront();
    if (front == Front::Setup) {
        guard.QuestionInFront();
    }
    if (!guard.ShouldReclaim(front == Front::OtherProgram, GetTickCount())) {
        return;
    }
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindQuestionBox, reinterpret_cast<LPARAM>(&box));
    if (box) {
        EndDialog(box, kQuestionInterrupted);
    }
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

    std::string DestinationText() override {
        char text[256] = "";
        GetWindowTextA(ui_.field, text, sizeof text);
        return text;
    }

    Answer Ask(const std::string& text, const std::string& caption, BoxKind kind) override {
        while (true) {
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
    bool EnterFolder(const std::string& path) override {
        return SetCurrentDirectoryA(path.c_str()) != FALSE;
    }
    bool CreateFolder(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
    }
    std::string WindowsFolder() override {
        char folder[256] = "";
        GetWindowsDirectoryA(folder, sizeof folder);
        return folder;
    }
    void ShowWaitCursor(bool wait) override {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(wait ? 32514 : 32512))); // wait, arrow
    }
    bool CopyInstallFile(const std::string& source, const std::string& target) override {
        return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
    }
    void PumpMessagesFor(int milliseconds) override { fastinst::PumpMessagesFor(milliseconds); }
    bool CloseRequested() override { return ui_.closeRequested; }
    bool ProgmanInitiate() override { return fastinst::ProgmanInitiate(); }
    bool ProgmanReady() override { return ui_.dde.ReadyToExecute(); }
    bool ProgmanExecute(const std::string& programPath) override {
        return fastinst::ProgmanExecute(programPath);
    }
    void ProgmanTerminate() override { fastinst::ProgmanTerminate(); }

    void WriteUninstallEntry(const UninstallEntry& entry) override {
        HKEY created = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, entry.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &created, nullptr) != ERROR_SUCCESS) {
            return;
        }
        const UniqueRegKey key(created);
        SetString(key.get(), "DisplayName", entry.displayName);
        SetString(key.get(), "UninstallString", entry.uninstallString);
    }

    void RemoveFile(const std::string& path) override { DeleteFileA(path.c_str()); }
    void CreateEmptyFile(const std::string& path) override {
        const HFILE file = _lcreat(path.c_str(), 0);
        if (file != HFILE_ERROR) {
            _lclose(file);
        }
    }
    bool StartProgram(const std::string& commandLine) override {
        // Shown normally: a program started hidden would look as if it had not started at all.
        return WinExec(commandLine.c_str(), SW_SHOWNORMAL) >= 32;
    }
    void CloseSetupWindow() override {
        ui_.installing = false;
        SendMessageA(ui_.window, WM_CLOSE, 0, 0);
    }

private:
    int ShowQuestion(const std::string& text, const std::string& caption, UINT style) {
        if (!ui_.groupWindow.Watching(GetTickCount())) {
            return MessageBoxA(ui_.window, text.c_str(), caption.c_str(), style);
        }
        ui_.groupWindow.QuestionShown(WhoIsInFront() == Front::Setup);
        GuardTimer guard;
        return MessageBoxA(ui_.window, text.c_str(), caption.c_str(), style | MB_SETFOREGROUND);
    }

    /// Takes the foreground back from the Program Manager's window and repaints the setup
    /// window, whose picture that window may have covered.
    void BringSetupToFront() {
        if (WhoIsInFront() != Front::Setup) {
            SetForegroundWindow(ui_.window);
        }
        RedrawWindow(ui_.window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    static void SetString(HKEY key, const char* name, const std::string& value) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }

    SetupUi& ui_;
};

} // namespace

void PumpMessagesFor(int milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(milliseconds)) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            continue;
        }
        if (message.message == WM_QUIT) {
            // Leave the quit message for the main loop, or the program would never end.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
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
        SendMessageA(ui.window, WM_CLOSE, 0, 0);
    }
}

} // namespace fastinst
