// The View group: the toggles that show and hide the toolbar, the status bar and the two side
// panes, and the refresh commands.
#pragma once

#include "platform/CommandGroup.h"

namespace kelvane {

class DocumentHost;

/// The parts of the main window the toggles show and hide.
struct ViewedParts {
    QWidget* toolbar;
    QWidget* statusBar;
    QWidget* browserPane;
    QWidget* clipPane;
};

class ViewCommands : public CommandGroup {
    Q_OBJECT
public:
    ViewCommands(DocumentHost& host, const ViewedParts& parts, QWidget* parent);

    /// The toggles; each is checked while its part shows.
    QAction* mnuViewToolbar;
    QAction* mnuViewStatusBar;
    QAction* mnuViewBrowser;
    QAction* mnuViewCliptext;

    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewBrowser_Click();
    void mnuViewCliptext_Click();
    /// Redraws every open document.
    void mnuViewRefresh_Click();
    /// Colours the whole active document again.
    void mnuViewRefreshColors_Click();

private:
    DocumentHost& host_;
    ViewedParts parts_;
};

} // namespace kelvane
