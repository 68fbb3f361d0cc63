// The Help menu: the help file's contents and search, About and Tip of the Day.
#include "dialogs/HelpCommands.h"

#include "dialogs/frmAbout.h"
#include "dialogs/frmTip.h"
#include "platform/MsgBox.h"
#include "platform/help/Help.h"

#include <QWidget>

namespace kelvane {

HelpCommands::HelpCommands(QWidget* window)
    : CommandGroup(QStringLiteral("&Help"), window), window_(window) {
    add({"mnuHelpContents", QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1),
         QStringLiteral("toolbar/help"), QStringLiteral("Help Contents")},
        [this] { mnuHelpContents_Click(); });
    add({"mnuHelpSearchForHelpOn", QStringLiteral("&Search For Help On...")},
        [this] { mnuHelpSearchForHelpOn_Click(); });
    addSeparator();
    add({"mnuHelpAbout", QStringLiteral("&About ")}, [this] { mnuHelpAbout_Click(); });
    add({"mnuHelpTipofDay", QStringLiteral("&Tip of the Day")},
        [this] { mnuHelpTipofDay_Click(); });
}

namespace {
void reportNoHelp(QWidget* window) {
    MsgBox(QStringLiteral(
               "Unable to display Help Contents. There is no Help associated with this project."),
           vbInformation, window->windowTitle());
}
} // namespace

void HelpCommands::mnuHelpContents_Click() {
    if (!ShowHelpContents(window_))
        reportNoHelp(window_);
}

void HelpCommands::mnuHelpSearchForHelpOn_Click() {
    if (!ShowHelpSearch(window_))
        reportNoHelp(window_);
}

void HelpCommands::mnuHelpAbout_Click() {
    frmAbout about(window_);
    about.exec();
}

void HelpCommands::mnuHelpTipofDay_Click() {
    frmTip tip(window_);
    tip.exec();
}

} // namespace kelvane
