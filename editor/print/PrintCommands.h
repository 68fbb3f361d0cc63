// File > Print... and File > Printer Setup...: the printer dialogs and the job around the
// print engine.
#pragma once

#include "platform/CommandGroup.h"

#include <QString>

#include <functional>

namespace kelvane {

class CommonDialog;
class DocumentHost;
class frmDocument;

/// The printing commands of the File menu: Print, Printer Setup and Page Setup. The main
/// window puts them on its File menu; the toolbar's Print button is mnuFilePrint.
class PrintCommands : public CommandGroup {
    Q_OBJECT
public:
    PrintCommands(DocumentHost& host, QWidget* parent);

    void mnuFilePrint_Click();
    void mnuFilePrinterSetup_Click();
    void mnuFilePageSetup_Click();

private:
    DocumentHost& host_;
};

/// Printer dialog flags of Print: no selection, no page numbers, copies left to the driver.
/// Printing to a file stays possible: on Linux that is how a PDF is made.
int printDialogFlags();

inline const QString kPrintFailedMessage =
    QStringLiteral("An error occurred during the printing process. Ensure that the printer is "
                   "powered up and online.");
inline const QString kPrinterSetupFailedMessage =
    QStringLiteral("An error occurred during the setup process. Ensure that the printer is "
                   "powered up and online.");

/// Asks for the printer and prints the document's text with the margins of PageMargins, then
/// lays the document window out again. `status` receives the texts of status-bar panel 1.
/// Nothing happens without a document or when the dialog is cancelled.
void printDocument(CommonDialog& dialog, frmDocument* document,
                   const std::function<void(const QString&)>& status);

/// Shows the printer set-up dialog; the printer chosen is the one the next print uses.
void setUpPrinter(CommonDialog& dialog);

} // namespace kelvane
