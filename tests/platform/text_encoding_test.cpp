// Text file encodings: detection, line-break styles and exact byte round trips.
#include "platform/TextEncoding.h"

#include <QSet>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <random>

using namespace kelvane;

namespace {

QByteArray roundTrip(const QByteArray& bytes) {
    const DecodedText decoded = decodeText(bytes);
    return encodeText(decoded.text, decoded.format);
}

struct DetectionCase {
    const char* name;
    QByteArray bytes;
    TextEncoding encoding;
    QString text;
};

} // namespace

TEST(TextEncoding, DetectsEachEncoding) {
    const DetectionCase cases[] = {
        {"plain ASCII is UTF-8", "hello", TextEncoding::Utf8, "hello"},
        {"UTF-8 without mark", "gr\xC3\xBC\xC3\x9F \xE2\x82\xAC", TextEncoding::Utf8,
         QString::fromUtf8(u8"grüß €")},
        {"UTF-8 with mark", "\xEF\xBB\xBFok \xC3\xA9", TextEncoding::Utf8WithBom,
         QString::fromUtf8(u8"ok é")},
        {"UTF-16 LE", QByteArray("\xFF\xFEh\0i\0\xAC\x20", 8), TextEncoding::Utf16LE,
         QString::fromUtf8(u8"hi€")},
        {"UTF-16 BE", QByteArray("\xFE\xFF\0h\0i\x20\xAC", 8), TextEncoding::Utf16BE,
         QString::fromUtf8(u8"hi€")},
        {"invalid UTF-8 is Windows-1252", "caf\xE9 \x80 \x93q\x94", TextEncoding::Windows1252,
         QString::fromUtf16(u"caf\u00E9 \u20AC \u201Cq\u201D")},
        {"UTF-8 mark with invalid body keeps every byte", "\xEF\xBB\xBF\xE9",
         TextEncoding::Windows1252, QString::fromUtf16(u"\u00EF\u00BB\u00BF\u00E9")},
        {"overlong form is not UTF-8", "\xC0\xAF", TextEncoding::Windows1252,
         QString::fromUtf16(u"\u00C0\u00AF")},
        {"encoded surrogate is not UTF-8", "\xED\xA0\x80", TextEncoding::Windows1252,
         QString::fromUtf16(u"\u00ED\u00A0\u20AC")},
        {"beyond U+10FFFF is not UTF-8", "\xF4\x90\x80\x80", TextEncoding::Windows1252,
         QString::fromUtf16(u"\u00F4\u0090\u20AC\u20AC")},
        {"truncated sequence is not UTF-8", "ab\xE2\x82", TextEncoding::Windows1252,
         QString::fromUtf16(u"ab\u00E2\u201A")},
        {"four-byte UTF-8", "\xF0\x9F\x98\x80", TextEncoding::Utf8, QString::fromUtf8(u8"😀")},
        {"empty file", "", TextEncoding::Utf8, ""},
    };
    for (const auto& c : cases) {
        const DecodedText decoded = decodeText(c.bytes);
        EXPECT_EQ(decoded.format.encoding, c.encoding) << c.name;
        EXPECT_EQ(decoded.text, c.text) << c.name;
        EXPECT_EQ(roundTrip(c.bytes), c.bytes) << c.name;
    }
}

TEST(TextEncoding, LineBreaksBecomeNewlinesAndTheMostUsedStyleWins) {
    const DecodedText d = decodeText("a\r\nb\r\nc\nd\re\r\n");
    EXPECT_EQ(d.text, "a\nb\nc\nd\ne\n");
    EXPECT_EQ(d.format.lineBreak, LineBreak::CrLf);
    const std::vector<std::pair<qsizetype, LineBreak>> exceptions{{2, LineBreak::Lf},
                                                                  {3, LineBreak::Cr}};
    EXPECT_EQ(d.format.exceptions, exceptions);

    EXPECT_EQ(decodeText("x\ry\r").format.lineBreak, LineBreak::Cr);
    EXPECT_TRUE(decodeText("x\ry\r").format.exceptions.empty());
}

TEST(TextEncoding, TextWithoutLineBreakUsesThePlatformStyle) {
    EXPECT_EQ(decodeText("one line").format.lineBreak, platformLineBreak());
    EXPECT_EQ(decodeText("").format.lineBreak, platformLineBreak());
#ifdef Q_OS_WIN
    EXPECT_EQ(platformLineBreak(), LineBreak::CrLf);
#else
    EXPECT_EQ(platformLineBreak(), LineBreak::Lf);
#endif
}

TEST(TextEncoding, TrickyInputsRoundTripByteForByte) {
    const QByteArray cases[] = {
        "no final break",
        "final break\n",
        "\r\n\r\n\n\r\r",
        "lone CR before LF at end\r\r\n",
        "LF then CR\n\r",
        QByteArray("nul\0bytes\0\r\n\0", 14),
        "\xEF\xBB\xBF",
        "\xEF\xBB\xBF\r\n",
        "\xEF\xBB\xBF"
        "a\rb\nc\r\n",
        "\xFF\xFE",
        QByteArray("\xFF\xFE\r\0\n\0\r\0x\0\n\0", 12),
        QByteArray("\xFE\xFF\0\r\0\n\0\n", 8),
        QByteArray("\xFF\xFE\x00\xD8"
                   "a\0",
                   6),                             // unpaired high surrogate
        QByteArray("\xFF\xFE\x00\xDC\x00\xD8", 6), // reversed pair
        QByteArray("\xFF\xFEh\0i\0!", 7),          // odd length
        QByteArray("\xFE\xFF\0h\x0D", 5),          // odd length, last byte a CR
        "\xFF\xFE\xFF",
        "mixed \xE9 and \xC3\xA9\r\n",
        "\x81\x8D\x8F\x90\x9D",
        "\xEF\xBB\xBF\xFF\xFE",
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "a zero-width no-break space after the mark",
        "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF\r\n",
    };
    for (const QByteArray& bytes : cases)
        EXPECT_EQ(roundTrip(bytes), bytes) << bytes.toHex().constData();
}

TEST(TextEncoding, OddUtf16KeepsTheLastByteApart) {
    const DecodedText d = decodeText(QByteArray("\xFF\xFEh\0i\0!", 7));
    EXPECT_EQ(d.text, "hi");
    EXPECT_EQ(d.format.trailingBytes, "!");
}

TEST(TextEncoding, RandomBytesRoundTrip) {
    std::mt19937 rng(1252);
    const char alphabet[] = {'\r',   '\n',   'a',    '\0',   '\xC3', '\xA9', '\xE2', '\x82',
                             '\xAC', '\xFF', '\xFE', '\xEF', '\xBB', '\xBF', '\x80', '\xED'};
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int length = int(rng() % 40);
        for (int i = 0; i < length; ++i) {
            // Half the inputs draw from bytes that stress the detection, half from all bytes.
            bytes.append(round % 2 ? alphabet[rng() % sizeof alphabet] : char(rng() % 256));
        }
        if (round % 5 == 0)
            bytes.prepend(round % 3 == 0   ? "\xFF\xFE"
                          : round % 3 == 1 ? "\xFE\xFF"
                                           : "\xEF\xBB\xBF");
        ASSERT_EQ(roundTrip(bytes), bytes) << bytes.toHex().constData();
    }
}

TEST(TextEncoding, Windows1252MapsEveryByteBothWays) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    for (int unassigned : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(text[unassigned], QChar(unassigned));
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    EXPECT_TRUE(fitsWindows1252(text));
    EXPECT_EQ(toWindows1252(text), all);
}

TEST(TextEncoding, Windows1252TableAgreesWithTheSystemCodec) {
    QStringDecoder system("windows-1252");
    if (!system.isValid())
        GTEST_SKIP() << "no system Windows-1252 decoder";
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            continue;
        const char byte = char(b);
        const QString expected = system.decode(QByteArrayView(&byte, 1));
        EXPECT_EQ(windows1252Char(std::uint8_t(b)), expected.at(0)) << b;
    }
}

TEST(TextEncoding, CharactersOutsideWindows1252) {
    const QString text = QString::fromUtf8(u8"a€ Ω 😀");
    EXPECT_FALSE(fitsWindows1252(text));
    EXPECT_EQ(toWindows1252(text), "a\x80 ? ??");
    EXPECT_EQ(windows1252Byte(QChar(0x03A9)), -1);
    EXPECT_EQ(windows1252Byte(QChar(0x2122)), 0x99);
}

TEST(TextEncoding, Windows1252FallsBackToUtf8WhenTextDoesNotFit) {
    TextFileFormat format;
    format.encoding = TextEncoding::Windows1252;
    format.lineBreak = LineBreak::CrLf;
    TextEncoding used = TextEncoding::Utf16BE;

    EXPECT_EQ(encodeText(QString::fromUtf8(u8"é\n€"), format, &used), "\xE9\r\n\x80");
    EXPECT_EQ(used, TextEncoding::Windows1252);

    EXPECT_EQ(encodeText(QString::fromUtf8(u8"é\nΩ"), format, &used), "\xC3\xA9\r\n\xCE\xA9");
    EXPECT_EQ(used, TextEncoding::Utf8);
}

TEST(TextEncoding, EditedTextKeepsTheFileStyleAndExceptionsStayInPlace) {
    TextFileFormat format;
    format.encoding = TextEncoding::Utf16LE;
    format.lineBreak = LineBreak::CrLf;
    format.exceptions = {{1, LineBreak::Lf}, {5, LineBreak::Cr}};
    // Exception 5 lies past the last break of the edited text and is ignored.
    EXPECT_EQ(encodeText(u"a\nb\nc\nd", format), QByteArray("\xFF\xFE"
                                                            "a\0\r\0\n\0b\0\n\0c\0\r\0\n\0d\0",
                                                            20));
}

TEST(TextEncoding, DecodingInPiecesGivesTheWholeFileDecoding) {
    // Every encoding, with characters and CR LF pairs cut at every piece boundary.
    const QByteArray files[] = {
        QByteArray("ab\r\ncd\r\ref\ngh\r\n\r\r\n"),
        QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFh\xC3\xBC\r\n\xE6\x97\xA5\xF0\x9F\x98\x80\r"),
        QByteArray("\xFF\xFE"
                   "a\0\r\0\n\0=\xD8\x00\xDE\r\0x",
                   15),
        QByteArray("caf\xE9\r\n\x80\r\r\n"),
    };
    for (const QByteArray& bytes : files) {
        const DecodedText whole = decodeText(bytes);
        for (qsizetype pieceBytes = 1; pieceBytes <= 8; ++pieceBytes) {
            QString text;
            int pieces = 0;
            const TextFileFormat format = decodeTextPieces(
                bytes,
                [&](QStringView piece) {
                    text += piece;
                    ++pieces;
                },
                pieceBytes);
            EXPECT_EQ(text, whole.text) << bytes.toHex().constData() << " by " << pieceBytes;
            EXPECT_EQ(format, whole.format) << bytes.toHex().constData() << " by " << pieceBytes;
            EXPECT_GT(pieces, 1);
        }
    }
}

TEST(TextEncoding, HalfASurrogatePairAtTheEndIsKeptAsTheReplacementCharacter) {
    // Nothing of the text is dropped: half a pair becomes U+FFFD wherever it stands, also at the
    // very end, where the encoder would otherwise wait for the other half.
    TextFileFormat format;
    format.encoding = TextEncoding::Utf8;
    const QByteArray replacement("\xEF\xBF\xBD");
    const QString endsHalf = QStringLiteral("ab") + QChar(0xD83D);
    EXPECT_EQ(encodeText(endsHalf, format), "ab" + replacement);
    const QString middleHalf = QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b");
    EXPECT_EQ(encodeText(middleHalf, format), "a" + replacement + "b");
    // A whole pair split between two pieces stays one character.
    const QString pair = QString::fromUtf8("x\xF0\x9F\x98\x80");
    const QByteArray split = encodeTextPieces(
        [&](const std::function<void(QStringView)>& take) {
            take(QStringView(pair).first(2));
            take(QStringView(pair).sliced(2));
        },
        format);
    EXPECT_EQ(split, "x\xF0\x9F\x98\x80");
}

TEST(TextEncoding, EncodingInPiecesGivesTheWholeTextEncoding) {
    TextFileFormat format;
    format.lineBreak = LineBreak::CrLf;
    format.exceptions = {{1, LineBreak::Lf}, {3, LineBreak::Cr}};
    const QString text = QString::fromUtf8("a\nb\xC3\xBC\nc\n\xF0\x9F\x98\x80\nend");
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf8WithBom,
                                  TextEncoding::Utf16BE, TextEncoding::Windows1252}) {
        format.encoding = encoding;
        TextEncoding wholeUsed{};
        const QByteArray whole = encodeText(text, format, &wholeUsed);
        for (qsizetype pieceLength = 1; pieceLength <= 4; ++pieceLength) {
            TextEncoding used{};
            const QByteArray bytes = encodeTextPieces(
                [&](const std::function<void(QStringView)>& take) {
                    for (qsizetype at = 0; at < text.size(); at += pieceLength)
                        take(QStringView(text).mid(at, pieceLength));
                },
                format, &used);
            EXPECT_EQ(bytes, whole) << int(encoding) << " by " << pieceLength;
            EXPECT_EQ(used, wholeUsed);
        }
    }
    EXPECT_EQ(format.encoding, TextEncoding::Windows1252);
}

TEST(TextEncoding, Utf8DecodesAsQtDoesInPiecesOfEverySize) {
    // Characters of one to four bytes, a leading U+FEFF and every line-break style, decoded
    // whole and in pieces that cut characters and CR LF pairs: the text Qt's own decoder
    // gives, with every break one '\n'.
    std::mt19937 rng(8);
    const QString alphabet = QStringLiteral("ab \r\n\t\u00e9\u00ff\u20ac\u65e5\U0001F600\uFEFF");
    for (int round = 0; round < 400; ++round) {
        QString text;
        const int length = int(rng() % 60);
        for (int i = 0; i < length; ++i) {
            const qsizetype at = qsizetype(rng() % alphabet.size());
            // The emoji is a surrogate pair: take both halves.
            if (alphabet[at].isLowSurrogate())
                text += alphabet.mid(at - 1, 2);
            else if (alphabet[at].isHighSurrogate())
                text += alphabet.mid(at, 2);
            else
                text += alphabet[at];
        }
        const QByteArray bytes = text.toUtf8();
        // A U+FEFF that starts the file is the file's byte-order mark, not a character.
        QString expected = QStringDecoder(QStringConverter::Utf8)(bytes);
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        const DecodedText whole = decodeText(bytes);
        ASSERT_EQ(whole.text, expected) << bytes.toHex().constData();
        for (const qsizetype pieceBytes : {2, 4, 6, 64}) {
            QString joined;
            const TextFileFormat format = decodeTextPieces(
                bytes, [&joined](QStringView piece) { joined += piece; }, pieceBytes);
            ASSERT_EQ(joined, expected) << bytes.toHex().constData() << " by " << pieceBytes;
            ASSERT_EQ(format, whole.format);
        }
        ASSERT_EQ(encodeText(whole.text, whole.format), bytes) << bytes.toHex().constData();
    }
}
