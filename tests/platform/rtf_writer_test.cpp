// The RTF writer: header and tables, control words only where runs change, escapes.
#include "platform/rtf/RtfCodec.h"
#include "platform/text/StyleBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace kelvane;

namespace {

// Writes text whose characters take the style named by the digit at the same place of
// `styleDigits` ('0' to '9'; shorter digit strings leave the rest plain).
QByteArray writeStyled(const QString& text, const char* styleDigits,
                       const std::vector<CharStyle>& styles, const rtf::WriteOptions& o = {}) {
    std::vector<std::uint8_t> styleOfChar(std::size_t(text.size()), 0);
    for (std::size_t i = 0; styleDigits[i] && i < styleOfChar.size(); ++i)
        styleOfChar[i] = std::uint8_t(styleDigits[i] - '0');
    return rtf::write(text, styleOfChar, styles, o);
}

// The markup after the header, without the final brace.
QByteArray body(const QByteArray& rtf) {
    const QByteArray marker = "\\viewkind4\\uc1\\pard";
    const qsizetype at = rtf.indexOf(marker);
    EXPECT_GE(at, 0);
    EXPECT_TRUE(rtf.endsWith("}\r\n"));
    return rtf.mid(at + marker.size()).chopped(3);
}

CharStyle coloured(WinColour c) {
    CharStyle s;
    s.hasColour = true;
    s.colour = c;
    return s;
}

} // namespace

TEST(RtfWriter, HeaderFontAndColourTables) {
    CharStyle arial = coloured(0x0000FF);
    arial.fontName = "Arial";
    CharStyle blueOnYellow = coloured(0xFF0000);
    blueOnYellow.hasBackground = true;
    blueOnYellow.background = 0x00FFFF;
    CharStyle unused = coloured(0x123456);
    unused.fontName = "Unused";
    const QByteArray rtf = writeStyled("abc", "012", {CharStyle{}, arial, blueOnYellow, unused});
    EXPECT_EQ(rtf, "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Courier "
                   "New;}{\\f1\\fnil\\fcharset0 Arial;}}\r\n"
                   "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
                   "\\red255\\green255\\blue0;}\r\n"
                   "\\viewkind4\\uc1\\pard\\f0\\fs20 a\\f1\\cf1 b\\f0\\cf2\\cb3\\chcbpat3 c}\r\n");
}

TEST(RtfWriter, OnlyChangedControlWordsBetweenRuns) {
    CharStyle bold;
    bold.bold = true;
    CharStyle boldItalicUnder = bold;
    boldItalicUnder.italic = boldItalicUnder.underline = true;
    CharStyle big;
    big.pointSize = 14.5f;
    const QByteArray rtf =
        writeStyled("aabbccbda", "001122103", {CharStyle{}, bold, boldItalicUnder, big});
    EXPECT_EQ(body(rtf), "\\f0\\fs20 aa\\b bb\\i\\ul cc\\i0\\ulnone b\\b0 d\\fs29 a");
}

TEST(RtfWriter, DefaultFontAndSizeComeFromTheOptions) {
    rtf::WriteOptions options;
    options.defaultFont = "Consolas";
    options.defaultPointSize = 12;
    CharStyle named;
    named.fontName = "Consolas"; // the default font, named: still \f0
    named.pointSize = 9;
    const QByteArray rtf = writeStyled("ab", "01", {CharStyle{}, named}, options);
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Consolas;}}"));
    EXPECT_FALSE(rtf.contains("\\f1"));
    EXPECT_EQ(body(rtf), "\\f0 a\\fs18 b") << "12 points is the size RTF assumes";
}

TEST(RtfWriter, WindowTextColourWritesNoColour) {
    CharStyle windowText = coloured(kWindowTextColour);
    const QByteArray rtf = writeStyled("ab", "01", {coloured(0x00FF00), windowText});
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red0\\green255\\blue0;}"));
    EXPECT_EQ(body(rtf), "\\f0\\fs20\\cf1 a\\cf0 b");
}

TEST(RtfWriter, ParagraphsTabsAndEscapes) {
    const QByteArray rtf = writeStyled("a\tb\n{x}\\y\t\t1\n\n", "", {CharStyle{}});
    EXPECT_EQ(body(rtf), "\\f0\\fs20 a\\tab b\\par\r\n\\{x\\}\\\\y\\tab\\tab 1\\par\r\n\\par\r\n");
}

TEST(RtfWriter, ASpaceSeparatesAControlWordFromText) {
    CharStyle bold;
    bold.bold = true;
    // The space after "\b" is eaten by the reader, so a real space needs one more.
    EXPECT_EQ(body(writeStyled("a b", "011", {CharStyle{}, bold})), "\\f0\\fs20 a\\b  b");
    EXPECT_EQ(body(writeStyled("a{", "01", {CharStyle{}, bold})), "\\f0\\fs20 a\\b\\{");
    EXPECT_EQ(body(writeStyled("a\t-", "", {CharStyle{}})), "\\f0\\fs20 a\\tab -");
}

TEST(RtfWriter, CharactersBeyondAscii) {
    const QString text =
        QString::fromUtf16(u"\u00E9\u20AC\u0081\u03A9\uFFFD\U0001F600\u007F\u0001");
    EXPECT_EQ(body(writeStyled(text, "", {CharStyle{}})),
              "\\f0\\fs20\\'e9\\'80\\'81\\u937?\\u-3?\\u-10179?\\u-8704?\\'7f\\'01");
}

TEST(RtfWriter, FontNamesAreEscaped) {
    CharStyle odd;
    odd.fontName = QString::fromUtf16(u"A;B{}\\ \u00E9\u03A9");
    const QByteArray rtf = writeStyled("x", "1", {CharStyle{}, odd});
    EXPECT_TRUE(rtf.contains("{\\f1\\fnil\\fcharset0 A\\'3bB\\'7b\\'7d\\'5c \\'e9\\u937?;}"))
        << rtf.constData();
    EXPECT_EQ(rtf::read(rtf).styles.at(1).fontName, odd.fontName);
}

TEST(RtfWriter, BadStyleIndexesAndShortStyleArraysWriteAsPlain) {
    const std::vector<std::uint8_t> styleOfChar{1, 7};
    const std::vector<CharStyle> styles{CharStyle{}, coloured(0xFF)};
    const QByteArray rtf = rtf::write(u"abcd", styleOfChar, styles);
    EXPECT_EQ(body(rtf), "\\f0\\fs20\\cf1 a\\cf0 bcd");
    EXPECT_EQ(body(rtf::write(u"xy", {}, {})), "\\f0\\fs20 xy");
}

TEST(RtfWriter, EmptyText) {
    const QByteArray rtf = rtf::write(RichText{});
    EXPECT_TRUE(rtf::looksLikeRtf(rtf));
    EXPECT_EQ(body(rtf), "");
    EXPECT_TRUE(rtf::read(rtf).text.isEmpty());
}

TEST(RtfWriter, EffectiveStyleFillsDefaults) {
    rtf::WriteOptions options;
    options.defaultFont = "Mono";
    options.defaultPointSize = 9;
    CharStyle s = coloured(0x80000005);
    s.hasBackground = true;
    s.background = 0x01ABCDEF;
    s.pointSize = 10.3f;
    const CharStyle e = rtf::effectiveStyle(s, options);
    EXPECT_FALSE(e.hasColour) << "system colours are the automatic colour";
    EXPECT_EQ(e.background, 0xABCDEFu);
    EXPECT_EQ(e.pointSize, 10.5f);
    EXPECT_EQ(e.fontName, "Mono");
    EXPECT_EQ(rtf::effectiveStyle(CharStyle{}, options).pointSize, 9.0f);
}

namespace {

// writeTo over the text cut at the given places, its markup joined again.
QByteArray writeInPieces(QStringView text, std::span<const std::uint8_t> styleOfChar,
                         std::span<const CharStyle> styles, const std::vector<qsizetype>& cuts,
                         int* sinkCalls = nullptr) {
    const rtf::StyledPieces pieces = [&](const rtf::StyledPieceSink& take) {
        qsizetype from = 0;
        for (qsizetype to : cuts) {
            take(text.sliced(from, to - from),
                 styleOfChar.subspan(std::size_t(from), std::size_t(to - from)));
            from = to;
        }
        take(text.sliced(from), styleOfChar.subspan(std::size_t(from)));
    };
    QByteArray joined;
    EXPECT_TRUE(rtf::writeTo(pieces, styles, {}, [&](QByteArrayView bytes) {
        joined += bytes;
        if (sinkCalls)
            ++*sinkCalls;
        return true;
    }));
    return joined;
}

} // namespace

TEST(RtfWriter, PiecesWriteTheSameMarkupWhereverTheTextIsCut) {
    CharStyle bold;
    bold.bold = true;
    const std::vector<CharStyle> styles{CharStyle{}, coloured(0xFF), bold};
    const QString text = "ab\tc{\\}\n\u00e9\u03a9 x\ty";
    std::vector<std::uint8_t> styleOfChar{0, 1, 1, 0, 2, 2, 2, 0, 1, 1, 0, 0, 2, 2};
    ASSERT_EQ(styleOfChar.size(), std::size_t(text.size()));
    const QByteArray whole = rtf::write(text, styleOfChar, styles);
    for (qsizetype cut = 0; cut <= text.size(); ++cut)
        EXPECT_EQ(writeInPieces(text, styleOfChar, styles, {cut}), whole) << "cut at " << cut;
    std::vector<qsizetype> everyCharacter;
    for (qsizetype at = 1; at < text.size(); ++at)
        everyCharacter.push_back(at);
    EXPECT_EQ(writeInPieces(text, styleOfChar, styles, everyCharacter), whole);

    // Given the styles the text uses, the pieces are walked once for the same markup; the
    // plain style is in the tables even where no character uses it.
    for (const bool plainUsed : {true, false}) {
        std::vector<std::uint8_t> noPlain = styleOfChar;
        if (!plainUsed)
            std::replace(noPlain.begin(), noPlain.end(), std::uint8_t(0), std::uint8_t(2));
        std::array<bool, 256> used{};
        markUsedValues(used, noPlain.data(), qsizetype(noPlain.size()));
        int walks = 0;
        QByteArray once;
        EXPECT_TRUE(rtf::writeTo(
            [&](const rtf::StyledPieceSink& take) {
                ++walks;
                take(text, noPlain);
            },
            used, styles, {},
            [&](QByteArrayView bytes) {
                once += bytes;
                return true;
            }));
        EXPECT_EQ(walks, 1);
        EXPECT_EQ(once, rtf::write(text, noPlain, styles)) << "plain style used: " << plainUsed;
    }
}

TEST(RtfWriter, ALongTextReachesTheSinkInPiecesAndARefusalStopsIt) {
    const QString text = QString("int x; /* {y} */\n").repeated(200'000);
    std::vector<std::uint8_t> styleOfChar(std::size_t(text.size()));
    for (std::size_t i = 0; i < styleOfChar.size(); ++i)
        styleOfChar[i] = std::uint8_t(i / 7 % 2);
    const std::vector<CharStyle> styles{CharStyle{}, coloured(0xFF00)};
    int calls = 0;
    EXPECT_EQ(writeInPieces(text, styleOfChar, styles, {text.size() / 3}, &calls),
              rtf::write(text, styleOfChar, styles));
    EXPECT_GT(calls, 2) << "several megabytes of markup are handed on as they are made";

    int refusedCalls = 0;
    const bool written =
        rtf::writeTo([&](const rtf::StyledPieceSink& take) { take(text, styleOfChar); }, styles, {},
                     [&](QByteArrayView) {
                         ++refusedCalls;
                         return false;
                     });
    EXPECT_FALSE(written);
    EXPECT_EQ(refusedCalls, 1) << "nothing more is offered once a piece was refused";
}
