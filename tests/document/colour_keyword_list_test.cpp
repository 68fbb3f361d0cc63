// Reading stored keyword lists: words up to the first empty one, and the count of reads.
#include "document/KeywordList.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

std::vector<QString> words(std::initializer_list<const char*> list) {
    std::vector<QString> out;
    for (const char* w : list)
        out.push_back(QString::fromUtf8(w));
    return out;
}

TEST(KeywordList, ReadsWordsUpToTheFirstEmptyOne) {
    struct Case {
        QString stored;
        std::vector<QString> words;
        int reads;
    };
    const QChar sep(0xFF);
    const Case cases[] = {
        {"", {}, 1},
        {QString(sep), {}, 1},
        {QString("if") + sep + "else" + sep, words({"if", "else"}), 2},
        {QString("if") + sep + "else", words({"if"}), 2},
        {QString("if") + sep + sep + "else" + sep, words({"if"}), 2},
        {"if", {}, 1},
        {QString("a b") + sep + "ÿ" + sep, words({"a b"}), 2},
    };
    for (const Case& c : cases) {
        const KeywordList list = readKeywordList(c.stored);
        EXPECT_EQ(list.words, c.words) << c.stored.toStdString();
        EXPECT_EQ(list.reads, c.reads) << c.stored.toStdString();
    }
}

} // namespace
} // namespace kelvane
