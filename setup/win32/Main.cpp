// Fastinst's entry point: source folder, language question, setup window, message loop.
#include "SetupUi.h"

#include "Destination.h"
#include "SetupTexts.h"

#include <objbase.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace fastinst;
    SetupUi& ui = Ui();
    ui.instance = instance;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the shell's folder browser needs COM

    char modulePath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    ui.install.sourceFolder = FolderOf(modulePath);

    ui.install.english = MessageBoxA(nullptr, kLanguageQuestion, kSetupCaption,
                                     MB_YESNO | MB_ICONINFORMATION) == IDYES;
    if (!CreateSetupUi(showCommand)) {
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CoUninitialize();
    return 0;
}
