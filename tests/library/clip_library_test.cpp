// Cliptext library files: the line rules of the reader and the bytes the writer produces.
#include "library/ClipLibrary.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kelvane;

namespace {

struct ReadCase {
    const char* name;
    QByteArray bytes;
    QStringList rows;
};

class ClipLibraryRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ClipLibraryRead, GivesOneRowPerLine) {
    EXPECT_EQ(parseClipLibrary(GetParam().bytes), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipLibraryRead,
    ::testing::Values(
        ReadCase{"EmptyFileGivesNoRows", "", {}},
        ReadCase{"LastLineWithoutBreakIsShown", "one\r\ntwo", {"one", "two"}},
        ReadCase{"BreakAtEndAddsNoRow", "one\r\ntwo\r\n", {"one", "two"}},
        ReadCase{"TwoBreaksInARowGiveAnEmptyRow", "one\r\n\r\ntwo\r\n", {"one", "", "two"}},
        ReadCase{"LoneBreakIsOneEmptyRow", "\r\n", {""}},
        ReadCase{"LineFeedsAloneAreAccepted", "a\nb\n", {"a", "b"}},
        ReadCase{"LoneCarriageReturnEndsALine", "a\rb", {"a", "b"}},
        ReadCase{"TabsAndSpacesStay", "\tif (x) {  \r\n", {"\tif (x) {  "}},
        ReadCase{"Windows1252Bytes",
                 "caf\xE9 \x80 \x93x\x94\r\n",
                 {QString::fromUtf16(u"caf\u00E9 \u20AC \u201Cx\u201D")}},
        ReadCase{"BytesThatLookLikeUtf8StayWindows1252",
                 "\xC3\xA9\r\n",
                 {QString::fromUtf16(u"\u00C3\u00A9")}},
        ReadCase{"ByteOrderMarkMeansUtf8",
                 "\xEF\xBB\xBF\xCE\xA9\r\n\xE2\x82\xAC",
                 {QString::fromUtf16(u"\u03A9"), QString::fromUtf16(u"\u20AC")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClipLibraryWrite, LinesEndInCrLfAsWindows1252) {
    EXPECT_EQ(encodeClipLibrary(u"one\ntwo"), QByteArray("one\r\ntwo"));
    EXPECT_EQ(encodeClipLibrary(u"one\r\ntwo\n"), QByteArray("one\r\ntwo\r\n"));
    EXPECT_EQ(encodeClipLibrary(QString::fromUtf16(u"caf\u00E9 \u20AC")),
              QByteArray("caf\xE9 \x80"));
    EXPECT_EQ(encodeClipLibrary(u""), QByteArray());
}

TEST(ClipLibraryWrite, TextBeyondWindows1252IsKeptAsMarkedUtf8) {
    const QString text = QString::fromUtf16(u"\u03A9 omega\n\u4E2D");
    const QByteArray bytes = encodeClipLibrary(text);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(parseClipLibrary(bytes),
              QStringList({QString::fromUtf16(u"\u03A9 omega"), QString::fromUtf16(u"\u4E2D")}));
}

// 8-bit text that begins like a byte-order mark would read back as UTF-16 or UTF-8.
TEST(ClipLibraryWrite, TextBeginningLikeAByteOrderMarkReadsBackUnchanged) {
    for (const char16_t* start : {u"\u00FF\u00FE", u"\u00FE\u00FF", u"\u00EF\u00BB\u00BF"}) {
        const QString first = QString::fromUtf16(start) + QStringLiteral("x");
        const QByteArray bytes = encodeClipLibrary(first + QStringLiteral("\nsecond"));
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << first.toStdString();
        EXPECT_EQ(parseClipLibrary(bytes), QStringList({first, QStringLiteral("second")}));
    }
    EXPECT_EQ(encodeClipLibrary(QString::fromUtf16(u"x\u00FF\u00FE")), QByteArray("x\xFF\xFE"));
}

TEST(ClipLibraryFile, WrittenThenReadGivesTheLinesByteForByte) {
    test::ScratchDir dir;
    const QString text = QString::fromUtf16(u"<b>bold</b>\n\n\tindented \u00E9\u20AC\nlast");
    QString error;
    ASSERT_TRUE(writeClipLibrary(dir.file("Tags"), text, error)) << error.toStdString();
    EXPECT_EQ(test::readAll(dir.file("Tags")),
              QByteArray("<b>bold</b>\r\n\r\n\tindented \xE9\x80\r\nlast"));
    QStringList entries;
    ASSERT_TRUE(readClipLibrary(dir.file("Tags"), entries, error));
    EXPECT_EQ(entries, text.split('\n'));
}

TEST(ClipLibraryFile, MissingFileIsAnErrorWithTheSystemsReason) {
    test::ScratchDir dir;
    QStringList entries;
    QString error;
    EXPECT_FALSE(readClipLibrary(dir.file("absent"), entries, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(entries.isEmpty());
}

} // namespace
