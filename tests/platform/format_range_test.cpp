// The control's page-formatting call: what fits on a page, where the next page starts (line
// breaks counting two), wrapping at the rectangle's width, and the document's own colours.
#include "platform/richtext/PageFormatter.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

constexpr int kDpi = 288; // twips divide evenly: one pixel is 5 twips

/// A page-sized image at kDpi with a painter on it.
struct Page {
    explicit Page(int widthTwips = 11906, int heightTwips = 16838)
        : image(widthTwips / 5, heightTwips / 5, QImage::Format_RGB32) {
        image.setDotsPerMeterX(int(kDpi / 0.0254 + 0.5));
        image.setDotsPerMeterY(int(kDpi / 0.0254 + 0.5));
        image.fill(Qt::white);
        painter.begin(&image);
    }
    QImage done() {
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
};

class FormatRangeTest : public ::testing::Test {
protected:
    FormatRangeTest() {
        box.setDefaultFontName(QStringLiteral("DejaVu Sans Mono"));
        box.setDefaultFontSize(10);
    }
    /// Height in twips of one line of the control's font on a kDpi device.
    double lineHeightTwips() {
        Page page;
        QTextLayout layout(QStringLiteral("X"), QFont(box.view()->font(), &page.image),
                           &page.image);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1000);
        layout.endLayout();
        return line.height() * 1440.0 / kDpi;
    }
    /// A rectangle `lines` lines high (plus a little) at the page's top left.
    TwipsRect linesHigh(int lines, int width = 8000) {
        return TwipsRect{720, 720, 720 + width, 720 + int(lines * lineHeightTwips()) + 5};
    }
    const TwipsRect rcPage{0, 0, 11906, 16838};
    RichTextBox box;
};

TEST_F(FormatRangeTest, WholeTextThatFitsReturnsTheTextLength) {
    box.setText(QStringLiteral("one\r\ntwo\r\nthree"));
    Page page;
    EXPECT_EQ(box.formatRange(&page.painter, linesHigh(10), rcPage, 0), box.textLength());
}

TEST_F(FormatRangeTest, EmptyTextPrintsOnePageAndReturnsZero) {
    Page page;
    EXPECT_EQ(box.formatRange(&page.painter, linesHigh(10), rcPage, 0), 0);
}

TEST_F(FormatRangeTest, NextPageStartsAfterTheLastLineThatFitted) {
    box.setText(QStringLiteral("aaa\r\nbbb\r\nccc\r\nddd"));
    Page page;
    // Two lines fit: the next page starts at "ccc", counting each line break as two.
    const qsizetype next = box.formatRange(&page.painter, linesHigh(2), rcPage, 0);
    EXPECT_EQ(next, 10);
    EXPECT_EQ(box.Text().mid(next, 3), QStringLiteral("ccc"));
    EXPECT_EQ(box.formatRange(&page.painter, linesHigh(2), rcPage, next), box.textLength());
}

TEST_F(FormatRangeTest, RectangleLowerThanOneLineTakesNoCharacters) {
    box.setText(QStringLiteral("text"));
    Page page;
    TwipsRect tiny = linesHigh(1);
    tiny.bottom = tiny.top + int(lineHeightTwips() / 2);
    EXPECT_EQ(box.formatRange(&page.painter, tiny, rcPage, 0), 0);
    TwipsRect narrow = linesHigh(1);
    narrow.right = narrow.left;
    EXPECT_EQ(box.formatRange(&page.painter, narrow, rcPage, 0), 0);
}

TEST_F(FormatRangeTest, LongParagraphWrapsAtTheRectangleAndContinuesOnTheNextPage) {
    // 60 words of 9 characters: at a width of about 30 characters this is 20 lines.
    QString paragraph;
    for (int i = 0; i < 60; ++i)
        paragraph += QStringLiteral("word%1 ").arg(i, 4, 10, QLatin1Char('0'));
    box.setText(QStringLiteral("head\r\n") + paragraph.trimmed() + QStringLiteral("\r\ntail"));
    const int width = int(QFontMetricsF(box.view()->font()).horizontalAdvance(QString(30, 'x')) *
                          1440 / box.view()->logicalDpiX());
    Page page;
    const qsizetype next = box.formatRange(&page.painter, linesHigh(5, width), rcPage, 0);
    // The page ends inside the paragraph, at the start of a word.
    ASSERT_GT(next, 6);
    ASSERT_LT(next, 6 + paragraph.size());
    EXPECT_TRUE(box.Text().mid(next).startsWith(QStringLiteral("word"))) << next;
    // Pages of five lines cover the rest without losing or repeating a line.
    qsizetype first = next;
    int pages = 1;
    while (first < box.textLength() && pages < 20) {
        const qsizetype after = box.formatRange(&page.painter, linesHigh(5, width), rcPage, first);
        ASSERT_GT(after, first);
        first = after;
        ++pages;
    }
    EXPECT_EQ(first, box.textLength());
    EXPECT_EQ(pages, 5) << "1 + 20 + 1 lines make five pages of five lines";
}

TEST_F(FormatRangeTest, PaintsTheDocumentsOwnColoursAndPlainTextInBlack) {
    box.setText(QStringLiteral("RED plain"));
    box.setSelStart(0);
    box.setSelLength(3);
    box.setSelColor(0x0000FF); // red in 0x00BBGGRR
    box.setDefaultFontSize(28);
    Page page;
    box.formatRange(&page.painter, linesHigh(10), rcPage, 0);
    const QImage image = page.done();
    const int splitX = (720 + int(QFontMetricsF(QFont(box.view()->font(), &image))
                                      .horizontalAdvance(QStringLiteral("RED ")) *
                                  1440 / kDpi)) /
                       5;
    int red = 0;
    int black = 0;
    for (int y = 0; y < image.height() / 4; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) {
                EXPECT_LT(x, splitX) << "red only in the coloured word";
                ++red;
            }
            if (c.red() < 60 && c.green() < 60 && c.blue() < 60) {
                EXPECT_GE(x, splitX - 2) << "black only in the plain word";
                ++black;
            }
        }
    EXPECT_GT(red, 100);
    EXPECT_GT(black, 100);
}

TEST_F(FormatRangeTest, NothingIsPaintedOutsideThePageRectangle) {
    box.setText(QStringLiteral("clipped at the edge of the printable area"));
    Page page;
    const TwipsRect rc{1000, 720, 9000, 4000};
    box.formatRange(&page.painter, rc, TwipsRect{0, 0, 2000, 16838}, 0);
    const QImage image = page.done();
    int inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                continue;
            ASSERT_LT(x, 2000 / 5) << "painted outside at " << x << "," << y;
            ++inside;
        }
    EXPECT_GT(inside, 50);
}

TEST_F(FormatRangeTest, AnEditBetweenPagesIsSeenByTheNextPage) {
    box.setText(QStringLiteral("aaa\r\nbbb\r\nccc"));
    Page page;
    EXPECT_EQ(box.formatRange(&page.painter, linesHigh(1), rcPage, 0), 5);
    box.setSelStart(box.textLength());
    box.setSelText(QStringLiteral("\r\nddd"));
    EXPECT_EQ(box.formatRange(&page.painter, linesHigh(10), rcPage, 5), box.textLength());
    EXPECT_EQ(box.textLength(), 18);
    box.releaseFormatRange();
    EXPECT_EQ(box.formatRange(&page.painter, linesHigh(1), rcPage, 15), 18);
}

} // namespace
} // namespace kelvane::test
