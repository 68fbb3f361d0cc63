// The browse command: the shell's folder browser chooses the parent of the destination.
#include "SetupUi.h"

#include "BrowsePath.h"
#include "Guard.h"
#include "SetupTexts.h"
#include "Wide.h"

#include <shlobj.h>

namespace fastinst {

namespace {

void PlaceBrowser(HWND browser) {
    const SetupUi& ui = Ui();
    SetWindowTextW(browser, Wide(kSetupCaption));
    RECT rect;
    if (GetWindowRect(browser, &rect)) {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        SetWindowPos(browser, nullptr, ui.width / 2 - width / 2,
                     ui.height / 2 - height / 2 - ui.Scale(20), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Wide(ui.pathBuffer)));
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED) {
        GuardCallback(
            [browser] {
                PlaceBrowser(browser);
                return 0;
            },
            0);
    }
    return 0;
}

} // namespace

bool BrowseForParentFolder() {
    SetupUi& ui = Ui();
    ui.browseTitle = SetupMessage(kBrowseTitle, ui.install.english);
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW info{};
    info.hwndOwner = ui.window;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = Wide(ui.browseTitle);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) {
        return false;
    }
    // A folder whose path does not fit is no file-system path the setup could use.
    wchar_t path[MAX_PATH] = L"";
    const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (ok) {
        ui.pathBuffer = FromWide(path);
    }
    return ok;
}

void RunBrowseCommand() {
    SetupUi& ui = Ui();
    if (ui.installing) {
        return;
    }
    ui.pathBuffer = BrowseStartFolder(WindowText(ui.field));
    if (!BrowseForParentFolder()) {
        return;
    }
    SetWindowTextW(ui.field, Wide(DestinationFromBrowse(ui.pathBuffer)));
}

} // namespace fastinst
