// The print engine: prints a document's text page by page onto a printer, with the page
// margins in twips, keeping the user interface answering between pages.
#pragma once

#include "platform/richtext/PageFormatter.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

namespace kelvane {

class RichTextBox;

/// Rounds a length in twips to a whole number, halves to the even neighbour.
qint32 roundTwips(double twips);

/// What the engine reads of a printer, in twips: the offsets of the printable area from the
/// paper's edges, the paper's size and the printable area's size.
struct PrinterMetrics {
    double offsetX = 0;
    double offsetY = 0;
    double pageWidth = 0;
    double pageHeight = 0;
    double printableWidth = 0;
    double printableHeight = 0;
};

/// The rectangle to print into and the whole printable area, both relative to the printable
/// area, for the given margins (distances from the paper's edges, twips).
struct PageRectangles {
    TwipsRect rc;
    TwipsRect rcPage;
};
PageRectangles pageRectangles(const PrinterMetrics& printer, qint32 leftMargin, double topMargin,
                              double rightMargin, double bottomMargin);

/// The printer side of a print job.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    /// Opens the job and its first page; false with a description when the printer refuses.
    virtual bool beginJob(QString& error) = 0;
    virtual PrinterMetrics metrics() const = 0;
    /// Paints on the current page; valid between beginJob and endJob.
    virtual QPainter* painter() = 0;
    virtual bool newPage(QString& error) = 0;
    /// Ends the job; the printer (or the PDF file) receives it.
    virtual bool endJob(QString& error) = 0;
    /// Drops a job that failed part-way.
    virtual void abortJob() = 0;
};

/// A QPrinter as print device: a CUPS printer or a PDF file.
class QPrinterDevice : public PrintDevice {
public:
    explicit QPrinterDevice(QPrinter& printer);
    ~QPrinterDevice() override;
    bool beginJob(QString& error) override;
    PrinterMetrics metrics() const override;
    QPainter* painter() override;
    bool newPage(QString& error) override;
    bool endJob(QString& error) override;
    void abortJob() override;

private:
    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
};

/// The text side of a print job: what the engine asks of the rich-text control.
class PrintableText {
public:
    virtual ~PrintableText() = default;
    /// Length of the text, line breaks counting two.
    virtual qsizetype textLength() const = 0;
    /// Prints one page from `first`; returns the first position that did not fit, or -1 with
    /// a description in `error` when the text can no longer be printed.
    virtual qsizetype formatRange(QPainter* painter, const TwipsRect& rc, const TwipsRect& rcPage,
                                  qsizetype first, QString& error) = 0;
    /// Lets go of the layout kept between pages.
    virtual void releaseFormatRange() = 0;
};

/// A document's rich-text control as printable text; the document may close while it prints.
class RichTextPrintable : public PrintableText {
public:
    explicit RichTextPrintable(RichTextBox* box);
    qsizetype textLength() const override;
    qsizetype formatRange(QPainter* painter, const TwipsRect& rc, const TwipsRect& rcPage,
                          qsizetype first, QString& error) override;
    void releaseFormatRange() override;

private:
    QPointer<RichTextBox> box_;
};

/// What a job reports to the window around it.
struct PrintHooks {
    /// Text for panel 1 of the main window's status bar.
    std::function<void(const QString&)> status;
    /// Lets pending user-interface events run; called twice per page.
    std::function<void()> processEvents;
};

/// The message shown when Print is chosen while a job is in its page loop.
extern const QString kPrintBusyMessage;

/// True from the start of a job's page loop until the job has ended (or failed).
bool PrintJobBusy();

enum class PrintResult {
    Printed, ///< every page went to the printer
    Busy,    ///< another job was running: the busy message was shown, nothing printed
    Failed,  ///< the printer or the text failed; `error` says why, the job was dropped
};

/// Prints the whole text of `control` onto `printer` with the margins in twips (distances
/// from the paper's edges). A page that takes no characters ends the job as failed.
PrintResult PrintRichText(PrintableText& control, PrintDevice& printer, qint32 leftMargin,
                          double topMargin, double rightMargin, double bottomMargin,
                          const PrintHooks& hooks, QString& error);

} // namespace kelvane
