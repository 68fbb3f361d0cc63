// The RTF writer's markup for long generated documents stays byte for byte what it was: backup
// copies and saved files of older builds compare equal, and a faster writer cannot drift.
#include "platform/rtf/RtfCodec.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <random>

using namespace kelvane;

namespace {

// Characters of every kind the writer treats differently.
const char16_t kSpecials[] = {
    u'\\',  u'{',   u'}',   u'\n',  u'\t',  u'\r',  0x01,   0x1F,   0x7F,
    0x80,   0x81,   0x8D,   0x9F,   0xA0,   0xE9,   0xFF,   0x20AC, 0x2026,
    0x0192, 0x03A9, 0x4E2D, 0xD83D, 0xDE00, 0x8000, 0xFFFD, 0xFFFF, u' ',
};

struct Document {
    QString text;
    std::vector<std::uint8_t> styleOfChar;
    std::vector<CharStyle> styles;
};

// Text of stretches of plain ASCII of every length (so that stretches end at every place of a
// block the writer may copy at once) between special characters, some long lines among them.
QString generatedText(std::mt19937& rng, qsizetype length) {
    QString text;
    text.reserve(length);
    while (text.size() < length) {
        const unsigned kind = rng() % 16;
        qsizetype run = kind == 0 ? qsizetype(rng() % 5000) : qsizetype(rng() % 40);
        for (; run > 0; --run)
            text += QChar(char16_t(0x20 + rng() % 0x5F));
        text += QChar(kSpecials[rng() % std::size(kSpecials)]);
    }
    text.truncate(length);
    return text;
}

std::vector<CharStyle> styleTable() {
    std::vector<CharStyle> styles(1);
    for (int i = 1; i < 12; ++i) {
        CharStyle s;
        s.hasColour = i % 4 != 0;
        s.colour = WinColour(0x102030 * i) & 0xFFFFFF;
        s.bold = i % 3 == 0;
        s.italic = i % 5 == 0;
        s.underline = i == 7;
        s.hasBackground = i % 6 == 0;
        s.background = 0xE0E0E0;
        s.pointSize = i == 8 ? 13.5f : 0;
        s.fontName = i == 9 ? QStringLiteral("Arial") : QString();
        styles.push_back(s);
    }
    styles.push_back(styles[2]);  // the same format under a second index
    CharStyle system = styles[0]; // a system colour writes as no colour
    system.hasColour = true;
    system.colour = kWindowTextColour;
    styles.push_back(system);
    return styles;
}

// Runs of styles of random lengths, some indexes past the end of the table (they write plain).
std::vector<std::uint8_t> generatedStyles(std::mt19937& rng, qsizetype length, int tableSize) {
    std::vector<std::uint8_t> styles;
    styles.reserve(std::size_t(length));
    while (qsizetype(styles.size()) < length) {
        const auto style = std::uint8_t(rng() % unsigned(tableSize + 3));
        const std::size_t run = rng() % 4 == 0 ? 1 : rng() % 300;
        styles.insert(styles.end(), run, style);
    }
    styles.resize(std::size_t(length));
    return styles;
}

std::string sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)
        .toHex()
        .left(24)
        .toStdString();
}

QByteArray writtenInPieces(const Document& d, std::mt19937& rng) {
    const std::uint32_t seed = rng();
    const rtf::StyledPieces pieces = [&](const rtf::StyledPieceSink& take) {
        std::mt19937 cuts(seed);
        for (qsizetype at = 0; at < d.text.size();) {
            const qsizetype n = std::min(d.text.size() - at, qsizetype(1 + cuts() % 70000));
            const std::size_t styled =
                std::clamp<std::size_t>(d.styleOfChar.size(), std::size_t(at), std::size_t(at + n));
            take(d.text.sliced(at, n),
                 std::span(d.styleOfChar).subspan(std::size_t(at), styled - std::size_t(at)));
            at += n;
        }
    };
    QByteArray joined;
    EXPECT_TRUE(rtf::writeTo(pieces, d.styles, {}, [&](QByteArrayView bytes) {
        joined += bytes;
        return true;
    }));
    return joined;
}

} // namespace

TEST(RtfWriterOutput, GeneratedDocumentsWriteTheMarkupTheyAlwaysHave) {
    struct Case {
        const char* what;
        qsizetype length;
        bool styled;
        qsizetype styledLength; // fewer style entries than characters: the rest is plain
        const char* digest;
    };
    const Case cases[] = {
        {"plain text", 300'000, false, 300'000, "75d4b78838e45aab1d737c08"},
        {"style runs", 300'000, true, 300'000, "adc16ac5fa5aae51f035e5ab"},
        {"short style array", 50'000, true, 20'000, "6ce7bf53d64d572415b30d4e"},
        {"one character", 1, true, 1, "46e526833e17752c146377f5"},
    };
    std::mt19937 rng(2026);
    for (const Case& c : cases) {
        Document d;
        d.text = generatedText(rng, c.length);
        d.styles = styleTable();
        d.styleOfChar = c.styled ? generatedStyles(rng, c.styledLength, int(d.styles.size()))
                                 : std::vector<std::uint8_t>(std::size_t(c.styledLength), 0);
        const QByteArray whole = rtf::write(d.text, d.styleOfChar, d.styles);
        EXPECT_EQ(sha256(whole), c.digest) << c.what;
        EXPECT_EQ(writtenInPieces(d, rng), whole) << c.what;
    }
}
