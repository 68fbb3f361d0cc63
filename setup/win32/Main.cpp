// Fastinst's entry point: source folder, language question, setup window, message loop.
#include "SetupUi.h"

#include "Destination.h"
#include "SetupTexts.h"
#include "Wide.h"

#include <objbase.h>

#include <string>

namespace {

/// The program's own full path, however long; empty when the system cannot tell it.
std::u16string ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            return fastinst::FromWide(path.c_str(), length);
        }
        path.resize(path.size() * 2); // cut short: ask again with room for a longer path
    }
}

int RunSetup(HINSTANCE instance, int showCommand) {
    using namespace fastinst;
    SetupUi& ui = Ui();
    ui.instance = instance;

    ui.install.sourceFolder = FolderOf(ModulePath());
    ui.install.english = MessageBoxW(nullptr, Wide(LanguageQuestion()), Wide(kSetupCaption),
                                     MB_YESNO | MB_ICONINFORMATION) == IDYES;
    if (ui.install.sourceFolder.empty()) {
        ShowStartFailure(); // without its own folder the setup finds none of the files
        return 1;
    }
    if (!CreateSetupUi(showCommand)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return ui.failed ? 1 : 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // The shell's folder browser needs COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com)) {
        fastinst::ShowStartFailure();
        return 1;
    }
    int result = 1;
    try {
        result = RunSetup(instance, showCommand);
    } catch (...) {
        fastinst::ShowStartFailure();
    }
    CoUninitialize();
    return result;
}
