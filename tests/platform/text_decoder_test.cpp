// Decoding a text file while it is read in pieces: the same characters and format as decoding
// the file whole, for every encoding and line-break style, with characters, CR LF pairs and
// byte-order marks cut at every place a piece can end; a file that turns out not to be UTF-8
// late in its bytes is read again as Windows-1252; a read that fails says so.
#include "platform/TextDecoder.h"
#include "support/StringTextSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace kelvane;

namespace {

// Reads `bytes` a few at a time, as a slow device may; fails at `failAt` when given.
struct ShortReads {
    QByteArray bytes;
    qsizetype chunk = 3;
    qsizetype failAt = -1;
    qsizetype at = 0;
    int rewinds = 0;

    ByteReader reader() {
        return [this](char* out, qsizetype max) -> qsizetype {
            if (failAt >= 0 && at >= failAt)
                return -1;
            const qsizetype n = std::min({max, chunk, bytes.size() - at});
            std::memcpy(out, bytes.constData() + at, size_t(n));
            at += n;
            return n;
        };
    }
    std::function<bool()> rewind() {
        return [this] {
            ++rewinds;
            at = 0;
            return true;
        };
    }
};

const QByteArray kFiles[] = {
    QByteArray("ab\r\ncd\r\ref\ngh\r\n\r\r\n"),
    QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFh\xC3\xBC\r\n\xE6\x97\xA5\xF0\x9F\x98\x80\r"),
    QByteArray("\xFF\xFE"
               "a\0\r\0\n\0=\xD8\x00\xDE\r\0x",
               15),
    QByteArray("\xFE\xFF\0a\0\r\0\n\xD8\x3D\xDE\x00\0\r", 14),
    QByteArray("caf\xE9\r\n\x80\r\r\n"),
    // UTF-8 for its first pieces, then a byte that is not: the whole file is Windows-1252.
    QByteArray("int main() {\r\n    return 0; // \xC3\xA9t\xC3\xA9\r\n}\r\n\x93quoted\x94\r\n"),
    QByteArray("\xEF\xBB\xBF"
               "first line\nsecond line\n\xE9"),
    QByteArray(""),
    QByteArray("one line without a break"),
    QByteArray("\r"),
    // Latin-1 characters first, a wider one late, right after a CR whose LF follows it.
    QByteArray("caf\xC3\xA9 \xC3\xBF\r\xE2\x82\xAC\n\xC3\xA9"),
    QByteArray("\xC3\xBF\xC4\x80"), // U+00FF, then U+0100: the first beyond

    QByteArray("\xFF\xFE\xE9\0\r\0\n\0\xAC\x20x\0", 12),
    QByteArray("na\xEFve\r\n\x80 \xE9\r\n\x81\x9F"),
};

/// Where the first character beyond U+00FF is, or -1.
qsizetype firstWide(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i].unicode() > 0xFF)
            return i;
    return -1;
}

TEST(TextDecoder, ReadingInPiecesGivesTheWholeFileDecoding) {
    // A narrow sink, as a document's text, takes characters up to U+00FF one byte each and is
    // sent to UTF-16 at the first character beyond, wherever a piece ends.
    for (const bool narrow : {false, true})
        for (const QByteArray& bytes : kFiles) {
            const DecodedText whole = decodeText(bytes);
            for (qsizetype pieceBytes = 1; pieceBytes <= 12; ++pieceBytes) {
                ShortReads file{bytes};
                StringTextSink sink(narrow);
                const std::optional<TextFileFormat> format =
                    decodeTextStream(file.reader(), file.rewind(), bytes.size(), sink, pieceBytes);
                const std::string name = bytes.toHex().toStdString() + " by " +
                                         std::to_string(pieceBytes) + (narrow ? " narrow" : "");
                ASSERT_TRUE(format) << name;
                EXPECT_EQ(sink.text, whole.text) << name;
                if (narrow) {
                    EXPECT_EQ(sink.widenedAt, firstWide(whole.text)) << name;
                }
                EXPECT_EQ(*format, whole.format) << name;
                // Read again only when UTF-8 was given up on.
                EXPECT_EQ(sink.starts, 1 + file.rewinds) << name;
                EXPECT_LE(file.rewinds, whole.format.encoding == TextEncoding::Windows1252 ? 1 : 0)
                    << name;
            }
        }
}

TEST(TextDecoder, ManyPiecesOfEveryLineBreakStyleKeepEachBreaksStyle) {
    // Thousands of lines whose break styles change in runs and one by one: the exceptions to
    // the usual style are exactly the breaks of the other styles, in order.
    QByteArray bytes;
    const char* styles[] = {"\r\n", "\n", "\r"};
    for (int line = 0; line < 5000; ++line) {
        bytes += "line " + QByteArray::number(line) + " \xC3\xA4";
        bytes += styles[line % 7 == 0 ? 1 : line % 11 == 0 ? 2 : 0];
    }
    const DecodedText whole = decodeText(bytes);
    ASSERT_EQ(whole.format.lineBreak, LineBreak::CrLf);
    ShortReads file{bytes, 1000};
    StringTextSink sink;
    const std::optional<TextFileFormat> format =
        decodeTextStream(file.reader(), file.rewind(), bytes.size(), sink, 4096);
    ASSERT_TRUE(format);
    EXPECT_EQ(sink.text, whole.text);
    EXPECT_EQ(format->exceptions, whole.format.exceptions);
    EXPECT_EQ(encodeText(sink.text, *format), bytes);
}

TEST(TextDecoder, AReadOrRewindThatFailsGivesNoFormat) {
    ShortReads failing{QByteArray(100, 'x'), 8, 40};
    StringTextSink sink;
    EXPECT_FALSE(decodeTextStream(failing.reader(), failing.rewind(), 100, sink, 16));

    // Not UTF-8 late in the file, and the file cannot be read again from its start.
    ShortReads late{QByteArray(60, 'x') + "\xE9"};
    StringTextSink other;
    EXPECT_FALSE(decodeTextStream(
        late.reader(), [] { return false; }, 61, other, 16));
}

} // namespace
