// Substring search and Replace All on plain text, Replace All checked against replacing one
// occurrence at a time.
#include "platform/TextLines.h"
#include "search/TextSearch.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvane {
namespace {

/// Replacing one occurrence at a time, each search going on after the inserted text.
std::pair<QString, int> replaceOneByOne(QString text, const QString& needle,
                                        const QString& replacement, Qt::CaseSensitivity cs) {
    int count = 0;
    qsizetype start = 0;
    while (!needle.isEmpty()) {
        const qsizetype at = text.indexOf(needle, start, cs);
        if (at < 0)
            break;
        text.replace(at, needle.size(), replacement);
        start = at + replacement.size();
        ++count;
    }
    return {text, count};
}

/// Up to `maxLength` units drawn from `alphabet`.
QString randomTextOf(std::mt19937& random, const QString& alphabet, int maxLength) {
    QString text;
    const int length = int(random() % (maxLength + 1));
    for (int i = 0; i < length; ++i)
        text += alphabet[int(random() % alphabet.size())];
    return text;
}

TEST(TextSearch, FindsForwardFromAPositionWithOrWithoutCase) {
    EXPECT_EQ(findText(u"aaaa", u"aa", 0, Qt::CaseSensitive), 0);
    EXPECT_EQ(findText(u"aaaa", u"aa", 1, Qt::CaseSensitive), 1) << "overlapping matches";
    EXPECT_EQ(findText(u"aaaa", u"aa", 3, Qt::CaseSensitive), -1);
    EXPECT_EQ(findText(u"xabc", u"ABC", 0, Qt::CaseInsensitive), 1);
    EXPECT_EQ(findText(u"xabc", u"ABC", 0, Qt::CaseSensitive), -1);
    EXPECT_EQ(findText(u"abc", u"", 0, Qt::CaseSensitive), -1) << "an empty text finds nothing";
    EXPECT_EQ(findText(u"abc", u"c", 9, Qt::CaseSensitive), -1);
    EXPECT_EQ(findText(u"one\ntwo", u"e\nt", 0, Qt::CaseSensitive), 2);
}

TEST(TextSearch, SearchTextsTakeTheDocumentsLineBreaks) {
    EXPECT_EQ(toLfLineBreaks("a\r\nb\rc\nd"), "a\nb\nc\nd");
}

TEST(TextSearch, ReplaceAllNeverSearchesInsertedTextAgain) {
    const QString text = "banana";
    EXPECT_EQ(applyTextEdits(text, replaceAllEdits(text, u"a", "b", Qt::CaseSensitive)), "bbnbnb");
    const TextEdits grow = replaceAllEdits(text, u"a", "ba", Qt::CaseSensitive);
    EXPECT_EQ(grow.size(), 3u) << "replacing 'a' by 'ba' ends";
    EXPECT_EQ(applyTextEdits(text, grow), "bbanbanba");
    EXPECT_TRUE(replaceAllEdits(text, u"", "x", Qt::CaseSensitive).empty());
    EXPECT_EQ(replaceAllEdits(u"aaaa", u"aa", "b", Qt::CaseSensitive).size(), 2u)
        << "matches do not overlap once replaced";
}

TEST(TextSearch, ReplaceAllMatchesReplacingOneAtATimeOnRandomTexts) {
    std::mt19937 random(20261207);
    const QString alphabet = QStringLiteral("aAbB\n ");
    auto randomText = [&](int maxLength) { return randomTextOf(random, alphabet, maxLength); };
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(40);
        QString needle = randomText(3);
        const QString replacement = randomText(4);
        const Qt::CaseSensitivity cs = round % 2 ? Qt::CaseSensitive : Qt::CaseInsensitive;
        const auto [expected, count] = replaceOneByOne(text, needle, replacement, cs);
        const TextEdits edits = replaceAllEdits(text, needle, replacement, cs);
        ASSERT_EQ(applyTextEdits(text, edits), expected)
            << "text '" << text.toStdString() << "' needle '" << needle.toStdString()
            << "' replacement '" << replacement.toStdString() << "'";
        ASSERT_EQ(int(edits.size()), count);
    }
}

TEST(TextSearch, ReplaceAllOverPiecesFindsWhatTheWholeTextDoes) {
    // Texts handed over in pieces of random sizes, down to single characters, so that
    // occurrences lie across the ends of pieces everywhere; with characters whose case is
    // folded in pairs of UTF-16 units (U+10400 and U+10428) and lone halves of pairs.
    std::mt19937 random(20261208);
    const QString alphabet = QStringLiteral("aAbB\n \U00010400\U00010428") + QChar(0xD801);
    auto randomText = [&](int maxLength) { return randomTextOf(random, alphabet, maxLength); };
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(round % 10 == 0 ? 200000 : 60);
        const QString needle = randomText(4);
        const Qt::CaseSensitivity cs = round % 2 ? Qt::CaseSensitive : Qt::CaseInsensitive;
        const TextEdits whole = replaceAllEdits(text, needle, "x", cs);
        const qsizetype longest = round % 10 == 0 ? 70000 : 1 + qsizetype(random() % 8);
        std::vector<qsizetype> ends;
        for (qsizetype at = 0; at < text.size();) {
            at = std::min(text.size(), at + 1 + qsizetype(random() % longest));
            ends.push_back(at);
        }
        const TextEdits pieced = replaceAllEdits(
            [&](const auto& take) {
                qsizetype from = 0;
                for (const qsizetype end : ends) {
                    take(QStringView(text).sliced(from, end - from));
                    from = end;
                }
            },
            needle, "x", cs);
        ASSERT_EQ(pieced.size(), whole.size()) << "round " << round;
        for (std::size_t i = 0; i < whole.size(); ++i)
            ASSERT_EQ(pieced[i].from, whole[i].from) << "round " << round;
    }
}

} // namespace
} // namespace kelvane
