// The RTF reader: formatting, tables, Unicode and code pages, skipped destinations, samples.
#include "platform/rtf/RtfCodec.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kelvane;

namespace {

const CharStyle& styleAt(const RichText& r, qsizetype i) {
    return r.styles.at(r.styleOfChar.at(std::size_t(i)));
}

// The style of the first character of `word` in the text.
const CharStyle& styleOf(const RichText& r, const QString& word) {
    const qsizetype at = r.text.indexOf(word);
    EXPECT_GE(at, 0) << word.toStdString();
    return styleAt(r, std::max<qsizetype>(at, 0));
}

RichText readString(const char* rtf) {
    return rtf::read(QByteArrayView(rtf));
}

using kelvane::test::coloured;

CharStyle withBackground(WinColour c) {
    CharStyle s;
    s.hasBackground = true;
    s.background = c;
    return s;
}

QString u16(const char16_t* s) {
    return QString::fromUtf16(s);
}

void expectConsistent(const RichText& r) {
    ASSERT_EQ(r.styleOfChar.size(), std::size_t(r.text.size()));
    ASSERT_FALSE(r.styles.empty());
    ASSERT_LE(r.styles.size(), 256u);
    EXPECT_EQ(r.styles[0], CharStyle{});
    for (std::uint8_t s : r.styleOfChar)
        ASSERT_LT(s, r.styles.size());
}

} // namespace

TEST(RtfReader, RecognisesTheSignature) {
    EXPECT_TRUE(rtf::looksLikeRtf("{\\rtf1\\ansi x}"));
    EXPECT_TRUE(rtf::looksLikeRtf("{\\rtf"));
    EXPECT_FALSE(rtf::looksLikeRtf(" {\\rtf1}"));
    EXPECT_FALSE(rtf::looksLikeRtf("{\\RTF1}"));
    EXPECT_FALSE(rtf::looksLikeRtf("plain"));
    EXPECT_FALSE(rtf::looksLikeRtf(""));
}

TEST(RtfReader, CharacterFormattingTogglesAndPlainResets) {
    const RichText r = readString("{\\rtf1 a\\b b\\i c\\ul d\\b0 e\\i0 f\\ul0 g\\ul h\\ulnone "
                                  "i\\b\\i\\uldb j\\plain k\\ulw l\\b1 m}");
    expectConsistent(r);
    EXPECT_EQ(r.text, "abcdefghijklm");
    auto check = [&](char c, bool b, bool i, bool u) {
        const CharStyle& s = styleOf(r, QString(QChar::fromLatin1(c)));
        EXPECT_EQ(s.bold, b) << c;
        EXPECT_EQ(s.italic, i) << c;
        EXPECT_EQ(s.underline, u) << c;
    };
    check('a', false, false, false);
    check('b', true, false, false);
    check('c', true, true, false);
    check('d', true, true, true);
    check('e', false, true, true);
    check('f', false, false, true);
    check('g', false, false, false);
    check('h', false, false, true);
    check('i', false, false, false);
    check('j', true, true, true);
    check('k', false, false, false);
    check('l', false, false, true);
    check('m', true, false, true);
    EXPECT_EQ(styleAt(r, 0), CharStyle{});
}

TEST(RtfReader, ColourTableWithAutomaticEntry) {
    const RichText r = readString("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;"
                                  "\\red0\\green128\\blue255;;\\blue7;}"
                                  "a\\cf1 b\\cf2 c\\cf0 d\\cf3 e\\cf99 f\\cf4 g\\cf-5 h}");
    expectConsistent(r);
    EXPECT_EQ(r.text, "abcdefgh");
    EXPECT_EQ(styleOf(r, "a"), CharStyle{});
    EXPECT_EQ(styleOf(r, "b"), coloured(0x0000FF));
    EXPECT_EQ(styleOf(r, "c"), coloured(0xFF8000));
    EXPECT_EQ(styleOf(r, "d"), CharStyle{}) << "entry 0 is the automatic colour";
    EXPECT_EQ(styleOf(r, "e"), CharStyle{}) << "an empty entry is automatic";
    EXPECT_EQ(styleOf(r, "f"), CharStyle{}) << "an index past the table";
    EXPECT_EQ(styleOf(r, "g"), coloured(0x070000));
    EXPECT_EQ(styleOf(r, "h"), CharStyle{});
}

TEST(RtfReader, ColourTableWithoutAutomaticEntry) {
    const RichText r = readString(
        "{\\rtf1{\\colortbl\\red0\\green0\\blue0;\\red0\\green255\\blue0;}a\\cf0 b\\cf1 c}");
    EXPECT_EQ(styleOf(r, "a"), CharStyle{}) << "text without \\cf has the automatic colour";
    EXPECT_EQ(styleOf(r, "b"), coloured(0x000000));
    EXPECT_EQ(styleOf(r, "c"), coloured(0x00FF00));
}

TEST(RtfReader, BackgroundsFromCbChcbpatAndHighlight) {
    const RichText r =
        readString("{\\rtf1{\\colortbl ;\\red1\\green2\\blue3;\\red200\\green100\\blue50;}"
                   "{\\cb1 a}{\\chcbpat2 b}{\\cb1\\chcbpat2 c}{\\highlight7 d}{\\highlight2 e}"
                   "{\\highlight16 f}{\\highlight0 g}{\\highlight40 h}{\\cb0 i}{\\chcbpat1 "
                   "\\highlight6 j}k}");
    expectConsistent(r);
    EXPECT_EQ(r.text, "abcdefghijk");
    EXPECT_EQ(styleOf(r, "a"), withBackground(0x030201));
    EXPECT_EQ(styleOf(r, "b"), withBackground(0x3264C8));
    EXPECT_EQ(styleOf(r, "c"), withBackground(0x3264C8)) << "pattern colour wins";
    EXPECT_EQ(styleOf(r, "d"), withBackground(0x00FFFF)) << "highlight 7 is yellow";
    EXPECT_EQ(styleOf(r, "e"), withBackground(0xFF0000)) << "highlight 2 is blue";
    EXPECT_EQ(styleOf(r, "f"), withBackground(0xC0C0C0)) << "highlight 16 is light grey";
    EXPECT_EQ(styleOf(r, "g"), CharStyle{});
    EXPECT_EQ(styleOf(r, "h"), CharStyle{}) << "not one of the sixteen";
    EXPECT_EQ(styleOf(r, "i"), CharStyle{});
    EXPECT_EQ(styleOf(r, "j"), withBackground(0x0000FF)) << "highlight over shading";
    EXPECT_EQ(styleOf(r, "k"), CharStyle{});
}

TEST(RtfReader, FontTableSizesAndTheDefaultFont) {
    const RichText r = readString(
        "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern Courier "
        "New;}{\\f2\\fnil Caf\\'e9 Sans;}{\\f3\\fnil Semi\\'3bcolon;}}"
        "a\\f0 b\\f2\\fs21 c\\f1 d\\f3 e\\f9 f\\fs0 g\\fs99999 h}");
    expectConsistent(r);
    EXPECT_EQ(r.text, "abcdefgh");
    EXPECT_EQ(styleOf(r, "a").fontName, "") << "the default font is the control's own";
    EXPECT_EQ(styleOf(r, "b").fontName, "Arial");
    EXPECT_EQ(styleOf(r, "c").fontName, u16(u"Caf\u00E9 Sans"));
    EXPECT_EQ(styleOf(r, "c").pointSize, 10.5f);
    EXPECT_EQ(styleOf(r, "d").fontName, "");
    EXPECT_EQ(styleOf(r, "e").fontName, "Semi;colon");
    EXPECT_EQ(styleOf(r, "f").fontName, "") << "an unknown font";
    EXPECT_EQ(styleOf(r, "g").pointSize, 0.0f);
    EXPECT_EQ(styleOf(r, "h").pointSize, 1638.0f);
}

TEST(RtfReader, FontTableWithoutInnerGroups) {
    const RichText r =
        readString("{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\froman Times;}\\f1 x\\f0 y}");
    EXPECT_EQ(r.text, "xy");
    EXPECT_EQ(styleOf(r, "x").fontName, "Times");
    EXPECT_EQ(styleOf(r, "y").fontName, "");
}

TEST(RtfReader, UnicodeAndFallbackSkipping) {
    struct Case {
        const char* name;
        const char* rtf;
        QString text;
    };
    const Case cases[] = {
        {"plain \\u with ? fallback", "{\\rtf1 a\\u233?b}", u16(u"a\u00E9b")},
        {"negative \\u is N+65536", "{\\rtf1 \\u-3937?}", u16(u"\uF09F")},
        {"surrogate pair combines", "{\\rtf1 \\u-10179?\\u-8704?}", u16(u"\U0001F600")},
        {"\\'hh fallback counts as one", "{\\rtf1 \\u8364\\'80x}", u16(u"\u20ACx")},
        {"\\uc0 has no fallback", "{\\rtf1\\uc0 \\u8364 x}", u16(u"\u20ACx")},
        {"\\uc2 skips two \\'hh", "{\\rtf1\\uc2 \\u26085\\'93\\'fa!}", u16(u"\u65E5!")},
        {"\\uc2 skips two characters", "{\\rtf1\\uc2\\u26085?*!}", u16(u"\u65E5!")},
        {"space after \\u is its delimiter", "{\\rtf1\\uc1\\u26085 ?x}", u16(u"\u65E5x")},
        {"\\uc is restored after a group", "{\\rtf1{\\uc2 \\u945??}\\u946?x}",
         u16(u"\u03B1\u03B2x")},
        {"a brace ends the fallback", "{\\rtf1\\uc3 \\u945{b}c}", u16(u"\u03B1bc")},
        {"a control word in a fallback counts as one", "{\\rtf1\\uc2 \\u945\\'3f\\lquote x}",
         u16(u"\u03B1x")},
        {"code point above 16 bits", "{\\rtf1\\uc0 \\u128512 }", u16(u"\U0001F600")},
        {"out of range value", "{\\rtf1\\uc0 \\u99999999 }", u16(u"\uFFFD")},
        {"\\u without number", "{\\rtf1 \\u x}", "x"},
    };
    for (const Case& c : cases) {
        const RichText r = readString(c.rtf);
        expectConsistent(r);
        EXPECT_EQ(r.text, c.text) << c.name;
    }
}

TEST(RtfReader, CodePagesForHexBytes) {
    struct Case {
        const char* name;
        const char* rtf;
        QString text;
    };
    const Case cases[] = {
        {"Windows-1252 by default", "{\\rtf1 \\'80\\'e9\\'93\\'81}",
         u16(u"\u20AC\u00E9\u201C\u0081")},
        {"upper-case hex digits", "{\\rtf1 \\'C9\\'Ea}", u16(u"\u00C9\u00EA")},
        {"\\ansicpg1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}",
         u16(u"\u041F\u0440\u0438")},
        {"font charset 204", "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\'e9\\f1\\'e9}",
         u16(u"\u00E9\u0439")},
        {"font \\cpg", "{\\rtf1{\\fonttbl{\\f1\\fcharset0\\cpg1253 G;}}\\f1\\'e1}", u16(u"\u03B1")},
        {"double-byte Shift-JIS",
         "{\\rtf1{\\fonttbl{\\f1\\fcharset128 MS Mincho;}}\\f1\\'93\\'fa\\'96\\'7b}",
         u16(u"\u65E5\u672C")},
        {"Shift-JIS trail byte as literal", "{\\rtf1{\\fonttbl{\\f1\\fcharset128 J;}}\\f1\\'83e!}",
         u16(u"\u30C6!")},
        {"UTF-8 code page", "{\\rtf1\\ansicpg65001 caf\\'c3\\'a9 \xE2\x82\xAC}",
         u16(u"caf\u00E9 \u20AC")},
        {"unknown code page falls back", "{\\rtf1\\ansicpg77777 \\'e9}", u16(u"\u00E9")},
        {"literal 8-bit bytes", "{\\rtf1 caf\xE9}", u16(u"caf\u00E9")},
        {"\\'h without second digit", "{\\rtf1 a\\'4 b}", "a4 b"},
        {"\\'hh at the very end", "{\\rtf1 a\\'4", "a4"},
    };
    for (const Case& c : cases) {
        const RichText r = readString(c.rtf);
        expectConsistent(r);
        EXPECT_EQ(r.text, c.text) << c.name;
    }
}

TEST(RtfReader, SpecialCharactersAndEscapes) {
    const RichText r = readString(
        "{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote|\\~\\-\\_|"
        "\\\\\\{\\}|a\\tab b\\par c\\line d\r\ne\\\r\nf\\\ng}");
    expectConsistent(r);
    EXPECT_EQ(r.text, u16(u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D|\u00A0\u00AD\u2011|"
                          u"\\{}|a\tb\nc\nd"
                          u"e\nf\ng"));
}

TEST(RtfReader, SkipsDestinationsAndBinaryData) {
    const RichText r =
        readString("{\\rtf1{\\info{\\title Secret}{\\author Me}}{\\stylesheet{\\s0 Normal;}}"
                   "{\\header header text}{\\footer footer}{\\*\\generator Riched20;}"
                   "A{\\pict\\wmetafile8\\picw100 0123456789abcdef{\\*\\blipuid ff}fedcba}"
                   "B{\\*\\unknowndest {nested {deeper}} text}"
                   "C{\\object{\\*\\objdata 01050000}{\\result {\\pict 00}}}"
                   "D{\\pict\\bin6 {}\\}{ }E{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
                   "F\\*G{\\*\\bkmkstart b}H}");
    expectConsistent(r);
    EXPECT_EQ(r.text, "ABCDElinkFGH") << "\\* in the middle of a group is ignored";
}

TEST(RtfReader, GroupsRestoreFormatting) {
    const RichText r =
        readString("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf1 "
                   "a{\\b b{\\i\\cf2 "
                   "c{\\plain d}e}f}g}");
    expectConsistent(r);
    EXPECT_EQ(r.text, "abcdefg");
    CharStyle red = coloured(0x0000FF);
    CharStyle redBold = red;
    redBold.bold = true;
    CharStyle blueBoldItalic = coloured(0xFF0000);
    blueBoldItalic.bold = blueBoldItalic.italic = true;
    EXPECT_EQ(styleOf(r, "a"), red);
    EXPECT_EQ(styleOf(r, "b"), redBold);
    EXPECT_EQ(styleOf(r, "c"), blueBoldItalic);
    EXPECT_EQ(styleOf(r, "d"), CharStyle{});
    EXPECT_EQ(styleOf(r, "e"), blueBoldItalic);
    EXPECT_EQ(styleOf(r, "f"), redBold);
    EXPECT_EQ(styleOf(r, "g"), red);
}

TEST(RtfReader, LineBreaksAndParagraphMarksCarryTheirStyle) {
    const RichText r = readString("{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;}a\r\nb\\cf1\\par "
                                  "\r\n c\\par}");
    expectConsistent(r);
    EXPECT_EQ(r.text, "ab\n c\n");
    EXPECT_EQ(styleAt(r, 2), coloured(0xFF0000)) << "the paragraph mark has the style in force";
    EXPECT_EQ(styleAt(r, 3), coloured(0xFF0000));
}

TEST(RtfReader, TheDocumentEndsWithItsGroup) {
    EXPECT_EQ(readString("{\\rtf1 kept}lost").text, "kept");
    EXPECT_EQ(readString("{\\rtf1 a}}b{c}").text, "a");
    EXPECT_EQ(readString("{\\rtf1 a{\\b b}").text, "ab") << "missing final brace";
}

TEST(RtfReader, TextWithoutSignatureReadsAsMarkup) {
    const RichText r = readString("plain {\\b bold} text} and more\\par next");
    expectConsistent(r);
    EXPECT_EQ(r.text, "plain bold text and more\nnext");
    EXPECT_TRUE(styleOf(r, "bold").bold);
    EXPECT_FALSE(styleOf(r, "more").bold);
}

TEST(RtfReader, DamagedMarkupStillGivesTheText) {
    struct Case {
        const char* name;
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        {"unknown control words", "{\\rtf1 a\\foo b\\bar123 c\\x-5d}", "abcd"},
        {"huge numbers",
         "{\\rtf1\\fs99999999999999999999 a\\cf-99999999999999 b\\uc999999999 \\u65 "
         "0123456789abcdefXYZ}",
         "abAXYZ"},
        {"over-long control word", "{\\rtf1 " + QByteArray(5000, 'x').prepend('\\') + " text}",
         "text"},
        {"backslash at the end", "{\\rtf1 text\\", "text"},
        {"truncated inside the font table", "{\\rtf1{\\fonttbl{\\f0 Ari", ""},
        {"truncated inside a skipped group", "{\\rtf1 a{\\*\\x b", "a"},
        {"\\bin longer than the input", "{\\rtf1 a{\\pict\\bin999999 xyz", "a"},
        {"negative \\bin", "{\\rtf1 a\\bin-5 b}", "ab"},
        {"nul bytes in markup", QByteArray("{\\rtf1 a\0b}", 11), "ab"},
        {"only braces", "}}}{{{", ""},
        {"empty input", "", ""},
    };
    for (const Case& c : cases) {
        const RichText r = rtf::read(c.rtf);
        expectConsistent(r);
        EXPECT_EQ(r.text, c.text) << c.name;
    }
}

TEST(RtfReader, DeepNestingIsBounded) {
    QByteArray rtf = "{\\rtf1 ";
    rtf += QByteArray(200000, '{') + "\\b deep" + QByteArray(200000, '}') + " after}";
    const RichText r = rtf::read(rtf);
    expectConsistent(r);
    EXPECT_EQ(r.text, "deep after");
    EXPECT_TRUE(styleOf(r, "deep").bold);
}

TEST(RtfReader, FullStyleTableMapsToTheClosestStyle) {
    // 255 shades of red fill the table; 45 more colours with a touch of green have no room
    // and take the red they are closest to.
    QByteArray rtf = "{\\rtf1{\\colortbl ;";
    for (int i = 0; i < 300; ++i) {
        rtf += i < 255 ? "\\red" + QByteArray::number(i) + "\\green0\\blue0;"
                       : "\\red" + QByteArray::number((i - 255) * 5) + "\\green1\\blue0;";
    }
    rtf += "}";
    for (int i = 1; i <= 300; ++i)
        rtf += "\\cf" + QByteArray::number(i) + " x";
    rtf += "{\\b\\cf1 y}}";
    const RichText r = rtf::read(rtf);
    expectConsistent(r);
    ASSERT_EQ(r.text.size(), 301);
    EXPECT_EQ(r.styles.size(), 256u);
    for (int i = 0; i < 255; ++i)
        EXPECT_EQ(styleAt(r, i), coloured(WinColour(i))) << i;
    for (int i = 255; i < 300; ++i)
        EXPECT_EQ(styleAt(r, i), coloured(WinColour((i - 255) * 5))) << i;
    // Bold red 0 has no room: plain red 0 is closer than any other colour.
    EXPECT_EQ(styleAt(r, 300), coloured(0));
}

TEST(RtfReader, WordPadStyleDocument) {
    const QByteArray bytes =
        test::readAll(KELVANE_SOURCE_DIR "/tests/platform/data/rtf/wordpad.rtf");
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(rtf::looksLikeRtf(bytes));
    const RichText r = rtf::read(bytes);
    expectConsistent(r);
    EXPECT_EQ(r.text, u16(u"Plain line with caf\u00E9.\nBold and italic and under.\n"
                          u"Red blue auto\nArial 14\n\u041F\u0440\u0438\u0432\u0435\u0442\n"
                          u"\u00B7\titem\n\u20AC\tend\n"));
    CharStyle plain;
    plain.pointSize = 11;
    EXPECT_EQ(styleOf(r, "Plain"), plain);
    CharStyle bold = plain;
    bold.bold = true;
    EXPECT_EQ(styleOf(r, "Bold"), bold);
    EXPECT_TRUE(styleOf(r, "italic").italic);
    EXPECT_TRUE(styleOf(r, "under").underline);
    EXPECT_EQ(styleOf(r, "Red").colour, 0x0000FFu);
    EXPECT_EQ(styleOf(r, "blue").colour, 0xFF0000u);
    EXPECT_FALSE(styleOf(r, "auto").hasColour);
    EXPECT_EQ(styleOf(r, "Arial").fontName, "Arial");
    EXPECT_EQ(styleOf(r, "Arial").pointSize, 14.0f);
    EXPECT_EQ(styleOf(r, u16(u"\u041F")).fontName, "Times New Roman");
}

TEST(RtfReader, LibreOfficeStyleDocument) {
    const QByteArray bytes =
        test::readAll(KELVANE_SOURCE_DIR "/tests/platform/data/rtf/libreoffice.rtf");
    ASSERT_FALSE(bytes.isEmpty());
    const RichText r = rtf::read(bytes);
    expectConsistent(r);
    EXPECT_EQ(r.text, u16(u"Hello bold and red text\nmarked and shaded \u201Cquoted\u201D "
                          u"\u03B1\u03B2\ncode { x } \\ ylink\n"));
    CharStyle serif;
    serif.fontName = "Liberation Serif";
    serif.pointSize = 12;
    EXPECT_EQ(styleOf(r, "Hello"), serif);
    CharStyle s = serif;
    s.bold = true;
    EXPECT_EQ(styleOf(r, "bold"), s);
    s = serif;
    s.hasColour = true;
    s.colour = 0x0000FF;
    EXPECT_EQ(styleOf(r, "red"), s);
    s = serif;
    s.hasBackground = true;
    s.background = 0x00FFFF;
    EXPECT_EQ(styleOf(r, "marked"), s);
    s.background = 0x008000;
    EXPECT_EQ(styleOf(r, "shaded"), s);
    CharStyle code;
    code.fontName = "DejaVu Sans Mono";
    code.pointSize = 10;
    code.italic = code.underline = true;
    EXPECT_EQ(styleOf(r, "code"), code);
    code.italic = false;
    code.hasColour = true;
    code.colour = 0x0000FF;
    EXPECT_EQ(styleOf(r, "link"), code);
}
