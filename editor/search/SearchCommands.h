// The Search menu's commands: Find and Replace (plain and extended), Find Next, Go to Line and
// Go to Character.
#pragma once

#include "platform/CommandGroup.h"

namespace kelvane {

class DocumentHost;

class SearchCommands : public CommandGroup {
    Q_OBJECT
public:
    /// `wordCount` is the Edit group's Word Count command, which this menu shows.
    SearchCommands(DocumentHost& host, QAction* wordCount, QWidget* parent);

    void mnuSearchFind_Click();
    void mnuSearchFindNext_Click();
    void mnuSearchReplace_Click();
    void mnuSearchFindEx_Click();
    void mnuSearchReplaceEx_Click();
    void mnuSearchGotoLine_Click();
    void mnuSearchGotoChar_Click();

private:
    DocumentHost& host_;
};

} // namespace kelvane
