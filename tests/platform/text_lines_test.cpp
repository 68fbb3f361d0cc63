// The shared text-line helpers: line breaks, lines of the editor's own files, leading numbers.
#include "platform/TextLines.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvane;

namespace {

struct LinesCase {
    const char* name;
    QString text;
    QStringList lines;
};

} // namespace

TEST(TextLines, EveryLineBreakStyleEndsOneLine) {
    const LinesCase cases[] = {
        {"empty text has no lines", "", {}},
        {"text without a break is one line", "abc", {"abc"}},
        {"final break starts no line", "a\r\nb\r\n", {"a", "b"}},
        {"lone CR and LF end lines too", "a\rb\nc", {"a", "b", "c"}},
        {"CR LF is one break, not two", "a\r\n\r\nb", {"a", "", "b"}},
        {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"a lone break is one empty line", "\r\n", {""}},
    };
    for (const LinesCase& c : cases) {
        EXPECT_EQ(splitTextLines(c.text), c.lines) << c.name;
        EXPECT_EQ(toLfLineBreaks(c.text).count(QLatin1Char('\r')), 0) << c.name;
    }
    EXPECT_EQ(toLfLineBreaks("a\r\nb\rc\nd\n\r"), "a\nb\nc\nd\n\n");
}

TEST(TextLines, EightBitFilesReadAsWindows1252) {
    const QStringList lines = linesOf8BitFile(QByteArray("\x80 caf\xE9\r\n\x93q\x94\r\n"));
    EXPECT_EQ(lines, (QStringList{QString::fromUtf16(u"\u20AC caf\u00E9"),
                                  QString::fromUtf16(u"\u201Cq\u201D")}));
}

TEST(TextLines, LeadingNumberFollowsTheReadersSyntax) {
    const NumberSyntax plain;
    const NumberSyntax typed{.tabsAreBlanks = false, .radixPrefixes = true, .exponentD = true};
    const NumberSyntax options{.tabsAreBlanks = true};

    EXPECT_EQ(readLeadingNumber(u"  12abc", plain), 12);
    EXPECT_EQ(readLeadingNumber(u"abc", plain), 0);
    EXPECT_EQ(readLeadingNumber(u"-.5x", plain), -0.5);
    EXPECT_EQ(readLeadingNumber(u"+3.", plain), 3);
    EXPECT_EQ(readLeadingNumber(u"2e3", plain), 2000);
    EXPECT_EQ(readLeadingNumber(u"2e", plain), 2) << "a letter without digits is no exponent";

    EXPECT_EQ(readLeadingNumber(u"\t7", plain), 0);
    EXPECT_EQ(readLeadingNumber(u"\t7", options), 7);

    EXPECT_EQ(readLeadingNumber(u"&H1F", plain), 0);
    EXPECT_EQ(readLeadingNumber(u"&H1Fz", typed), 31);
    EXPECT_EQ(readLeadingNumber(u"&o17", typed), 15);
    EXPECT_EQ(readLeadingNumber(u"&X1", typed), 0);

    EXPECT_EQ(readLeadingNumber(u"2d2", plain), 2);
    EXPECT_EQ(readLeadingNumber(u"2d2", typed), 200);

    EXPECT_TRUE(std::isinf(readLeadingNumber(u"1e999", plain)));
    EXPECT_LT(readLeadingNumber(u"-1e999", plain), 0);
    EXPECT_EQ(readLeadingNumber(u"1e-999", plain), 0);
}
