// The View group's commands.
#include "app/ViewCommands.h"

#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QWidget>

namespace kelvane {

ViewCommands::ViewCommands(DocumentHost& host, const ViewedParts& parts, QWidget* parent)
    : CommandGroup(QStringLiteral("&View"), parent), host_(host), parts_(parts) {
    mnuViewToolbar =
        add({"mnuViewToolbar", QStringLiteral("&Toolbar")}, [this] { mnuViewToolbar_Click(); });
    mnuViewStatusBar = add({"mnuViewStatusBar", QStringLiteral("Status &Bar")},
                           [this] { mnuViewStatusBar_Click(); });
    mnuViewBrowser = add({"mnuViewBrowser", QStringLiteral("&File Browser")},
                         [this] { mnuViewBrowser_Click(); });
    mnuViewCliptext = add({"mnuViewCliptext", QStringLiteral("&Cliptext Browser")},
                          [this] { mnuViewCliptext_Click(); });
    for (QAction* toggle : {mnuViewToolbar, mnuViewStatusBar, mnuViewBrowser, mnuViewCliptext}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    addSeparator();
    add({"mnuViewRefresh", QStringLiteral("&Refresh"), QKeySequence(Qt::Key_F12)},
        [this] { mnuViewRefresh_Click(); });
    add({"mnuViewRefreshColors", QStringLiteral("Refresh Color Coding"), QKeySequence(Qt::Key_F11),
         QStringLiteral("toolbar/colorcode"), QStringLiteral("Color Code Entire Document"), true},
        [this] { mnuViewRefreshColors_Click(); });
}

void ViewCommands::mnuViewToolbar_Click() {
    parts_.toolbar->setVisible(mnuViewToolbar->isChecked());
}

void ViewCommands::mnuViewStatusBar_Click() {
    parts_.statusBar->setVisible(mnuViewStatusBar->isChecked());
}

void ViewCommands::mnuViewBrowser_Click() {
    parts_.browserPane->setVisible(mnuViewBrowser->isChecked());
}

void ViewCommands::mnuViewCliptext_Click() {
    parts_.clipPane->setVisible(mnuViewCliptext->isChecked());
}

void ViewCommands::mnuViewRefresh_Click() {
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->RefreshDisplay();
}

void ViewCommands::mnuViewRefreshColors_Click() {
    if (frmDocument* document = host_.activeDocument()) {
        document->ChangedHighLight = true;
        document->ColorCode();
    }
}

} // namespace kelvane
