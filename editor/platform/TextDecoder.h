// Reading text files: the encoding and line breaks found, the characters decoded a piece at a
// time straight into the storage of whoever keeps them.
#pragma once

#include "platform/TextEncoding.h"

#include <functional>
#include <optional>

namespace kelvane {

/// Where decoded characters go ('\n' line breaks), written in place.
class DecodedTextSink {
public:
    virtual ~DecodedTextSink() = default;
    /// Decoding starts, or starts again from the first byte (everything given before is
    /// forgotten): about `expectedUnits` UTF-16 units and `expectedBreaks` line breaks come.
    virtual void start(qsizetype expectedUnits, qsizetype expectedBreaks) = 0;
    /// Room for at least `units` units after those written so far.
    virtual char16_t* room(qsizetype units) = 0;
    /// Room for at least `count` characters of U+0000-U+00FF, one byte each, after those
    /// written so far; null when the sink keeps UTF-16 units (from then on until start()).
    /// A sink that gave such room takes the characters written so far over into UTF-16 when
    /// room() is asked for next.
    virtual char* narrowRoom(qsizetype) { return nullptr; }
    /// The first `units` units (or characters) of the last room hold characters now.
    virtual void wrote(qsizetype units) = 0;
};

/// Reads up to `max` bytes into `out`: the count read, 0 at the end, -1 on a read error.
using ByteReader = std::function<qsizetype(char* out, qsizetype max)>;

/// Decodes a file as decodeText() does while it is read in pieces of about `pieceBytes`, so
/// that the file is never held whole. A file that looked like UTF-8 and turns out not to be is
/// read again from its first byte (`rewind`) as Windows-1252. `totalBytes` is the file's
/// expected size. Nothing when a read or the rewind failed.
std::optional<TextFileFormat> decodeTextStream(const ByteReader& read,
                                               const std::function<bool()>& rewind,
                                               qsizetype totalBytes, DecodedTextSink& sink,
                                               qsizetype pieceBytes = qsizetype(1) << 20);

} // namespace kelvane
