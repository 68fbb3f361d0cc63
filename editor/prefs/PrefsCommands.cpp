// File > Preferences > Editor Setup: opens the Options dialog.
#include "prefs/PrefsCommands.h"

#include "prefs/frmOptions.h"

namespace kelvane {

PrefsCommands::PrefsCommands(DocumentHost& host, QWidget* parent)
    : CommandGroup(QStringLiteral("Preferences"), parent), host_(host) {
    add({"mnuPrefsEditorSetup", QStringLiteral("Editor Setup"), QKeySequence(Qt::Key_F4),
         QStringLiteral("toolbar/options"), QStringLiteral("Options")},
        [this] { mnuPrefsEditorSetup_Click(); });
}

void PrefsCommands::mnuPrefsEditorSetup_Click() {
    frmOptions::load(host_)->showModal();
}

} // namespace kelvane
