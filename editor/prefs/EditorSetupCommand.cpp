// File > Preferences > Editor Setup: opens the Options dialog.
#include "app/frmMain.h"
#include "prefs/frmOptions.h"

namespace kelvane {

void frmMain::mnuPrefsEditorSetup_Click() {
    frmOptions::instance()->showModal();
}

} // namespace kelvane
