// The File menu's "Preferences" submenu: Editor Setup opens the Options dialog.
#pragma once

#include "platform/CommandGroup.h"

namespace kelvane {

class DocumentHost;

class PrefsCommands : public CommandGroup {
    Q_OBJECT
public:
    PrefsCommands(DocumentHost& host, QWidget* parent);

    void mnuPrefsEditorSetup_Click();

private:
    DocumentHost& host_;
};

} // namespace kelvane
