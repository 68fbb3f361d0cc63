// Profile records: the byte layout, truncated files and the fields Apply copies.
#include "prefs/ProfileRecord.h"

#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

QByteArray le16(quint16 v) {
    const char bytes[2] = {char(v & 0xFF), char(v >> 8)};
    return QByteArray(bytes, 2);
}
QByteArray le32(quint32 v) {
    return le16(quint16(v & 0xFFFF)) + le16(quint16(v >> 16));
}
QByteArray text(const QByteArray& bytes) {
    return le16(quint16(bytes.size())) + bytes;
}

EditorSettingsRecord sample() {
    EditorSettingsRecord s;
    s.Keywords0 = QString::fromUtf8("if\u00ffelse\u00ff");
    s.Keywords1 = QString();
    s.Keywords2 = QString::fromUtf8("caf\u00e9\u00ff");
    s.KeywordColor0 = 0x00C00000;
    s.KeywordColor1 = 0x80000008;
    s.KeywordColor2 = 0x000000FF;
    s.KeywordCount = 3;
    s.WordWrap = true;
    s.Delimiters = 131;
    s.DelimitColor = 0x006000;
    s.Reserved = QStringLiteral("never written");
    s.AutoCode = false;
    s.Backup = true;
    s.EditorFont = QStringLiteral("Courier New");
    s.EditorSize = 10.5f;
    s.CompilerString = QStringLiteral("gcc %1");
    s.CodeOrder = false;
    s.CaseSensitive = true;
    return s;
}

// The record laid out byte by byte, independently of the writer.
QByteArray sampleBytes() {
    return text("if\xff"
                "else\xff") +
           text("") + text("caf\xe9\xff") + le32(0x00C00000) + le32(0x80000008) + le32(0x000000FF) +
           le32(3) + le16(0xFFFF) + le32(131) + le32(0x006000) + text("") + le16(0) + le16(0xFFFF) +
           text("Courier New") + QByteArray("\x00\x00\x28\x41", 4) /* 10.5f */ + text("gcc %1") +
           le16(0) + le16(0xFFFF);
}

void expectSameFields(const EditorSettingsRecord& a, const EditorSettingsRecord& b) {
    EXPECT_EQ(a.Keywords0, b.Keywords0);
    EXPECT_EQ(a.Keywords1, b.Keywords1);
    EXPECT_EQ(a.Keywords2, b.Keywords2);
    EXPECT_EQ(a.KeywordColor0, b.KeywordColor0);
    EXPECT_EQ(a.KeywordColor1, b.KeywordColor1);
    EXPECT_EQ(a.KeywordColor2, b.KeywordColor2);
    EXPECT_EQ(a.KeywordCount, b.KeywordCount);
    EXPECT_EQ(a.WordWrap, b.WordWrap);
    EXPECT_EQ(a.Delimiters, b.Delimiters);
    EXPECT_EQ(a.DelimitColor, b.DelimitColor);
    EXPECT_EQ(a.AutoCode, b.AutoCode);
    EXPECT_EQ(a.Backup, b.Backup);
    EXPECT_EQ(a.EditorFont, b.EditorFont);
    EXPECT_EQ(a.EditorSize, b.EditorSize);
    EXPECT_EQ(a.CompilerString, b.CompilerString);
    EXPECT_EQ(a.CodeOrder, b.CodeOrder);
    EXPECT_EQ(a.CaseSensitive, b.CaseSensitive);
}

TEST(ProfileRecordTest, WriteIsByteExactAndReadsBack) {
    const std::optional<QByteArray> bytes = encodeProfile(sample());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->toHex(' '), sampleBytes().toHex(' '));
    EditorSettingsRecord back;
    EXPECT_EQ(decodeProfile(*bytes, back), kProfileFieldCount);
    expectSameFields(back, sample());
    EXPECT_TRUE(back.Reserved.isEmpty()) << "the reserved text is read but not kept";
}

TEST(ProfileRecordTest, BytesAfterTheRecordAreIgnoredAndAnyNonZeroFlagIsTrue) {
    QByteArray bytes = sampleBytes() + "old tail of a longer file";
    bytes[bytes.indexOf(QByteArray("\xff\xff", 2))] = 1; // WordWrap stored as 1
    EditorSettingsRecord back;
    EXPECT_EQ(decodeProfile(bytes, back), kProfileFieldCount);
    EXPECT_TRUE(back.WordWrap);
    EXPECT_EQ(back.CaseSensitive, true);
}

TEST(ProfileRecordTest, TruncatedFileKeepsTheFieldsItLacks) {
    const QByteArray full = sampleBytes();
    const EditorSettingsRecord before; // defaults
    // Cut inside Keywords2: the first two lists are read, everything from list 3 on is not.
    const qsizetype cut = text("if\xff"
                               "else\xff")
                              .size() +
                          2 + 3;
    EditorSettingsRecord s;
    EXPECT_EQ(decodeProfile(full.first(cut), s), 2);
    EXPECT_EQ(s.Keywords0, sample().Keywords0);
    EXPECT_EQ(s.Keywords1, QString());
    EXPECT_EQ(s.Keywords2, before.Keywords2);
    EXPECT_EQ(s.KeywordColor0, before.KeywordColor0);
    // Every prefix reads a whole number of fields and never more than it holds.
    int last = 0;
    for (qsizetype n = 0; n <= full.size(); ++n) {
        EditorSettingsRecord t;
        const int fields = decodeProfile(full.first(n), t);
        EXPECT_GE(fields, last) << n;
        last = fields;
    }
    EXPECT_EQ(last, kProfileFieldCount);
    EditorSettingsRecord u;
    EXPECT_EQ(decodeProfile(full.first(full.size() - 1), u), kProfileFieldCount - 1);
    EXPECT_EQ(u.CaseSensitive, before.CaseSensitive);
    EXPECT_EQ(u.CodeOrder, false);
}

TEST(ProfileRecordTest, ShorterThanTheFirstTextReadsNothing) {
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\x05", 1),
                                    QByteArray("\x05\x00"
                                               "ab",
                                               4)}) {
        EditorSettingsRecord s = sample();
        EXPECT_EQ(decodeProfile(bytes, s), 0);
        expectSameFields(s, sample());
    }
}

TEST(ProfileRecordTest, TextsLongerThanASixteenBitCountAreNotWritten) {
    EditorSettingsRecord s;
    s.Keywords1 = QString(0xFFFF, u'a');
    EXPECT_TRUE(encodeProfile(s));
    s.Keywords1 += u'a';
    EXPECT_FALSE(encodeProfile(s));
}

} // namespace
} // namespace kelvane::test
