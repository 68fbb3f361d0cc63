// Keyword-list files: the writer's exact form and the reader's rules.
#include "prefs/KwdFile.h"

#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

TEST(KwdFileTest, EmptyListsGiveExactlyThreeListEnds) {
    EXPECT_EQ(encodeKwdFile({}), QByteArray("\\NL\\\r\n\\NL\\\r\n\\NL\\\r\n"));
}

TEST(KwdFileTest, WriterUsesCrLfAndWindows1252) {
    const KeywordLists lists{QStringList{"if", QString::fromUtf8("caf\u00e9")},
                             {},
                             QStringList{QString::fromUtf8("\u20ac")}};
    EXPECT_EQ(encodeKwdFile(lists), QByteArray("if\r\ncaf\xe9\r\n\\NL\\\r\n\\NL\\\r\n\x80\r\n"
                                               "\\NL\\\r\n"));
    const KwdReadResult back = decodeKwdFile(encodeKwdFile(lists));
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.lists, lists);
}

TEST(KwdFileTest, ReaderRules) {
    struct Case {
        const char* name;
        QByteArray file;
        KeywordLists lists;
    } cases[] = {
        {"comments after spaces are skipped; words stay untrimmed",
         "  while\r\n   ~ note\r\n~x\r\n\r\n\\NL\\\r\n",
         {QStringList{"  while"}, {}, {}}},
        {"more than three list ends fold into list 3",
         "a\r\n\\NL\\\r\nb\r\n\\NL\\\r\nc\r\n\\NL\\\r\nd\r\n\\NL\\\r\ne\r\n",
         {QStringList{"a"}, QStringList{"b"}, QStringList{"c", "d", "e"}}},
        {"fewer than two list ends leave the rest empty",
         "a\r\nb",
         {QStringList{"a", "b"}, {}, {}}},
        {"list end is exact: case and spaces matter",
         "\\nl\\\r\n \\NL\\\r\n",
         {QStringList{"\\nl\\", " \\NL\\"}, {}, {}}},
        {"LF and lone CR end lines too",
         "a\nb\rc\r\n\\NL\\\nd",
         {QStringList{"a", "b", "c"}, QStringList{"d"}, {}}},
        {"a tab before ~ is not a blank", "\t~x\r\n", {QStringList{"\t~x"}, {}, {}}},
        {"a single line break is one empty line", "\r\n", {}},
    };
    for (const Case& c : cases) {
        const KwdReadResult result = decodeKwdFile(c.file);
        EXPECT_TRUE(result.ok) << c.name;
        EXPECT_EQ(result.lists, c.lists) << c.name;
    }
}

TEST(KwdFileTest, KeywordsThatCannotSurviveTheRoundTrip) {
    const KeywordLists lists{QStringList{"  ~tilde", "\\NL\\", "kept"}, {}, {}};
    const KwdReadResult back = decodeKwdFile(encodeKwdFile(lists));
    EXPECT_EQ(back.lists[0], QStringList{}) << "the comment is dropped, \\NL\\ ends list 1";
    EXPECT_EQ(back.lists[1], QStringList{"kept"});
}

TEST(KwdFileTest, WordsHoldingTheListSeparatorAreSkipped) {
    const KwdReadResult result = decodeKwdFile("a\xff"
                                               "b\r\n\xff\r\nc\r\n");
    EXPECT_EQ(result.lists[0], QStringList{"c"});
}

TEST(KwdFileTest, EmptyFileIsAnErrorWithEmptyLists) {
    const KwdReadResult result = decodeKwdFile(QByteArray());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(result.lists, KeywordLists{});
}

} // namespace
} // namespace kelvane::test
