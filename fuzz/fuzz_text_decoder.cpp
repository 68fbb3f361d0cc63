// The text-file decoder on any bytes: encoding and line-break detection, and writing the
// decoded text back in the detected format gives the file's bytes unchanged; reading the file
// in small pieces, as opening does, decodes it exactly as decoding it whole.
#include "FuzzSupport.h"
#include "platform/TextDecoder.h"
#include "platform/TextEncoding.h"
#include "support/StringTextSink.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes = fuzz::bytesOf(data, size);
    const DecodedText decoded = decodeText(bytes);
    require(!decoded.text.contains(QLatin1Char('\r')), "every line break reads as '\\n'");

    TextEncoding used = TextEncoding::Utf8;
    const QByteArray written = encodeText(decoded.text, decoded.format, &used);
    require(used == decoded.format.encoding, "the text fits the encoding it was read in");
    require(written == bytes, "a file read and written back unchanged keeps every byte");

    // Pieces of 9 to 16 bytes, read 5 at a time, so that characters, CR LF pairs and marks are
    // cut everywhere; into UTF-16 and, as a document keeps Latin-1 text, one byte per
    // character until the first wider character.
    for (const bool narrow : {false, true}) {
        qsizetype at = 0;
        StringTextSink sink(narrow);
        const auto format = decodeTextStream(
            [&](char* out, qsizetype max) {
                const qsizetype n = std::min({max, qsizetype(5), bytes.size() - at});
                std::memcpy(out, bytes.data() + at, std::size_t(n));
                at += n;
                return n;
            },
            [&] {
                at = 0;
                return true;
            },
            bytes.size(), sink, 9 + qsizetype(size % 8));
        require(format && *format == decoded.format, "read in pieces, the format is the same");
        require(sink.text == decoded.text, "read in pieces, the text is the same");
        const auto wide = std::find_if(decoded.text.begin(), decoded.text.end(),
                                       [](QChar c) { return c.unicode() > 0xFF; });
        require(!narrow ||
                    sink.widenedAt ==
                        (wide == decoded.text.end() ? -1 : qsizetype(wide - decoded.text.begin())),
                "kept one byte per character up to the first wider character");
    }
    return 0;
}
