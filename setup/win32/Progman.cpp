// The Program Manager conversation over raw DDE messages (no DDE library).
#include "SetupUi.h"

#include "ProgmanCommands.h"

#include <cstring>
#include <dde.h>
#include <utility>

namespace fastinst {

namespace {
constexpr UINT kInitiateTimeoutMs = 3000;
}

bool ProgmanInitiate() {
    SetupUi& ui = Ui();
    ui.dde.BeginInitiate();
    {
        UniqueAtom application(GlobalAddAtomW(L"PROGMAN"));
        UniqueAtom topic(GlobalAddAtomW(L"PROGMAN"));
        // Every top-level window hears the request; answers arrive as WM_DDE_ACK meanwhile.
        // A hung window must not stall the installation, hence the timeout.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(ui.window),
                            MAKELPARAM(application.get(), topic.get()), SMTO_ABORTIFHUNG,
                            kInitiateTimeoutMs, &result);
    }
    return ui.dde.EndInitiate();
}

void OnDdeAck(HWND server, LPARAM parameter) {
    SetupUi& ui = Ui();
    switch (ui.dde.OnAck(reinterpret_cast<std::uintptr_t>(server))) {
    case DdeConversation::AckAction::TerminateExtraServer:
        PostMessageW(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(ui.window), 0);
        [[fallthrough]];
    case DdeConversation::AckAction::KeepServer:
        // The answer carries atoms the server added for us.
        GlobalDeleteAtom(LOWORD(parameter));
        GlobalDeleteAtom(HIWORD(parameter));
        break;
    case DdeConversation::AckAction::ReleaseCommands: {
        UINT_PTR status = 0;
        UINT_PTR commands = 0;
        if (UnpackDDElParam(WM_DDE_ACK, parameter, &status, &commands) &&
            reinterpret_cast<HGLOBAL>(commands) != ui.pendingCommands.get()) {
            GlobalFree(reinterpret_cast<HGLOBAL>(commands));
        }
        FreeDDElParam(WM_DDE_ACK, parameter);
        ui.pendingCommands.reset();
        // A disabled setup window has a question box open: the keys belong to the box.
        if (IsWindowEnabled(ui.window)) {
            SetFocus(ui.window);
        }
        break;
    }
    case DdeConversation::AckAction::None:
        break;
    }
}

bool ProgmanExecute(const std::u16string& programPath) {
    SetupUi& ui = Ui();
    if (!ui.dde.ReadyToExecute()) {
        return false;
    }
    // The block is sized to the commands, however long the destination is. The setup window is
    // a Unicode window, so its partner reads the commands as UTF-16.
    const std::u16string commands =
        BuildProgmanCommands(programPath, ui.install.english, ui.install.uninstallerMissing);
    const std::size_t bytes = (commands.size() + 1) * sizeof(char16_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes));
    if (!block) {
        return false;
    }
    void* data = GlobalLock(block.get());
    if (!data) {
        return false;
    }
    std::memcpy(data, commands.c_str(), bytes);
    GlobalUnlock(block.get());
    if (!PostMessageW(reinterpret_cast<HWND>(ui.dde.server()), WM_DDE_EXECUTE,
                      reinterpret_cast<WPARAM>(ui.window), reinterpret_cast<LPARAM>(block.get()))) {
        return false;
    }
    // The acknowledgement hands the block back and frees it; without one it is freed when the
    // conversation ends.
    ui.pendingCommands = std::move(block);
    ui.dde.ExecutePosted();
    ui.groupWindow.CommandsPosted(GetTickCount());
    return true;
}

void ProgmanTerminate() {
    SetupUi& ui = Ui();
    HWND server = reinterpret_cast<HWND>(ui.dde.TakeServer());
    if (ui.dde.AbandonExecute()) {
        // No acknowledgement came: nobody will hand the commands back any more.
        ui.pendingCommands.reset();
    }
    if (server && IsWindow(server)) {
        PostMessageW(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(ui.window), 0);
    }
}

} // namespace fastinst
