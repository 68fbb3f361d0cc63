// Named colouring cases: the expected classes of each character, checked on the engine and on
// the step-by-step reference alike.
#include "colour_test_support.h"

#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

ColourSettings settings(std::array<QString, 3> keywords, qint32 delimiters, bool codeOrder = true,
                        bool caseSensitive = false) {
    ColourSettings s;
    s.keywords = std::move(keywords);
    s.delimiters = delimiters;
    s.codeOrder = codeOrder;
    s.caseSensitive = caseSensitive;
    return s;
}

struct DocumentCase {
    const char* name;
    QString text;
    ColourSettings settings;
    /// One class per character of text ('\n' is one character): '0'..'4'.
    QString expected;
};

void PrintTo(const DocumentCase& c, std::ostream* os) {
    *os << c.name;
}

class DocumentCases : public testing::TestWithParam<DocumentCase> {};

TEST_P(DocumentCases, EngineAndReferenceGiveTheExpectedColours) {
    const DocumentCase& c = GetParam();
    ASSERT_EQ(c.text.size(), c.expected.size()) << "bad case";
    const ColourEngine engine(c.settings);
    EXPECT_EQ(classString(engine.colourDocument(c.text)), c.expected.toStdString());
    EXPECT_EQ(classString(referenceDocument(c.text, c.settings)), c.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Colouring, DocumentCases,
    testing::Values(
        DocumentCase{"KeywordInsideLongerWordColoursThirdAndFourthLetters", "print",
                     settings({keywordList({"in"}), {}, {}}, 0), "00110"},
        DocumentCase{"CaseInsensitiveColoursEverySpelling", "INT Int int iNt",
                     settings({keywordList({"int"}), {}, {}}, 0), "111011101110111"},
        DocumentCase{"CaseSensitiveColoursOnlyTheExactSpelling", "INT Int int iNt",
                     settings({keywordList({"int"}), {}, {}}, 0, true, true), "000000001110000"},
        DocumentCase{"CaseFoldingCoversNonAsciiLetters", "Σσςs\u212AkK",
                     settings({keywordList({"σ", "k"}), {}, {}}, 0), "1110111"},
        DocumentCase{"SharpSIsNotTwoLettersWhenFolded", "ßss",
                     settings({keywordList({"ss"}), {}, {}}, 0), "011"},
        DocumentCase{"OccurrencesOfOneWordDoNotOverlap", "aaa aaaa",
                     settings({keywordList({"aa"}), {}, {}}, 0), "11001111"},
        DocumentCase{"LaterListPaintsOverEarlierList", "print",
                     settings({keywordList({"print"}), {}, keywordList({"in"})}, 0), "11331"},
        DocumentCase{"LaterListWinsWholeWord", "print",
                     settings({keywordList({"in"}), keywordList({"print"}), {}}, 0), "22222"},
        DocumentCase{"WordOnTwoListsTakesTheLaterColour", "for",
                     settings({keywordList({"for"}), {}, keywordList({"for"})}, 0), "333"},
        DocumentCase{"LastWordWithoutSeparatorIsNotColoured", "if while",
                     settings({"if\u00FFwhile", {}, {}}, 0), "11000000"},
        DocumentCase{"DoubleSeparatorEndsTheList", "if while",
                     settings({"if\u00FF\u00FFwhile\u00FF", {}, {}}, 0), "11000000"},
        DocumentCase{"ListOfOnlyTextColoursNothing", "if", settings({"if", {}, {}}, 0), "00"},
        DocumentCase{"KeywordInCommentTakesKeywordColourWhenDelimitersFirst", "/* int */",
                     settings({keywordList({"int"}), {}, {}}, 2, false), "444111444"},
        DocumentCase{"KeywordInCommentTakesDelimiterColourWhenKeywordsFirst", "/* int */",
                     settings({keywordList({"int"}), {}, {}}, 2, true), "444444444"},
        DocumentCase{"ClosingCommentFollowedByAsteriskOpensAnotherComment", "/* a */* b */ c",
                     settings({}, 2), "444444444444400"},
        DocumentCase{"CommentClosesOnItsOwnSlash", "/*/ x */ y", settings({}, 2), "4440000000"},
        DocumentCase{"ThreeDoubleQuotesColourOnlyTheFirstPair", "a\"b\"c\"d", settings({}, 8),
                     "0444000"},
        DocumentCase{"CppCommentEndsWithItsLineBreak", "x // c\ny", settings({}, 32), "00444440"},
        DocumentCase{"CppCommentOnLastLineWithoutBreakIsNotColoured", "x\ny // c", settings({}, 32),
                     "00000000"},
        DocumentCase{"BasicCommentEndsWithItsLineBreak", "a 'c\nb", settings({}, 16), "004440"},
        DocumentCase{"QuoteOpensBothBasicCommentAndSingleQuotedString", "'a' b\nc",
                     settings({}, 16 | 64), "4444440"},
        DocumentCase{"RunsDoNotNest", "((a)b)", settings({}, 128), "444400"},
        DocumentCase{"UnclosedOpeningLeavesTheRestOfThatKindUncoloured", "(a [b) c] (d",
                     settings({}, 128 | 256), "444444444000"},
        DocumentCase{"AllNineKinds", "<a>/*b*/{c}\"d\"'e\n//f\n'g'(h)[i]", settings({}, 511),
                     QString(22, '4') + "00" + QString(6, '4')},
        DocumentCase{"DelimitersZeroColoursNoDelimiters", "<a>/*b*/(c)",
                     settings({keywordList({"b"}), {}, {}}, 0), "00000100000"},
        DocumentCase{"BitsAboveEightAreIgnored", "(a)<b>", settings({}, 0x7FFFFE00 | 128),
                     "444000"},
        DocumentCase{"NegativeDelimitersUseTheirNineLowBits", "(a)<b>", settings({}, -1), "444444"},
        DocumentCase{"KeywordHoldingDelimiterCharacters", "a->b",
                     settings({keywordList({"->"}), {}, {}}, 1), "0110"},
        DocumentCase{"EmptyDocument", "", settings({keywordList({"a"}), {}, {}}, 511), ""}),
    [](const testing::TestParamInfo<DocumentCase>& info) { return std::string(info.param.name); });

struct LineCase {
    const char* name;
    QString text;
    ColourSettings settings;
    qsizetype start;
    qsizetype length;
    /// Classes from start on: '0'..'4', '-' where the pass leaves the colour as it was.
    QString expected;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class LineCases : public testing::TestWithParam<LineCase> {};

TEST_P(LineCases, EngineAndReferenceGiveTheExpectedColours) {
    const LineCase& c = GetParam();
    const ColourEngine engine(c.settings);
    const LineColours line = engine.colourLine(c.text, c.start, c.length);
    EXPECT_EQ(line.start, c.start);
    EXPECT_EQ(classString(line.colours), c.expected.toStdString());
    EXPECT_EQ(classString(referenceLine(c.text, c.settings, c.start, c.length,
                                        qsizetype(line.colours.size()))),
              c.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Colouring, LineCases,
    testing::Values(
        LineCase{"EndOfLineCommentTakesItsLineBreak", "a // c\nnext", settings({}, 32), 0, 6,
                 "0044444"},
        LineCase{"LineBreakOutsideBaseSweepStaysUntouched", "a b\nnext", settings({}, 32), 0, 3,
                 "000-"},
        LineCase{"CommentOnLastLineWithoutBreakStaysUncoloured", "x\ny // c", settings({}, 32), 2,
                 6, "000000"},
        LineCase{"BlockCommentSpanningLinesIsNotColouredByALine", "/* a\nb */",
                 settings({keywordList({"a"}), {}, {}}, 2), 0, 4, "0001-"},
        LineCase{"SecondLineOfBlockComment", "/* a\nb */", settings({}, 2), 5, 4, "0000"},
        LineCase{"KeywordRangeStopsBeforeTheBreak", "ab\nx",
                 settings({keywordList({"b\r"}), {}, {}}, 0), 0, 2, "00-"},
        LineCase{"DisplayLineTakesTwoCharactersOfTheNextOne", "ab(c)ef", settings({}, 128), 0, 3,
                 "00444"},
        LineCase{"HalfALineBreakEndsTheDelimiterRange", "ab(c\n)", settings({}, 128), 0, 3, "000-"},
        LineCase{"KeywordsFirstThenDelimitersOnALine", "if (x) int\ny",
                 settings({keywordList({"if", "x", "int"}), {}, {}}, 128, true), 0, 10,
                 "1104440111-"},
        LineCase{"DelimitersFirstThenKeywordsOnALine", "if (x) int\ny",
                 settings({keywordList({"if", "x", "int"}), {}, {}}, 128, false), 0, 10,
                 "1104140111-"}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(ColourEngineLines, LineAtFindsTheLineAroundAPosition) {
    const QString text = "ab\ncde\n\nf";
    EXPECT_EQ(ColourEngine::lineAt(text, 0).start, 0);
    EXPECT_EQ(ColourEngine::lineAt(text, 2).length, 2);
    EXPECT_EQ(ColourEngine::lineAt(text, 3).start, 3);
    EXPECT_EQ(ColourEngine::lineAt(text, 6).length, 3);
    EXPECT_EQ(ColourEngine::lineAt(text, 7).start, 7);
    EXPECT_EQ(ColourEngine::lineAt(text, 7).length, 0);
    EXPECT_EQ(ColourEngine::lineAt(text, 9).start, 8);
    EXPECT_EQ(ColourEngine::lineAt(text, 9).length, 1);
}

TEST(ColourEngineProgress, CaptionsFollowEveryReadOfEveryList) {
    ColourSettings s = settings({"a\u00FFb\u00FF", {}, "c\u00FFd"}, 0, true);
    for (const bool order : {true, false}) {
        s.codeOrder = order;
        const ColourEngine engine(s);
        QStringList shown;
        engine.colourDocument(QStringLiteral("abcd"), [&](const ColourStage& stage) {
            shown << colourStageText(stage, 7);
        });
        QStringList expected;
        referenceDocument("abcd", s, &expected);
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(shown.size(), 6);
        EXPECT_EQ(shown.value(order ? 5 : 0), "Coding Bracers and Delimiters...");
        EXPECT_EQ(shown.value(order ? 1 : 2), "2 of 7 Keywords/Identifiers Coded...");
    }
}

TEST(ColourEngineProgress, EveryStageIsReportedOnALargeText) {
    const ColourSettings s = settings({keywordList({"a", "b", "c"}), {}, {}}, 511, false);
    const ColourEngine engine(s);
    const QString text = QString("a(b)c\n").repeated(50000);
    std::vector<ColourStage> shown;
    engine.colourDocument(text, [&](const ColourStage& stage) { shown.push_back(stage); });
    EXPECT_EQ(shown, engine.documentStages());
}

TEST(ColourEngineLineBreakWords, WordsHoldingCrOrLfMatchHalvesOfLineBreaks) {
    struct Case {
        const char* word;
        QString text;
    };
    for (const Case& c : {Case{"x\r", "x\nyx\n"}, Case{"\ny", "x\nyx\ny"}, Case{"\r\n", "a\n\nb"},
                          Case{"\n\r", "a\n\n\nb"}, Case{"b\r\nX", "B\nxb\nx"}}) {
        const ColourSettings s = settings({keywordList({c.word}), {}, {}}, 32);
        bool split = false;
        const std::vector<std::uint8_t> expected = referenceDocument(c.text, s, nullptr, &split);
        EXPECT_EQ(classString(ColourEngine(s).colourDocument(c.text)), classString(expected))
            << c.word;
    }
}

} // namespace
} // namespace kelvane::test
