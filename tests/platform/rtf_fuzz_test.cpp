// The reader survives damaged documents and pathological shapes: no crash, no hang, sane output.
#include "platform/rtf/RtfCodec.h"

#include <gtest/gtest.h>

using namespace kelvane;

namespace {

void expectWellFormed(const RichText& r, const QByteArray& input) {
    ASSERT_EQ(r.styleOfChar.size(), std::size_t(r.text.size())) << input.toHex().constData();
    ASSERT_GE(r.styles.size(), 1u);
    ASSERT_LE(r.styles.size(), 256u);
    for (std::uint8_t s : r.styleOfChar)
        ASSERT_LT(s, r.styles.size()) << input.toHex().constData();
    ASSERT_LE(r.text.size(), input.size());
}

// A document using most of what the reader knows.
QByteArray sampleDocument() {
    RichText doc;
    doc.text = QString::fromUtf16(u"int main() {\n\treturn 0; // caf\u00E9 \u03A9 \U0001F600\n}\n");
    CharStyle keyword;
    keyword.hasColour = true;
    keyword.colour = 0xFF0000;
    keyword.bold = true;
    CharStyle comment;
    comment.hasColour = true;
    comment.colour = 0x008000;
    comment.italic = true;
    comment.hasBackground = true;
    comment.background = 0xEEEEEE;
    comment.fontName = "Arial";
    comment.pointSize = 9;
    doc.styles = {CharStyle{}, keyword, comment};
    doc.styleOfChar.assign(std::size_t(doc.text.size()), 0);
    for (int i = 0; i < 3; ++i)
        doc.styleOfChar[std::size_t(i)] = 1;
    for (qsizetype i = doc.text.indexOf("//"); i < doc.text.size() - 3; ++i)
        doc.styleOfChar[std::size_t(i)] = 2;
    QByteArray rtf = rtf::write(doc);
    rtf.insert(rtf.indexOf("\\viewkind4"),
               "{\\*\\generator x;}{\\info{\\title t}}{\\pict\\bin2 {}}\\uc2 ");
    rtf.insert(rtf.lastIndexOf('}'),
               "{\\field{\\*\\fldinst X}{\\fldrslt y}}\\uc2\\u-10179\\'3f\\'3f\\highlight7\\cb1 z");
    return rtf;
}

} // namespace

// Random and mutated input is the fuzz target's (fuzz/fuzz_rtf_reader.cpp, run over its seeds
// in every test run); these are the fixed shapes.
TEST(RtfFuzz, ADocumentUsingMostOfTheReaderReadsWhole) {
    const QByteArray original = sampleDocument();
    const RichText read = rtf::read(original);
    EXPECT_TRUE(read.text.startsWith("int main")) << read.text.toStdString();
    EXPECT_TRUE(read.text.endsWith(QString("}\ny") + QChar(0xD83D) + "z"))
        << read.text.toStdString();
    expectWellFormed(read, original);
    // Cut short anywhere, it still reads into well-formed text.
    for (qsizetype at = 0; at < original.size(); at += 7)
        expectWellFormed(rtf::read(original.left(at)), original.left(at));
}

TEST(RtfFuzz, PathologicalShapes) {
    const QByteArray inputs[] = {
        QByteArray(300000, '{'),
        QByteArray(300000, '}'),
        "{\\rtf1" + QByteArray(100000, '\\'),
        "{\\rtf1{\\colortbl" + QByteArray(200000, ';') + "}\\cf199999 x}",
        "{\\rtf1{\\fonttbl" + QByteArray("{\\f1 A;}").repeated(20000) + "}\\f1 x}",
        "{\\rtf1\\uc16" + QByteArray("\\u65 ").repeated(20000) + "}",
        "{\\rtf1" + QByteArray("\\'").repeated(50000) + "}",
        "{\\rtf1" + QByteArray("{\\*").repeated(50000) + "}",
        "{\\rtf1{\\colortbl;" + QByteArray("\\red1\\green2\\blue3;").repeated(3000) + "}" +
            QByteArray("\\cf1 a\\cf2 b\\fs1 c\\fs2 d\\b e\\b0 f").repeated(3000) + "}",
    };
    for (const QByteArray& bytes : inputs)
        expectWellFormed(rtf::read(bytes), bytes);
}
