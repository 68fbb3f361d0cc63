// Random bytes as profile and keyword-list files: the readers never crash and stay in bounds.
#include "prefs/KwdFile.h"
#include "prefs/ProfileRecord.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvane::test {
namespace {

QByteArray randomBytes(std::mt19937& random, int maxLength) {
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes(length(random), Qt::Uninitialized);
    for (char& b : bytes)
        b = char(byte(random));
    return bytes;
}

TEST(CodecFuzzTest, RandomProfilesNeverCrashAndReadOnlyWholeFields) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes = randomBytes(random, round % 3 == 0 ? 12 : 160);
        // Small counts in front make the later fields reachable more often.
        if (round % 2 && bytes.size() >= 2)
            bytes[1] = 0, bytes[0] = char(bytes[0] & 0x0F);
        EditorSettingsRecord s;
        const int fields = decodeProfile(bytes, s);
        ASSERT_GE(fields, 0);
        ASSERT_LE(fields, kProfileFieldCount);
        // A record that reads in full writes back as the same bytes (tail and reserved text
        // aside), so the reader takes exactly what the writer puts.
        if (fields == kProfileFieldCount) {
            const std::optional<QByteArray> again = encodeProfile(s);
            ASSERT_TRUE(again);
            EditorSettingsRecord t;
            ASSERT_EQ(decodeProfile(*again, t), kProfileFieldCount);
            EXPECT_EQ(t.Keywords0, s.Keywords0);
            EXPECT_EQ(t.CaseSensitive, s.CaseSensitive);
        }
    }
}

TEST(CodecFuzzTest, RandomKeywordFilesNeverCrashAndKeepWordsClean) {
    std::mt19937 random(7);
    const char alphabet[] = "ab~ \r\n\\NL\xff\x80";
    std::uniform_int_distribution<int> pick(0, int(sizeof alphabet) - 2);
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes = round % 2 ? randomBytes(random, 200) : QByteArray();
        if (round % 2 == 0)
            for (int i = 0, n = round % 97; i < n; ++i)
                bytes += alphabet[pick(random)];
        const KwdReadResult result = decodeKwdFile(bytes);
        ASSERT_EQ(result.ok, !bytes.isEmpty());
        for (const QStringList& list : result.lists)
            for (const QString& word : list) {
                ASSERT_FALSE(word.isEmpty());
                ASSERT_FALSE(word.contains(u'\r') || word.contains(u'\n'));
                ASSERT_FALSE(word.contains(QChar(0xFF)));
            }
    }
}

} // namespace
} // namespace kelvane::test
