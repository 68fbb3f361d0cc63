// File > Print and Printer Setup on a live main window, printing to PDF files that poppler's
// tools read back: where the text stands on the paper, its colours, the dialogs and messages.
#include "app/AppFixture.h"
#include "platform/PanelStatusBar.h"
#include "print/PrintCommands.h"
#include "print/PrintEngine.h"
#include "print/frmPageSetup.h"
#include "support/MenuItems.h"

#include <QAction>
#include <QImage>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace kelvane::test {
namespace {

constexpr double kPointsPerCm = 72 / 2.54;

/// Runs a poppler tool; the test fails when it is missing or fails.
bool runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

struct WordBox {
    QString word;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

/// The words of page 1 with their boxes in points, as pdftotext -bbox reports them.
std::vector<WordBox> wordsOf(const QString& pdf, const QString& html) {
    std::vector<WordBox> words;
    if (!runTool(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf, html}))
        return words;
    const QString page = QString::fromUtf8(readAll(html));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto match = word.globalMatch(page); match.hasNext();) {
        const auto m = match.next();
        words.push_back(WordBox{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                                m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

int pageCountOf(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const auto match = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class PrintToPdfTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        start();
        document = main->activeDocument();
        ASSERT_NE(document, nullptr);
        pdf = scratch.file(QStringLiteral("printed.pdf"));
        QPrinter& printer = main->dlgCommonDialog.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        // An unprintable border of 5 mm, as real printers have, shifts the printable area.
        printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        savedMargins = PageMargins;
    }
    void TearDown() override {
        PageMargins = savedMargins;
        AppFixture::TearDown();
    }
    /// File > Print on the given document (the active one unless a test says otherwise).
    void print() {
        printDocument(main->dlgCommonDialog, document,
                      [this](const QString& text) { statuses << text; });
    }

    frmDocument* document = nullptr;
    QString pdf;
    QStringList statuses;
    PageMarginsRecord savedMargins;
};

TEST_F(PrintToPdfTest, FirstLineStandsAtTheLeftAndTopMargins) {
    PageMargins = PageMarginsRecord{2.5f, 2.0f, 3.0f, 1.5f}; // top, bottom, left, right
    document->rtfText->setText(QStringLiteral("Margins first line\r\nsecond line"));
    dialogs.answerPrinter(true);
    print();
    ASSERT_TRUE(boxes.asked().empty()) << boxes.asked()[0].prompt.toStdString();
    const auto words = wordsOf(pdf, scratch.file(QStringLiteral("bbox.html")));
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words[0].word, QStringLiteral("Margins"));
    EXPECT_NEAR(words[0].xMin, 3.0 * kPointsPerCm, 1.0);
    EXPECT_NEAR(words[0].yMin, 2.5 * kPointsPerCm, 1.0);
    // The right margin bounds the lines: nothing reaches past it.
    for (const WordBox& word : words)
        EXPECT_LE(word.xMax, (21.0 - 1.5) * kPointsPerCm);
    EXPECT_EQ(statuses, (QStringList{"Printing...", "Finished Printing."}));
}

TEST_F(PrintToPdfTest, PageSetupChangesTheMarginsOfTheNextPrint) {
    document->rtfText->setText(QStringLiteral("Moved by page setup"));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmPageSetup*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = true;
        dialog->txtLeft->setFocus();
        dialog->txtLeft->selectAll();
        QTest::keyClicks(dialog->txtLeft, QStringLiteral("5"));
        dialog->txtTop->setFocus();
        dialog->txtTop->selectAll();
        QTest::keyClicks(dialog->txtTop, QStringLiteral("4.5"));
        QTest::keyClick(dialog->txtTop, Qt::Key_Return);
    });
    main->printCommands->mnuFilePageSetup_Click();
    ASSERT_TRUE(shown);
    dialogs.answerPrinter(true);
    main->printCommands->mnuFilePrint_Click();
    const auto words = wordsOf(pdf, scratch.file(QStringLiteral("bbox.html")));
    ASSERT_FALSE(words.empty());
    EXPECT_NEAR(words[0].xMin, 5.0 * kPointsPerCm, 1.0);
    EXPECT_NEAR(words[0].yMin, 4.5 * kPointsPerCm, 1.0);
}

TEST_F(PrintToPdfTest, LongLinesWrapWithinTheMargins) {
    PageMargins = PageMarginsRecord{1.5f, 1.5f, 4.0f, 6.0f};
    QString line;
    for (int i = 0; i < 40; ++i)
        line += QStringLiteral("wrapped%1 ").arg(i);
    document->rtfText->setText(line);
    dialogs.answerPrinter(true);
    print();
    const auto words = wordsOf(pdf, scratch.file(QStringLiteral("bbox.html")));
    ASSERT_EQ(words.size(), 40u) << "every word printed once";
    double lowest = 0;
    for (const WordBox& word : words) {
        EXPECT_GE(word.xMin, 4.0 * kPointsPerCm - 1);
        EXPECT_LE(word.xMax, (21.0 - 6.0) * kPointsPerCm + 1);
        lowest = std::max(lowest, word.yMin);
    }
    EXPECT_GT(lowest, words[0].yMin) << "the line wrapped onto further lines";
}

TEST_F(PrintToPdfTest, KeywordPrintsInItsKeywordColour) {
    SaveSetting(kAppTitle, "Settings", "Keywords0", QStringLiteral("return") + QChar(0xFF));
    SaveSetting(kAppTitle, "Settings", "KeywordCount", "1");
    SaveSetting(kAppTitle, "Settings", "KeywordColor0", QString::number(0x0000C0)); // dark red
    main.reset();
    start();
    document = main->activeDocument();
    QPrinter& printer = main->dlgCommonDialog.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    document->rtfText->setText(QStringLiteral("plain words then return 0;"));
    document->ChangedHighLight = true;
    document->ColorCode();
    dialogs.answerPrinter(true);
    print();
    const QString png = scratch.file(QStringLiteral("page"));
    ASSERT_TRUE(runTool(QStringLiteral("pdftoppm"),
                        {"-png", "-r", "100", "-f", "1", "-l", "1", "-singlefile", pdf, png}));
    const QImage image(png + QStringLiteral(".png"));
    ASSERT_FALSE(image.isNull());
    // The keyword's pixels are red, the plain words' pixels dark grey to black.
    const auto words = wordsOf(pdf, scratch.file(QStringLiteral("bbox.html")));
    ASSERT_GE(words.size(), 4u);
    auto countIn = [&](const WordBox& word, auto&& test) {
        int count = 0;
        for (int y = int(word.yMin * 100 / 72); y <= int(word.yMax * 100 / 72); ++y)
            for (int x = int(word.xMin * 100 / 72); x <= int(word.xMax * 100 / 72); ++x)
                count += test(image.pixelColor(x, y)) ? 1 : 0;
        return count;
    };
    auto red = [](const QColor& c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; };
    auto dark = [](const QColor& c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; };
    const WordBox& keyword = words[3];
    ASSERT_EQ(keyword.word, QStringLiteral("return"));
    EXPECT_GT(countIn(keyword, red), 20);
    EXPECT_EQ(countIn(keyword, dark), 0);
    EXPECT_EQ(countIn(words[0], red), 0);
    EXPECT_GT(countIn(words[0], dark), 20);
}

TEST_F(PrintToPdfTest, EmptyDocumentPrintsOnePage) {
    dialogs.answerPrinter(true);
    print();
    EXPECT_EQ(pageCountOf(pdf), 1);
}

TEST_F(PrintToPdfTest, PrintingCommandsSitInTheFileMenuAfterTheSaveGroup) {
    const QStringList items = menuItems(main->mnuFile, false);
    const qsizetype at = items.indexOf(QStringLiteral("&Reload")); // the save group's last item
    ASSERT_GE(at, 0);
    EXPECT_EQ(items.mid(at + 1, 5),
              (QStringList{"-", "&Print...", "Printer Setup...", "Page Setup...", "-"}));
    QAction* printItem = main->command(u"mnuFilePrint");
    ASSERT_NE(printItem, nullptr);
    EXPECT_EQ(printItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(printItem->toolTip(), QStringLiteral("Print"));
}

TEST_F(PrintToPdfTest, PrintCommandPrintsTheActiveDocumentAndReportsInTheStatusBar) {
    document->rtfText->setText(QStringLiteral("status check"));
    dialogs.answerPrinter(true);
    main->command(u"mnuFilePrint")->trigger();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(main->sbStatusBar->panelText(1), QStringLiteral("Finished Printing."));
    const auto words = wordsOf(pdf, scratch.file(QStringLiteral("bbox.html")));
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].word, QStringLiteral("check"));
    EXPECT_EQ(main->dlgCommonDialog.printer().docName(), document->Caption());
}

TEST_F(PrintToPdfTest, PrintDialogOffersNoSelectionNorPageNumbersAndKeepsTheFlags) {
    main->dlgCommonDialog.Flags = 0x1234;
    dialogs.answerPrinter(false); // cancelled
    print();
    ASSERT_EQ(dialogs.printerRequests().size(), 1u);
    const int flags = dialogs.printerRequests()[0];
    EXPECT_TRUE(flags & cdlPDNoSelection);
    EXPECT_TRUE(flags & cdlPDNoPageNums);
    EXPECT_TRUE(flags & cdlPDUseDevModeCopies);
    EXPECT_FALSE(flags & cdlPDPrintSetup);
    EXPECT_EQ(main->dlgCommonDialog.Flags, 0x1234);
    EXPECT_FALSE(QFile::exists(pdf)) << "a cancelled dialog prints nothing";
    EXPECT_TRUE(boxes.asked().empty()) << "and says nothing";
}

TEST_F(PrintToPdfTest, UnwritableOutputShowsThePrinterErrorAndPrintingWorksAgain) {
    document->rtfText->setText(QStringLiteral("text"));
    main->dlgCommonDialog.printer().setOutputFileName(scratch.file("missing/folder/out.pdf"));
    dialogs.answerPrinter(true);
    print();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, kPrintFailedMessage);
    EXPECT_EQ(boxes.asked()[0].title, QStringLiteral("Printer Error"));
    EXPECT_FALSE(PrintJobBusy());
    main->dlgCommonDialog.printer().setOutputFileName(pdf);
    dialogs.answerPrinter(true);
    print();
    EXPECT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(pageCountOf(pdf), 1);
}

TEST_F(PrintToPdfTest, MarginsLeavingNoRoomShowThePrinterErrorInsteadOfHanging) {
    PageMargins = PageMarginsRecord{15.0f, 14.8f, 1.5f, 1.5f}; // 29.8 of A4's 29.7 cm
    document->rtfText->setText(QStringLiteral("text"));
    dialogs.answerPrinter(true);
    print();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, kPrintFailedMessage);
    EXPECT_FALSE(PrintJobBusy());
}

TEST_F(PrintToPdfTest, NoDocumentMeansNoDialog) {
    document->Changed = false;
    document->subWindow()->close();
    QApplication::processEvents();
    ASSERT_EQ(main->activeDocument(), nullptr);
    main->printCommands->mnuFilePrint_Click();
    EXPECT_TRUE(dialogs.printerRequests().empty());
}

TEST_F(PrintToPdfTest, PrinterSetupShowsTheSetupDialogAndKeepsTheFlags) {
    main->dlgCommonDialog.Flags = 7;
    dialogs.answerPrinter(false);
    main->printCommands->mnuFilePrinterSetup_Click();
    ASSERT_EQ(dialogs.printerRequests().size(), 1u);
    EXPECT_EQ(dialogs.printerRequests()[0], cdlPDPrintSetup);
    EXPECT_EQ(main->dlgCommonDialog.Flags, 7);
    EXPECT_TRUE(boxes.asked().empty());
}

} // namespace
} // namespace kelvane::test
