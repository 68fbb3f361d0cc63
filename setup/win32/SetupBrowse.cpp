// The browse command: the shell's folder browser chooses the parent of the destination.
#include "SetupUi.h"

#include "BrowsePath.h"
#include "SetupTexts.h"

#include <shlobj.h>

namespace fastinst {

namespace {

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM) {
    if (message != BFFM_INITIALIZED) {
        return 0;
    }
    const SetupUi& ui = Ui();
    SetWindowTextA(browser, kSetupCaption);
    RECT rect;
    GetWindowRect(browser, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(browser, nullptr, ui.width / 2 - width / 2, ui.height / 2 - height / 2 - 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(ui.pathBuffer));
    return 0;
}

} // namespace

bool BrowseForParentFolder() {
    SetupUi& ui = Ui();
    lstrcpynA(ui.browseTitle, SetupMessage(kBrowseTitle, ui.install.english), MAX_PATH);
    char displayName[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = ui.window;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = ui.browseTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (!chosen) {
        return false;
    }
    char path[MAX_PATH] = "";
    const bool ok = SHGetPathFromIDListA(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (ok) {
        lstrcpynA(ui.pathBuffer, path, MAX_PATH);
    }
    return ok;
}

void RunBrowseCommand() {
    SetupUi& ui = Ui();
    if (ui.installing) {
        return;
    }
    char text[MAX_PATH] = "";
    GetWindowTextA(ui.field, text, 256);
    lstrcpynA(ui.pathBuffer, BrowseStartFolder(text).c_str(), MAX_PATH);
    if (!BrowseForParentFolder()) {
        return;
    }
    SetWindowTextA(ui.field, DestinationFromBrowse(ui.pathBuffer).c_str());
}

} // namespace fastinst
