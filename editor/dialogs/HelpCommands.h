// The Help menu's commands: the help file's contents and search, About and Tip of the Day.
#pragma once

#include "platform/CommandGroup.h"

namespace kelvane {

class HelpCommands : public CommandGroup {
    Q_OBJECT
public:
    /// `window` owns the dialogs and gives the help messages their caption.
    explicit HelpCommands(QWidget* window);

    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    void mnuHelpTipofDay_Click();

private:
    QWidget* window_;
};

} // namespace kelvane
