// The print engine (modPrintRTFText): rectangles in twips, the page loop and the busy flag.
#include "print/PrintEngine.h"

#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace kelvane {

namespace {
bool printJobBusy = false;

/// Clears the busy flag however the job ends.
struct BusyGuard {
    BusyGuard() { printJobBusy = true; }
    ~BusyGuard() { printJobBusy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};
} // namespace

const QString kPrintBusyMessage =
    QStringLiteral("Kelvane is currently processing a printing job. Please wait until it has "
                   "finished spooling this document before printing another.");

bool PrintJobBusy() {
    return printJobBusy;
}

qint32 roundTwips(double twips) {
    return qint32(std::nearbyint(twips)); // the default rounding mode sends halves to even
}

PageRectangles pageRectangles(const PrinterMetrics& printer, qint32 leftMargin, double topMargin,
                              double rightMargin, double bottomMargin) {
    const qint32 leftOffset = roundTwips(printer.offsetX);
    const qint32 topOffset = roundTwips(printer.offsetY);
    PageRectangles r;
    r.rc.left = roundTwips(double(leftMargin) - leftOffset);
    r.rc.top = roundTwips(topMargin - topOffset);
    r.rc.right = roundTwips((printer.pageWidth - rightMargin) - leftOffset);
    r.rc.bottom = roundTwips((printer.pageHeight - bottomMargin) - topOffset);
    r.rcPage =
        TwipsRect{0, 0, roundTwips(printer.printableWidth), roundTwips(printer.printableHeight)};
    return r;
}

// --- QPrinter ---

QPrinterDevice::QPrinterDevice(QPrinter& printer) : printer_(printer) {}

QPrinterDevice::~QPrinterDevice() {
    if (painter_ && painter_->isActive())
        abortJob();
}

bool QPrinterDevice::beginJob(QString& error) {
    painter_ = std::make_unique<QPainter>();
    if (painter_->begin(&printer_))
        return true;
    error =
        printer_.outputFileName().isEmpty()
            ? QStringLiteral("The printer \"%1\" cannot start a job.").arg(printer_.printerName())
            : QStringLiteral("The file \"%1\" cannot be written.").arg(printer_.outputFileName());
    painter_.reset();
    return false;
}

PrinterMetrics QPrinterDevice::metrics() const {
    const double toTwips = 1440.0 / printer_.resolution();
    const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer_.pageRect(QPrinter::DevicePixel);
    PrinterMetrics m;
    m.offsetX = (page.left() - paper.left()) * toTwips;
    m.offsetY = (page.top() - paper.top()) * toTwips;
    m.pageWidth = paper.width() * toTwips;
    m.pageHeight = paper.height() * toTwips;
    m.printableWidth = page.width() * toTwips;
    m.printableHeight = page.height() * toTwips;
    return m;
}

QPainter* QPrinterDevice::painter() {
    return painter_.get();
}

bool QPrinterDevice::newPage(QString& error) {
    if (printer_.newPage())
        return true;
    error = QStringLiteral("The printer refused a new page.");
    return false;
}

bool QPrinterDevice::endJob(QString& error) {
    if (!painter_)
        return true;
    const bool ended = painter_->end();
    painter_.reset();
    if (!ended || printer_.printerState() == QPrinter::Error) {
        error = QStringLiteral("The printer could not finish the job.");
        return false;
    }
    return true;
}

void QPrinterDevice::abortJob() {
    printer_.abort();
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
}

// --- the control ---

RichTextPrintable::RichTextPrintable(RichTextBox* box) : box_(box) {}

qsizetype RichTextPrintable::textLength() const {
    return box_ ? box_->textLength() : 0;
}

qsizetype RichTextPrintable::formatRange(QPainter* painter, const TwipsRect& rc,
                                         const TwipsRect& rcPage, qsizetype first, QString& error) {
    if (!box_) {
        error = QStringLiteral("The document was closed while it was printing.");
        return -1;
    }
    return box_->formatRange(painter, rc, rcPage, first);
}

void RichTextPrintable::releaseFormatRange() {
    if (box_)
        box_->releaseFormatRange();
}

// --- the job ---

PrintResult PrintRichText(PrintableText& control, PrintDevice& printer, qint32 leftMargin,
                          double topMargin, double rightMargin, double bottomMargin,
                          const PrintHooks& hooks, QString& error) {
    if (printJobBusy) {
        MsgBox(kPrintBusyMessage, vbOKOnly, QStringLiteral("Printing Error"));
        return PrintResult::Busy;
    }
    auto status = [&hooks](const QString& text) {
        if (hooks.status)
            hooks.status(text);
    };
    auto processEvents = [&hooks] {
        if (hooks.processEvents)
            hooks.processEvents();
        else
            QCoreApplication::processEvents();
    };

    if (!printer.beginJob(error))
        return PrintResult::Failed;
    const PageRectangles page =
        pageRectangles(printer.metrics(), leftMargin, topMargin, rightMargin, bottomMargin);
    qsizetype first = 0;

    // From here the flag is set; it is cleared however the job ends, so a failed job does
    // not block every later one.
    BusyGuard busy;
    status(QStringLiteral("Printing..."));
    auto fail = [&] {
        printer.abortJob();
        control.releaseFormatRange();
        status(QString());
        return PrintResult::Failed;
    };
    for (;;) {
        processEvents();
        const qsizetype next =
            control.formatRange(printer.painter(), page.rc, page.rcPage, first, error);
        if (next < 0)
            return fail();
        // The length is read again: the document may be edited between pages.
        if (next >= control.textLength())
            break;
        if (next <= first) {
            // Not one line fits the print rectangle: every further page would be empty too.
            error = QStringLiteral("The margins leave no room for a line of text.");
            return fail();
        }
        first = next;
        if (!printer.newPage(error))
            return fail();
        processEvents();
    }
    status(QStringLiteral("Finished Printing."));
    const bool ended = printer.endJob(error);
    control.releaseFormatRange();
    return ended ? PrintResult::Printed : PrintResult::Failed;
}

} // namespace kelvane
