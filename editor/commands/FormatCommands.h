// The Format menu's commands: indenting, case changes and trims of the selection, tabs to
// spaces.
#pragma once

#include "platform/CommandGroup.h"

namespace kelvane {

class DocumentHost;

class FormatCommands : public CommandGroup {
    Q_OBJECT
public:
    FormatCommands(DocumentHost& host, QWidget* parent);

    void mnuFormatTabsToSapces_Click(); // misspelt on purpose: the menu tree's name
    void mnuFormatIndent_Click();
    void mnuFormatUnindent_Click();
    void mnuFOrmatUpper_Click(); // capital O on purpose: the menu tree's name
    void mnuFormatLower_Click();
    void mnuFormatCapSentence_Click();
    void mnuFormatTrimTrailing_Click();
    void mnuFormatTrimPreceding_Click();
    void mnuFOrmatTrim_Click(); // capital O on purpose: the menu tree's name

private:
    DocumentHost& host_;
};

} // namespace kelvane
