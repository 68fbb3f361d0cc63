// The text-file decoder on any bytes: encoding and line-break detection, and writing the
// decoded text back in the detected format gives the file's bytes unchanged.
#include "FuzzSupport.h"
#include "platform/TextEncoding.h"

#include <QByteArray>

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
    return 0;
}
