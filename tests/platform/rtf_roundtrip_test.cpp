// Written RTF reads back to the same text and the same effective style for every character.
#include "platform/rtf/RtfCodec.h"

#include <gtest/gtest.h>

#include <random>

using namespace kelvane;

namespace {

class RandomDocuments {
public:
    explicit RandomDocuments(unsigned seed) : rng_(seed) {}

    CharStyle style() {
        static const char* const fonts[] = {
            "", "Arial", "Courier New", "Times New Roman", "Caf\xC3\xA9 Mono", "A;B{C}"};
        CharStyle s;
        s.hasColour = chance(2);
        s.colour = s.hasColour ? (chance(8) ? kWindowTextColour : colour()) : 0;
        s.hasBackground = chance(4);
        s.background = s.hasBackground ? colour() : 0;
        s.bold = chance(2);
        s.italic = chance(3);
        s.underline = chance(4);
        s.pointSize = chance(2) ? 0.0f : float(pick(2, 144)) / 2;
        s.fontName = QString::fromUtf8(fonts[pick(0, 5)]);
        return s;
    }

    RichText document(int length, int styleCount, int runs) {
        RichText doc;
        doc.styles.assign(1, CharStyle{});
        for (int i = 1; i < styleCount; ++i)
            doc.styles.push_back(style());
        static const char16_t pieces[] = u"aZ09 .,;:-?\t\n{}\\\u00E9\u20AC\u0081\u00FF"
                                         u"\u03A9\u4E2D\uFFFD\u2014";
        for (int i = 0; i < length; ++i) {
            if (chance(50)) {
                doc.text.append(QChar(char16_t(0xD83D))); // a surrogate pair
                doc.text.append(QChar(char16_t(0xDE00 + pick(0, 0x4F))));
            } else {
                doc.text.append(QChar(pieces[pick(0, int(std::size(pieces)) - 2)]));
            }
        }
        doc.styleOfChar.assign(std::size_t(doc.text.size()), 0);
        for (int r = 0; r < runs && !doc.text.isEmpty(); ++r) {
            const int start = pick(0, int(doc.text.size()) - 1);
            const int end = std::min(int(doc.text.size()), start + pick(1, 40));
            const auto s = std::uint8_t(pick(0, styleCount - 1));
            std::fill(doc.styleOfChar.begin() + start, doc.styleOfChar.begin() + end, s);
        }
        return doc;
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int oneIn) { return pick(1, oneIn) == 1; }
    WinColour colour() { return WinColour(pick(0, 0xFFFFFF)); }

    std::mt19937 rng_;
};

// Text equal, and every character's style the same once the defaults are filled in.
void expectSameDocument(const RichText& expected, const RichText& actual,
                        const rtf::WriteOptions& options, int seed) {
    ASSERT_EQ(actual.text, expected.text) << "seed " << seed;
    ASSERT_EQ(actual.styleOfChar.size(), std::size_t(actual.text.size()));
    for (qsizetype i = 0; i < expected.text.size(); ++i) {
        const CharStyle& want = expected.styles[expected.styleOfChar[std::size_t(i)]];
        const CharStyle& got = actual.styles[actual.styleOfChar[std::size_t(i)]];
        ASSERT_EQ(rtf::effectiveStyle(got, options), rtf::effectiveStyle(want, options))
            << "seed " << seed << " character " << i;
    }
}

} // namespace

TEST(RtfRoundTrip, RandomDocumentsReadBackUnchanged) {
    for (int seed = 1; seed <= 300; ++seed) {
        RandomDocuments random{unsigned(seed)};
        const RichText doc = random.document(seed % 7 == 0 ? 3000 : seed, 1 + seed % 40, seed % 60);
        rtf::WriteOptions options;
        if (seed % 3 == 0) {
            options.defaultFont = "Arial";
            options.defaultPointSize = 12;
        }
        const QByteArray rtf = rtf::write(doc, options);
        expectSameDocument(doc, rtf::read(rtf), options, seed);
        expectSameDocument(doc, rtf::read(rtf, options), options, seed);
    }
}

TEST(RtfRoundTrip, AllStyleSlotsInUse) {
    RandomDocuments random(256);
    RichText doc = random.document(2000, 256, 0);
    for (std::size_t i = 0; i < doc.styleOfChar.size(); ++i)
        doc.styleOfChar[i] = std::uint8_t(i % 256);
    const rtf::WriteOptions options;
    const RichText back = rtf::read(rtf::write(doc, options), options);
    expectSameDocument(doc, back, options, 256);
}

TEST(RtfRoundTrip, EveryBmpCodeUnit) {
    RichText doc;
    for (int u = 0; u <= 0xFFFF; ++u)
        doc.text.append(QChar(char16_t(u)));
    doc.styleOfChar.assign(std::size_t(doc.text.size()), 0);
    EXPECT_EQ(rtf::read(rtf::write(doc)).text, doc.text);
}

TEST(RtfRoundTrip, WritingWhatWasReadKeepsItsLook) {
    const QByteArray foreign =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Consolas;}}{\\colortbl;\\red10\\green20"
        "\\blue30;}\\f1\\fs18 code \\cf1\\b keyword\\b0{\\highlight7 mark}\\par\\u945? end}";
    const RichText first = rtf::read(foreign);
    const RichText second = rtf::read(rtf::write(first));
    expectSameDocument(first, second, rtf::WriteOptions{}, 0);
}

TEST(RtfRoundTrip, PlainTextReadsBackAsThePlainStyleWhenTheDefaultsAreKnown) {
    RichText doc;
    doc.text = "plain\ttext\n";
    doc.styleOfChar.assign(std::size_t(doc.text.size()), 0);
    rtf::WriteOptions options;
    options.defaultFont = "Consolas";
    options.defaultPointSize = 11;
    const QByteArray rtf = rtf::write(doc, options);

    const RichText known = rtf::read(rtf, options);
    EXPECT_EQ(known.styles.size(), 1u);
    EXPECT_EQ(known.styleOfChar, doc.styleOfChar);

    const RichText unknown = rtf::read(rtf);
    ASSERT_EQ(unknown.styles.size(), 2u) << "without the defaults the size stays explicit";
    EXPECT_EQ(unknown.styles[1].pointSize, 11.0f);
    EXPECT_TRUE(unknown.styles[1].fontName.isEmpty()) << "\\f0 is the control's own font";
}

TEST(RtfRoundTrip, EachStyleColourAndEscapeIsWrittenAsRtfSaysAndReadsBack) {
    const auto styled = [](auto change) {
        CharStyle s;
        change(s);
        return s;
    };
    const CharStyle plain;
    const CharStyle bold = styled([](CharStyle& s) { s.bold = true; });
    struct Case {
        const char* name;
        const char16_t* text;
        CharStyle style;
        const char* markup; // part of the written markup
    };
    const Case cases[] = {
        {"bold", u"b", bold, "\\b b"},
        {"italic", u"i", styled([](CharStyle& s) { s.italic = true; }), "\\i i"},
        {"underline", u"u", styled([](CharStyle& s) { s.underline = true; }), "\\ul u"},
        {"all three at once", u"x",
         styled([](CharStyle& s) { s.bold = s.italic = s.underline = true; }), "\\b\\i\\ul x"},
        {"a text colour", u"c",
         styled([](CharStyle& s) { s.hasColour = true, s.colour = 0x123456; }),
         "\\red86\\green52\\blue18;"},
        {"a background", u"h",
         styled([](CharStyle& s) { s.hasBackground = true, s.background = 0xABCDEF; }),
         "\\cb1\\chcbpat1 h"},
        {"text and background of one colour share an entry", u"s", styled([](CharStyle& s) {
             s.hasColour = s.hasBackground = true;
             s.colour = s.background = 0x00FF00;
         }),
         "{\\colortbl ;\\red0\\green255\\blue0;}"},
        {"the window-text colour is no colour", u"w",
         styled([](CharStyle& s) { s.hasColour = true, s.colour = kWindowTextColour; }),
         "{\\colortbl ;}"},
        {"half a point", u"p", styled([](CharStyle& s) { s.pointSize = 10.5f; }), "\\fs21 p"},
        {"a font of its own", u"f", styled([](CharStyle& s) { s.fontName = "Arial"; }),
         "{\\f1\\fnil\\fcharset0 Arial;}"},
        {"a font name with the table's own characters", u"f",
         styled([](CharStyle& s) { s.fontName = "A;B{C}\\D"; }), "A\\'3bB\\'7bC\\'7d\\'5cD;"},
        {"a font name outside Windows-1252", u"f",
         styled([](CharStyle& s) { s.fontName = QString::fromUtf16(u"Шрифт"); }), "\\u1064?"},
        {"backslash and braces", u"\\{}", plain, "\\\\\\{\\}"},
        {"a tab", u"a\tb", plain, "a\\tab b"},
        {"a paragraph", u"a\nb", plain, "a\\par\r\nb"},
        {"a Windows-1252 letter", u"é", plain, "\\'e9"},
        {"the euro sign", u"€", plain, "\\'80"},
        {"a letter outside Windows-1252", u"Ω", plain, "\\u937?"},
        {"the upper half of the first plane", u"\uFFFD", plain, "\\u-3?"},
        {"a surrogate pair", u"😀", plain, "\\u-10179?\\u-8704?"},
        {"digits right after a control word", u"123", bold, "\\b 123"},
        {"a blank right after a control word", u" x", bold, "\\b  x"},
    };
    const rtf::WriteOptions options;
    for (const Case& c : cases) {
        RichText doc;
        doc.text = QString::fromUtf16(c.text);
        doc.styles.push_back(c.style);
        doc.styleOfChar.assign(std::size_t(doc.text.size()), 1);
        const QByteArray written = rtf::write(doc, options);
        EXPECT_TRUE(written.contains(c.markup)) << c.name << ": " << written.toStdString();
        const RichText back = rtf::read(written, options);
        EXPECT_EQ(back.text, doc.text) << c.name;
        for (std::size_t i = 0; i < back.styleOfChar.size(); ++i)
            EXPECT_EQ(rtf::effectiveStyle(back.styles[back.styleOfChar[i]], options),
                      rtf::effectiveStyle(c.style, options))
                << c.name << " character " << i;
    }
}
