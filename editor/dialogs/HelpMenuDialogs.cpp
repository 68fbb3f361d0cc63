// The Help menu's About and Tip of the Day commands.
#include "app/frmMain.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmTip.h"

namespace kelvane {

void frmMain::mnuHelpAbout_Click() {
    frmAbout about(this);
    about.exec();
}

void frmMain::mnuHelpTipofDay_Click() {
    frmTip tip(this);
    tip.exec();
}

} // namespace kelvane
