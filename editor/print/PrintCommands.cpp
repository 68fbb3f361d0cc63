// The print commands: dialog flags, margins from centimetres to twips, and the messages.
#include "print/PrintCommands.h"

#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/CommonDialog.h"
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"
#include "print/PrintEngine.h"
#include "print/frmPageSetup.h"
#include "settings/EditorSettings.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPrinter>
#include <QResizeEvent>

namespace kelvane {

namespace {
const QString kPrinterError = QStringLiteral("Printer Error");
/// Twips per centimetre, as the margins are converted.
constexpr float kTwipsPerCentimetre = 567;
} // namespace

int printDialogFlags() {
    return cdlPDNoSelection | cdlPDNoPageNums | cdlPDReturnDC | cdlPDUseDevModeCopies;
}

void printDocument(CommonDialog& dialog, frmDocument* document,
                   const std::function<void(const QString&)>& status) {
    if (!document)
        return;
    // A second Print during a job is refused before the printer dialog could change the
    // printer the running job paints on.
    if (PrintJobBusy()) {
        MsgBox(kPrintBusyMessage, vbOKOnly, QStringLiteral("Printing Error"));
        return;
    }
    // The job carries the document's name (the print queue shows it; a PDF is named after it).
    dialog.printer().setDocName(document->Caption());
    const int savedFlags = dialog.Flags;
    dialog.Flags = printDialogFlags();
    const bool chosen = dialog.ShowPrinter();
    dialog.Flags = savedFlags;
    if (!chosen)
        return; // cancelled: nothing to say

    QPrinter& printer = dialog.printer();
    QPointer<frmDocument> window(document);
    PrintResult result = PrintResult::Failed;
    QString error;
    if (printer.isValid()) {
        QPrinterDevice device(printer);
        RichTextPrintable text(document->rtfText);
        result = PrintRichText(
            text, device, roundTwips(PageMargins.LeftMargin * kTwipsPerCentimetre),
            PageMargins.TopMargin * kTwipsPerCentimetre,
            PageMargins.RightMargin * kTwipsPerCentimetre,
            PageMargins.BottomMargin * kTwipsPerCentimetre, PrintHooks{status, nullptr}, error);
    }
    if (window) {
        // The document window lays itself out again after printing.
        QResizeEvent resize(window->size(), window->size());
        QCoreApplication::sendEvent(window, &resize);
    }
    if (result == PrintResult::Failed)
        MsgBox(kPrintFailedMessage, vbOKOnly, kPrinterError);
}

void setUpPrinter(CommonDialog& dialog) {
    const int savedFlags = dialog.Flags;
    dialog.Flags = cdlPDPrintSetup;
    const bool chosen = dialog.ShowPrinter();
    dialog.Flags = savedFlags;
    if (chosen && !dialog.printer().isValid())
        MsgBox(kPrinterSetupFailedMessage, vbOKOnly, kPrinterError);
}

PrintCommands::PrintCommands(DocumentHost& host, QWidget* parent)
    : CommandGroup(parent), host_(host) {
    addUnlisted({"mnuFilePrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P),
                 QStringLiteral("toolbar/print"), QStringLiteral("Print"), true},
                [this] { mnuFilePrint_Click(); });
    addUnlisted({"mnuFilePrinterSetup", QStringLiteral("Printer Setup...")},
                [this] { mnuFilePrinterSetup_Click(); });
    addUnlisted({"mnuFilePageSetup", QStringLiteral("Page Setup...")},
                [this] { mnuFilePageSetup_Click(); });
}

void PrintCommands::mnuFilePrint_Click() {
    printDocument(host_.commonDialog(), host_.activeDocument(),
                  [this](const QString& text) { host_.setStatusText(1, text); });
}

void PrintCommands::mnuFilePrinterSetup_Click() {
    setUpPrinter(host_.commonDialog());
}

void PrintCommands::mnuFilePageSetup_Click() {
    mnuFilePageSetup(host_.hostWindow());
}

} // namespace kelvane
