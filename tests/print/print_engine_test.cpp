// The print engine's page loop against a recording printer: pages, render requests, the
// release, events between pages, the busy flag, rounding, and jobs that fail part-way.
#include "platform/MsgBox.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"
#include "print/PrintEngine.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace kelvane::test {
namespace {

/// A printer that paints every page onto one reused A4 image at 96 dpi, with an unprintable
/// border of a quarter inch, and records what the engine asked of it.
class RecordingPrinter : public PrintDevice {
public:
    static constexpr double kOffset = 360; // twips
    RecordingPrinter() : image(794, 1123, QImage::Format_RGB32) {}

    bool beginJob(QString& error) override {
        if (refuseJob) {
            error = QStringLiteral("refused");
            return false;
        }
        ++pages;
        image.fill(Qt::white);
        painter_ = std::make_unique<QPainter>(&image);
        painter_->translate(kOffset * 96 / 1440, kOffset * 96 / 1440);
        return true;
    }
    PrinterMetrics metrics() const override {
        return PrinterMetrics{
            kOffset, kOffset, 11906, 16838, 11906 - 2 * kOffset, 16838 - 2 * kOffset};
    }
    QPainter* painter() override { return painter_.get(); }
    bool newPage(QString& error) override {
        if (pages == failAtPage) {
            error = QStringLiteral("out of paper");
            return false;
        }
        ++pages;
        image.fill(Qt::white);
        return true;
    }
    bool endJob(QString&) override {
        painter_.reset();
        ++ended;
        return true;
    }
    void abortJob() override {
        painter_.reset();
        ++aborted;
    }

    QImage image;
    int pages = 0;
    int ended = 0;
    int aborted = 0;
    int failAtPage = -1;
    bool refuseJob = false;

private:
    std::unique_ptr<QPainter> painter_;
};

/// The control as printable text, recording each render request and the release.
class RecordingText : public PrintableText {
public:
    explicit RecordingText(RichTextBox* box) : inner(box) {}
    qsizetype textLength() const override { return inner.textLength(); }
    qsizetype formatRange(QPainter* painter, const TwipsRect& rc, const TwipsRect& rcPage,
                          qsizetype first, QString& error) override {
        firsts.push_back(first);
        rects.push_back(rc);
        return inner.formatRange(painter, rc, rcPage, first, error);
    }
    void releaseFormatRange() override {
        ++releases;
        inner.releaseFormatRange();
    }
    RichTextPrintable inner;
    std::vector<qsizetype> firsts;
    std::vector<TwipsRect> rects;
    int releases = 0;
};

class PrintEngineTest : public ::testing::Test {
protected:
    PrintEngineTest() : box(std::make_unique<RichTextBox>()), text(box.get()) {
        box->setDefaultFontName(QStringLiteral("DejaVu Sans Mono"));
        hooks.status = [this](const QString& s) { statuses << s; };
        hooks.processEvents = [this] {
            ++eventPasses;
            if (duringEvents)
                duringEvents();
        };
    }
    /// Prints with margins of one inch all round.
    PrintResult print() {
        error.clear();
        return PrintRichText(text, printer, 1440, 1440, 1440, 1440, hooks, error);
    }

    ScriptedMsgBoxes boxes;
    std::unique_ptr<RichTextBox> box;
    RecordingPrinter printer;
    RecordingText text;
    PrintHooks hooks;
    QStringList statuses;
    int eventPasses = 0;
    std::function<void()> duringEvents;
    QString error;
};

TEST(PageRectanglesTest, MarginsBecomeRectanglesRelativeToThePrintableArea) {
    const PrinterMetrics printer{300, 3, 11906, 16838, 11306.5, 16500.5};
    // A left margin of 2.5 cm reaches the engine as 1418 twips; 1.5 cm is 850.5.
    const PageRectangles r = pageRectangles(printer, 1418, 1417.5, 850.5, 850.5);
    EXPECT_EQ(r.rc.left, 1118);
    EXPECT_EQ(r.rc.top, 1414) << "1417.5 - 3 = 1414.5 rounds to the even 1414";
    EXPECT_EQ(r.rc.right, 10756) << "11906 - 850.5 - 300 = 10755.5 rounds to 10756";
    EXPECT_EQ(r.rc.bottom, 15984) << "16838 - 850.5 - 3 = 15984.5 rounds to 15984";
    EXPECT_EQ(r.rcPage, (TwipsRect{0, 0, 11306, 16500})) << "halves to even";
}

TEST(PageRectanglesTest, MarginsInsideTheUnprintableBorderGiveNegativeSides) {
    const PrinterMetrics printer{400.4, 400.6, 11906, 16838, 11100, 16000};
    const PageRectangles r = pageRectangles(printer, 0, 100, 0, 0);
    EXPECT_EQ(r.rc.left, -400);
    EXPECT_EQ(r.rc.top, -301) << "offsets are rounded before they are subtracted";
}

TEST(RoundTwipsTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundTwips(1417.5), 1418);
    EXPECT_EQ(roundTwips(850.5), 850);
    EXPECT_EQ(roundTwips(-0.5), 0);
    EXPECT_EQ(roundTwips(-1.5), -2);
    EXPECT_EQ(roundTwips(2.4999), 2);
}

TEST_F(PrintEngineTest, EmptyDocumentPrintsExactlyOnePage) {
    EXPECT_EQ(print(), PrintResult::Printed);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(text.firsts.size(), 1u);
    EXPECT_EQ(text.releases, 1);
}

TEST_F(PrintEngineTest, OnePageDocumentMakesOneRenderRequestAndTheRelease) {
    box->setText(QStringLiteral("int main() {\r\n    return 0;\r\n}"));
    EXPECT_EQ(print(), PrintResult::Printed);
    EXPECT_EQ(printer.pages, 1);
    ASSERT_EQ(text.firsts.size(), 1u);
    EXPECT_EQ(text.firsts[0], 0);
    EXPECT_EQ(text.releases, 1);
    EXPECT_EQ(eventPasses, 1);
    EXPECT_EQ(statuses, (QStringList{"Printing...", "Finished Printing."}));
    // One inch margins, a quarter inch unprintable border.
    EXPECT_EQ(text.rects[0], (TwipsRect{1080, 1080, 11906 - 1440 - 360, 16838 - 1440 - 360}));
    EXPECT_FALSE(PrintJobBusy());
}

TEST_F(PrintEngineTest, TenThousandLinesGiveThePageCountTheLineHeightPredicts) {
    QStringList lines;
    for (int i = 1; i <= 10000; ++i)
        lines << QStringLiteral("line %1 of the listing").arg(i);
    box->setText(lines.join(QStringLiteral("\r\n")));

    QTextLayout probe(QStringLiteral("X"), QFont(box->view()->font(), &printer.image),
                      &printer.image);
    probe.beginLayout();
    QTextLine line = probe.createLine();
    line.setLineWidth(1000);
    probe.endLayout();
    const double printHeight = (16838 - 2 * 1440) * 96 / 1440.0; // pixels at 96 dpi
    const int linesPerPage = int(std::floor(printHeight / line.height()));
    const int expectedPages = (10000 + linesPerPage - 1) / linesPerPage;

    EXPECT_EQ(print(), PrintResult::Printed);
    EXPECT_EQ(printer.pages, expectedPages) << linesPerPage << " lines per page";
    EXPECT_EQ(int(text.firsts.size()), expectedPages);
    // Each page starts where the one before stopped: whole lines, line breaks counting two.
    for (size_t page = 1; page < text.firsts.size(); ++page)
        EXPECT_EQ(box->Text().mid(text.firsts[page], 5), QStringLiteral("line ")) << page;
    EXPECT_EQ(eventPasses, 2 * expectedPages - 1) << "events run twice between pages";
    EXPECT_EQ(text.releases, 1);
}

TEST_F(PrintEngineTest, PrintChosenDuringAJobShowsTheBusyMessageAndLeavesTheJobAlone) {
    box->setText(QString(200, QLatin1Char('\n')).replace("\n", "line\r\n"));
    int refused = 0;
    duringEvents = [&] {
        EXPECT_TRUE(PrintJobBusy());
        if (refused++ == 0) {
            QString innerError;
            EXPECT_EQ(PrintRichText(text, printer, 0, 0, 0, 0, hooks, innerError),
                      PrintResult::Busy);
        }
    };
    EXPECT_EQ(print(), PrintResult::Printed);
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, kPrintBusyMessage);
    EXPECT_EQ(boxes.asked()[0].title, QStringLiteral("Printing Error"));
    EXPECT_EQ(boxes.asked()[0].style, vbOKOnly);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_GT(printer.pages, 1);
    EXPECT_FALSE(PrintJobBusy());
}

TEST_F(PrintEngineTest, PageThatTakesNoCharactersEndsTheJobInsteadOfLoopingForEver) {
    box->setText(QStringLiteral("text that cannot fit"));
    // Top and bottom margins leave 10 twips, far less than a line.
    EXPECT_EQ(PrintRichText(text, printer, 1440, 8000, 1440, 16838 - 8010, hooks, error),
              PrintResult::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(text.firsts.size(), 1u);
    EXPECT_EQ(printer.aborted, 1);
    EXPECT_EQ(text.releases, 1);
    EXPECT_FALSE(PrintJobBusy());
    // The flag was cleared: the next job prints.
    EXPECT_EQ(print(), PrintResult::Printed);
}

TEST_F(PrintEngineTest, PrinterErrorPartWayClearsTheBusyFlag) {
    box->setText(QString(300, QLatin1Char('\n')).replace("\n", "line\r\n"));
    printer.failAtPage = 2;
    EXPECT_EQ(print(), PrintResult::Failed);
    EXPECT_EQ(error, QStringLiteral("out of paper"));
    EXPECT_EQ(printer.aborted, 1);
    EXPECT_EQ(printer.ended, 0);
    EXPECT_EQ(text.releases, 1);
    EXPECT_FALSE(PrintJobBusy());
    printer.failAtPage = -1;
    EXPECT_EQ(print(), PrintResult::Printed);
    EXPECT_TRUE(boxes.asked().empty()) << "no busy message after a failed job";
}

TEST_F(PrintEngineTest, PrinterThatRefusesTheJobFailsBeforeAnyPage) {
    printer.refuseJob = true;
    EXPECT_EQ(print(), PrintResult::Failed);
    EXPECT_TRUE(text.firsts.empty());
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_FALSE(PrintJobBusy());
}

TEST_F(PrintEngineTest, DocumentClosedWhilePrintingEndsTheJob) {
    box->setText(QString(300, QLatin1Char('\n')).replace("\n", "line\r\n"));
    duringEvents = [&] {
        if (printer.pages == 2)
            box.reset();
    };
    EXPECT_EQ(print(), PrintResult::Failed);
    EXPECT_EQ(printer.aborted, 1);
    EXPECT_FALSE(PrintJobBusy());
}

} // namespace
} // namespace kelvane::test
