// The engine against the step-by-step reference on many random texts, lists and settings.
#include "colour_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvane::test {
namespace {

/// Pieces rich in delimiter strings, quotes, line breaks, keywords in several spellings and
/// letters whose case folds are not ASCII.
const QStringList& textPieces() {
    static const QStringList pieces = {
        "<",   ">",  "/*",  "*/",     "*",  "/",   "//",     "{",      "}",  "\"", "'",
        "\n",  "\n", "\n",  "(",      ")",  "[",   "]",      " ",      " ",  "a",  "b",
        "x",   "in", "int", "print",  "IN", "Int", "PRINT",  "iNt",    "é",  "É",  "ß",
        "σ",   "Σ",  "ς",   "\u212A", "k",  "K",   "\u00FF", "\u0178", "\r", "𐐀",  "𐐨",
        "for", "or", "f",   "aa",     "->", "ss",  "\t",     "0",
    };
    return pieces;
}

/// Words for the lists: prefixes and substrings of each other, delimiter characters, spaces,
/// case variants and, rarely, line-break characters.
const QStringList& wordPool() {
    static const QStringList words = {
        "in", "int", "print", "pri", "nt", "i",  "n",  "a", "aa",  "x", "for", "or", "IN", "Int",
        "é",  "É",   "σ",     "Σ",   "k",  "//", "*/", "(", "a b", "ß", "ss",  "𐐀",  "->", "f",
    };
    return words;
}

const QStringList& lineBreakWords() {
    static const QStringList words = {"\r", "\n", "x\r", "\nb", "\r\n", "*/\r\n"};
    return words;
}

class RandomCases {
public:
    explicit RandomCases(unsigned seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QString text(int maxPieces) {
        QString t;
        const int count = below(maxPieces + 1);
        for (int i = 0; i < count; ++i)
            t += textPieces()[below(int(textPieces().size()))];
        return t;
    }

    QString list(bool allowLineBreakWords) {
        const QChar sep(0xFF);
        QString stored;
        const int count = below(7);
        for (int i = 0; i < count; ++i) {
            const QStringList& pool =
                allowLineBreakWords && below(8) == 0 ? lineBreakWords() : wordPool();
            stored += pool[below(int(pool.size()))] + sep;
        }
        switch (below(8)) {
        case 0: // last word without its separator
            stored.chop(stored.isEmpty() ? 0 : 1);
            break;
        case 1: // two separators in a row
            stored.insert(below(int(stored.size()) + 1), sep);
            break;
        case 2: // text after the last separator
            stored += "int";
            break;
        default:
            break;
        }
        return stored;
    }

    qint32 delimiters() {
        switch (below(4)) {
        case 0:
            return 0;
        case 1:
            return 511;
        case 2:
            return below(512);
        default:
            return qint32(std::uint32_t(rng_()));
        }
    }

    ColourSettings settings(bool allowLineBreakWords = true) {
        ColourSettings s;
        for (QString& list : s.keywords)
            list = this->list(allowLineBreakWords);
        s.delimiters = delimiters();
        s.codeOrder = below(2) == 0;
        s.caseSensitive = below(2) == 0;
        return s;
    }

private:
    std::mt19937 rng_;
};

std::string describe(const QString& text, const ColourSettings& s) {
    QString d = "text: " + text + "\nlists:";
    for (const QString& list : s.keywords)
        d += " [" + QString(list).replace(QChar(0xFF), '|') + "]";
    d += QString("\ndelimiters %1, codeOrder %2, caseSensitive %3")
             .arg(s.delimiters)
             .arg(s.codeOrder)
             .arg(s.caseSensitive);
    return d.toStdString();
}

TEST(ColourEngineDifferential, WholeDocumentsMatchTheReference) {
    RandomCases random(20240601);
    for (int round = 0; round < 4000; ++round) {
        const QString text = random.text(80);
        const ColourSettings s = random.settings();
        const ColourEngine engine(s);
        QStringList captions;
        const std::vector<std::uint8_t> expected = referenceDocument(text, s, &captions);
        std::vector<std::uint8_t> got(std::size_t(text.size()), 77);
        QStringList shown;
        engine.colourDocument(
            text, got, [&](const ColourStage& stage) { shown << colourStageText(stage, 7); });
        ASSERT_EQ(classString(got), classString(expected)) << "round " << round << "\n"
                                                           << describe(text, s);
        ASSERT_EQ(shown, captions) << describe(text, s);
    }
}

TEST(ColourEngineDifferential, LineBreaksAreColouredWholeWhenNoWordHoldsCrOrLf) {
    RandomCases random(77);
    for (int round = 0; round < 1500; ++round) {
        const QString text = random.text(60);
        const ColourSettings s = random.settings(false);
        bool split = false;
        referenceDocument(text, s, nullptr, &split);
        ASSERT_FALSE(split) << describe(text, s);
    }
}

TEST(ColourEngineDifferential, EveryLineMatchesTheReference) {
    RandomCases random(424242);
    for (int round = 0; round < 400; ++round) {
        const QString text = random.text(120);
        const ColourSettings s = random.settings();
        const ColourEngine engine(s);
        // Every line between breaks, as CodeLine takes it from the caret.
        for (qsizetype pos = 0; pos <= text.size();) {
            const ColourTextLine line = ColourEngine::lineAt(text, pos);
            const LineColours got = engine.colourLine(text, line.start, line.length);
            ASSERT_EQ(got.start, line.start);
            ReferenceColourer ref(toCrlf(text), referenceSettings(s));
            ref.CodeLine(crlfPosition(text, pos));
            const std::vector<std::uint8_t> all = perCharacter(text, ref.colours);
            const std::vector<std::uint8_t> expected(
                all.begin() + line.start, all.begin() + line.start + qsizetype(got.colours.size()));
            ASSERT_EQ(classString(got.colours), classString(expected)) << "line at " << pos << "\n"
                                                                       << describe(text, s);
            // Nothing outside the result may have been painted by the reference.
            for (qsizetype k = 0; k < text.size(); ++k) {
                if (k < got.start || k >= got.start + qsizetype(got.colours.size())) {
                    ASSERT_EQ(all[std::size_t(k)], Untouched) << describe(text, s);
                }
            }
            pos = line.start + line.length + 1;
        }
    }
}

TEST(ColourEngineDifferential, DisplayLinesOfWrappedParagraphsMatchTheReference) {
    RandomCases random(99);
    for (int round = 0; round < 1500; ++round) {
        const QString text = random.text(60);
        const ColourSettings s = random.settings();
        // A piece of a paragraph, as a wrapped display line: it never holds a line break.
        const ColourTextLine paragraph =
            ColourEngine::lineAt(text, random.below(int(text.size()) + 1));
        const qsizetype start = paragraph.start + random.below(int(paragraph.length) + 1);
        const qsizetype length = random.below(int(paragraph.start + paragraph.length - start) + 1);
        const LineColours got = ColourEngine(s).colourLine(text, start, length);
        const std::vector<std::uint8_t> expected =
            referenceLine(text, s, start, length, qsizetype(got.colours.size()));
        ASSERT_EQ(classString(got.colours), classString(expected))
            << "display line " << start << "+" << length << "\n"
            << describe(text, s);
    }
}

TEST(ColourEngineDifferential, EveryDelimiterSettingInBothOrders) {
    RandomCases random(5);
    std::vector<QString> texts;
    for (int i = 0; i < 4; ++i)
        texts.push_back(random.text(150));
    ColourSettings s;
    s.keywords = {random.list(false), random.list(false), random.list(false)};
    for (qint32 delimiters = 0; delimiters < 512; ++delimiters)
        for (const bool order : {false, true}) {
            s.delimiters = delimiters;
            s.codeOrder = order;
            const ColourEngine engine(s);
            for (const QString& text : texts)
                ASSERT_EQ(classString(engine.colourDocument(text)),
                          classString(referenceDocument(text, s)))
                    << describe(text, s);
        }
}

TEST(ColourEngineDifferential, LongTextsAcrossTheEnginesInternalBoundaries) {
    // Few letters make long and overlapping matches that cross every chunk and stream edge.
    std::mt19937 rng(3);
    const QString alphabet = "aab(/*)\"\n'";
    for (const int size : {40000, 70001, 140003}) {
        QString text(size, QChar(' '));
        for (QChar& c : text)
            c = alphabet[int(rng() % alphabet.size())];
        for (const bool caseSensitive : {false, true})
            for (const bool order : {false, true}) {
                ColourSettings s;
                s.keywords = {keywordList({"aa", "aba", "a"}),
                              keywordList({"aaaaaaaaaaaaaaaaaaab", "ba"}),
                              keywordList({"aaa", "b(", "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"})};
                s.delimiters = 511;
                s.codeOrder = order;
                s.caseSensitive = caseSensitive;
                const ColourEngine engine(s);
                ASSERT_EQ(classString(engine.colourDocument(text)),
                          classString(referenceDocument(text, s)))
                    << size << " " << order;
            }
    }
}

} // namespace
} // namespace kelvane::test
