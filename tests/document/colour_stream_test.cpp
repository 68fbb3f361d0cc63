// The piece-by-piece document pass against the whole-document pass and the reference.
#include "colour_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvane::test {
namespace {

/// Runs a stream over the text cut at the given lengths (the rest as a last piece) and applies
/// what reaches the sink as an overlay would: Untouched leaves a character as it is.
std::vector<std::uint8_t> streamed(const ColourEngine& engine, const QString& text,
                                   const std::vector<qsizetype>& cuts,
                                   QStringList* captions = nullptr) {
    std::vector<std::uint8_t> result(std::size_t(text.size()), 99);
    ColourStream stream(
        engine, text.size(),
        [&](qsizetype from, const std::uint8_t* classes, qsizetype count) {
            ASSERT_GE(from, 0);
            ASSERT_LE(from + count, text.size());
            for (qsizetype k = 0; k < count; ++k)
                if (classes[k] != Untouched)
                    result[std::size_t(from + k)] = classes[k];
        },
        [&](const ColourStage& stage) {
            if (captions)
                *captions << colourStageText(stage, 7);
        });
    qsizetype at = 0;
    for (const qsizetype cut : cuts) {
        const qsizetype n = std::min(cut, text.size() - at);
        stream.append(QStringView(text).mid(at, n));
        at += n;
    }
    stream.append(QStringView(text).mid(at));
    stream.finish();
    return result;
}

std::vector<qsizetype> randomCuts(std::mt19937& rng, qsizetype size, qsizetype typical) {
    std::vector<qsizetype> cuts;
    for (qsizetype total = 0; total < size;) {
        // Now and then an empty or one-character piece.
        const auto kind = rng() % 8;
        const qsizetype n = kind == 0 ? 0 : kind == 1 ? 1 : qsizetype(rng() % typical) + 1;
        cuts.push_back(n);
        total += n;
    }
    return cuts;
}

TEST(ColourStream, SmallTextsInAnyPiecesMatchTheReference) {
    const QStringList pieces = {"<", ">", "/*", "*/", "*", "/",  "//",  "{",  "}",  "\"", "'", "\n",
                                "(", ")", "[",  "]",  " ", "in", "int", "IN", "aa", "é",  "\r"};
    std::mt19937 rng(11);
    for (int round = 0; round < 1500; ++round) {
        QString text;
        for (int i = int(rng() % 60); i > 0; --i)
            text += pieces[int(rng() % pieces.size())];
        ColourSettings s;
        s.keywords = {keywordList({"in", "int", "a"}), keywordList({"aa", "*/", "\r\n"}),
                      keywordList({"IN", "x\r"})};
        s.delimiters = round % 3 == 0 ? 511 : int(rng() % 512);
        s.codeOrder = rng() % 2 == 0;
        s.caseSensitive = rng() % 2 == 0;
        const ColourEngine engine(s);
        QStringList expectedCaptions;
        const std::vector<std::uint8_t> expected = referenceDocument(text, s, &expectedCaptions);
        QStringList captions;
        ASSERT_EQ(classString(streamed(engine, text, randomCuts(rng, text.size(), 8), &captions)),
                  classString(expected))
            << "round " << round << ": " << text.toStdString();
        ASSERT_EQ(captions, expectedCaptions);
    }
}

TEST(ColourStream, RunsAndWordsAcrossHandedOnTextMatchTheWholePass) {
    // Few delimiter characters among many letters: runs open long before they close, so they
    // reach back into text the stream has already handed on; long words cross piece edges.
    std::mt19937 rng(8);
    const QString letters = "aab b\nAa";
    const QString rare = "(/*)\"'{}<>[]\n/";
    for (const qsizetype size : {70000, 300001})
        for (const int spacing : {50, 5000, 60000}) {
            QString text(size, QChar(' '));
            for (QChar& c : text)
                c = rng() % spacing == 0 ? rare[int(rng() % rare.size())]
                                         : letters[int(rng() % letters.size())];
            for (const bool order : {false, true})
                for (const bool caseSensitive : {false, true}) {
                    ColourSettings s;
                    s.keywords = {keywordList({"aa", "ab", "b\r\nA"}),
                                  keywordList({"aaaaaaaaaaaaaaab", "ba"}),
                                  keywordList({"b", "a b", "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"})};
                    s.delimiters = 511;
                    s.codeOrder = order;
                    s.caseSensitive = caseSensitive;
                    const ColourEngine engine(s);
                    const std::string expected = classString(engine.colourDocument(text));
                    for (const qsizetype typical : {qsizetype(7), qsizetype(40000), size})
                        ASSERT_EQ(
                            classString(streamed(engine, text, randomCuts(rng, size, typical))),
                            expected)
                            << size << " " << spacing << " " << order << " " << caseSensitive << " "
                            << typical;
                }
        }
}

TEST(ColourStream, AnUnclosedRunLeavesHandedOnTextAlone) {
    ColourSettings s;
    s.keywords = {keywordList({"int"}), {}, {}};
    s.delimiters = 511;
    const ColourEngine engine(s);
    const QString text = "/* int " + QString(200000, QChar('x')) + " (int";
    const std::vector<std::uint8_t> got = streamed(engine, text, {1000, 100000, 50000});
    EXPECT_EQ(classString(got), classString(engine.colourDocument(text)));
    EXPECT_EQ(got[3], KeywordColour0);
    EXPECT_EQ(got[text.size() - 4], BaseColour);
}

} // namespace
} // namespace kelvane::test
