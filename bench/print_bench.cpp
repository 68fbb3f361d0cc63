// Speed of printing a coloured 10 MB listing (about 3,000 A4 pages) to a PDF file from a real
// document window, and how long the user interface waits between two rounds of events.
#include "BenchEditor.h"
#include "document/frmDocument.h"
#include "platform/richtext/RichTextBox.h"
#include "print/PrintEngine.h"
#include "settings/EditorSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using namespace kelvane;

/// 170,000 lines of 60 characters: 10 MB with the line breaks.
QString listing() {
    return bench::repeatedLines(
        QStringLiteral("    if (count > limit) { return print(value, \"text\"); } // ok"), 170'000);
}

/// Printable text that counts the pages by the render requests the page loop makes.
struct CountingText : PrintableText {
    CountingText(PrintableText& inner, int& pages) : inner(inner), pages(pages) {}
    qsizetype textLength() const override { return inner.textLength(); }
    qsizetype formatRange(QPainter* painter, const TwipsRect& rc, const TwipsRect& rcPage,
                          qsizetype first, QString& error) override {
        ++pages;
        return inner.formatRange(painter, rc, rcPage, first, error);
    }
    void releaseFormatRange() override { inner.releaseFormatRange(); }
    PrintableText& inner;
    int& pages;
};

void BM_PrintTenMegabytesToPdf(benchmark::State& state) {
    bench::Editor& e = bench::editor();
    EditorSettings.Keywords0 =
        QStringLiteral("if") + QChar(0xFF) + QStringLiteral("return") + QChar(0xFF);
    EditorSettings.KeywordCount = 2;
    EditorSettings.Delimiters = 0x1FF;
    e.box->setText(listing());
    e.document->ChangedHighLight = true;
    e.document->ColorCode();

    const QString pdf = e.dir.filePath(QStringLiteral("listing.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const double margin = 1.5 * 567; // the default margins

    qint64 longestWaitNs = 0;
    int pages = 0;
    for (auto _ : state) {
        QElapsedTimer sinceEvents;
        sinceEvents.start();
        PrintHooks hooks;
        hooks.processEvents = [&] {
            longestWaitNs = std::max(longestWaitNs, sinceEvents.nsecsElapsed());
            QCoreApplication::processEvents();
            sinceEvents.restart();
        };
        QPrinterDevice device(printer);
        RichTextPrintable text(e.box);
        QString error;
        pages = 0;
        CountingText counting(text, pages);
        if (PrintRichText(counting, device, roundTwips(margin), margin, margin, margin, hooks,
                          error) != PrintResult::Printed)
            state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["pages"] = pages;
    state.counters["longest_wait_ms"] = double(longestWaitNs) / 1e6;
    state.counters["pdf_MB"] = double(QFileInfo(pdf).size()) / 1e6;
}
BENCHMARK(BM_PrintTenMegabytesToPdf)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return kelvane::bench::runBenchmarks(argc, argv);
}
