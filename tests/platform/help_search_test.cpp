// Tests of the help search: case, word prefixes and the ranking of results.
#include "platform/help/HelpEngine.h"

#include <gtest/gtest.h>

using kelvane::HelpEngine;
using kelvane::HelpSearchHit;

namespace {

QStringList ids(const QList<HelpSearchHit>& hits) {
    QStringList result;
    for (const auto& hit : hits)
        result << hit.id;
    return result;
}

HelpEngine sampleEngine() {
    HelpEngine engine;
    engine.loadFromBytes("KELVANE-HELP 1\n"
                         "@@topic body-once\n@@title Overview\n<p>You can print a file.</p>\n"
                         "@@topic body-often\n@@title Paper\n"
                         "<p>Print, print and print again; printing is fun.</p>\n"
                         "@@topic in-title\n@@title Printing\n<p>Choose a printer.</p>\n"
                         "@@topic keyword\n@@title Output\n@@keywords print\n<p>Paper out.</p>\n"
                         "@@topic both\n@@title Page margins\n"
                         "<p>Margins of the printed page.</p>\n"
                         "@@topic other\n@@title Colours\n<p>Keyword COLOURS and colouring.</p>\n",
                         "sample");
    return engine;
}

} // namespace

TEST(HelpSearch, WordsAreCaseFoldedLettersAndDigits) {
    EXPECT_EQ(HelpEngine::searchWords("Save-As, F11 & Ctrl+S!"),
              QStringList({"save", "as", "f11", "ctrl", "s"}));
    EXPECT_TRUE(HelpEngine::searchWords(" .,;: ").isEmpty());
}

TEST(HelpSearch, EmptyOrPunctuationQueryFindsNothing) {
    const HelpEngine engine = sampleEngine();
    EXPECT_TRUE(engine.search("").isEmpty());
    EXPECT_TRUE(engine.search("  ..  ").isEmpty());
    EXPECT_TRUE(engine.search("zebra").isEmpty());
}

TEST(HelpSearch, IgnoresCaseAndMatchesWordBeginnings) {
    const HelpEngine engine = sampleEngine();
    EXPECT_EQ(ids(engine.search("colours")), QStringList({"other"}));
    EXPECT_EQ(ids(engine.search("COLOUR")), QStringList({"other"})); // prefix of colours
    EXPECT_TRUE(engine.search("ol").isEmpty()); // too short to match inside words
}

TEST(HelpSearch, TitleBeatsKeywordBeatsRepeatedTextBeatsSingleMention) {
    const HelpEngine engine = sampleEngine();
    const QStringList order = ids(engine.search("print"));
    // "Printing" is a prefix title hit; "Output" has the keyword; "Paper" repeats the word.
    ASSERT_EQ(order.size(), 5);
    EXPECT_EQ(order.indexOf("in-title"), 0);
    EXPECT_LT(order.indexOf("keyword"), order.indexOf("body-often"));
    EXPECT_LT(order.indexOf("body-often"), order.indexOf("body-once"));
    EXPECT_TRUE(order.contains("both")); // "printed" begins with "print"
}

TEST(HelpSearch, TopicsHoldingMoreOfTheWordsComeFirst) {
    const HelpEngine engine = sampleEngine();
    const QList<HelpSearchHit> hits = engine.search("page margins print");
    ASSERT_FALSE(hits.isEmpty());
    EXPECT_EQ(hits.first().id, "both");
    EXPECT_GT(hits.first().score, hits.value(1).score);
}

TEST(HelpSearch, ExcerptShowsTheMatchAndHitsAreCapped) {
    const HelpEngine engine = sampleEngine();
    const QList<HelpSearchHit> hits = engine.search("colouring");
    ASSERT_EQ(hits.size(), 1);
    EXPECT_TRUE(hits.first().excerpt.contains("colouring", Qt::CaseInsensitive));
    EXPECT_EQ(engine.search("print", 2).size(), 2);
}

TEST(HelpSearch, DeliveredHelpFileAnswersTypicalQuestions) {
    HelpEngine engine;
    ASSERT_TRUE(engine.load(QStringLiteral(KELVANE_RUNTIME_DIR "/KELVANE.HLP")));
    const struct {
        const char* query;
        const char* firstId;
    } cases[] = {
        {"replace all", "replace"},         {"page margins", "page-setup"},
        {"backup copy tilde", "file-menu"}, {"keyword list import", "options"},
        {"template", "new-file"},           {"delimiters order", "colouring"},
        {"%f placeholder", "compiler"},     {"allowed characters", "input-box"},
    };
    for (const auto& c : cases) {
        const QList<HelpSearchHit> hits = engine.search(c.query);
        ASSERT_FALSE(hits.isEmpty()) << c.query;
        EXPECT_EQ(hits.first().id, c.firstId)
            << c.query << " gave " << ids(hits).join(',').toStdString();
    }
}
