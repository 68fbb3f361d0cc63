// Decoding text files: a byte-order mark decides first, then valid UTF-8, else Windows-1252;
// CR LF, LF and a lone CR all become '\n' and the style of each break is remembered.
#include "platform/TextDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvane {

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

bool startsWith(QByteArrayView bytes, QByteArrayView prefix) {
    return bytes.size() >= prefix.size() && bytes.first(prefix.size()) == prefix;
}

// The encoding a file's first bytes name by their byte-order mark, and the mark's length; UTF-8
// without a mark otherwise (whether the rest really is UTF-8 is for the caller to find out).
struct ByteOrderMark {
    TextEncoding encoding = TextEncoding::Utf8;
    qsizetype length = 0;
};

ByteOrderMark byteOrderMarkOf(QByteArrayView head) {
    if (startsWith(head, QByteArrayView(kUtf8Bom, 3)))
        return {TextEncoding::Utf8WithBom, 3};
    if (startsWith(head, "\xFF\xFE"))
        return {TextEncoding::Utf16LE, 2};
    if (startsWith(head, "\xFE\xFF"))
        return {TextEncoding::Utf16BE, 2};
    return {};
}

// The styles of a file's line breaks in order, as runs: most files use one style, so this
// stays a few entries long however many lines the file has.
class BreakStyles {
public:
    void add(LineBreak style) {
        if (!runs_.empty() && runs_.back().first == style)
            ++runs_.back().second;
        else
            runs_.emplace_back(style, 1);
    }

    /// The style most breaks use (a tie prefers the platform's style, then CR LF, LF, CR) and
    /// the breaks of other styles.
    void describe(TextFileFormat& format) const {
        std::array<qsizetype, 3> count{};
        for (const auto& [style, n] : runs_)
            count[std::size_t(style)] += n;
        LineBreak best = platformLineBreak();
        for (LineBreak style : {LineBreak::CrLf, LineBreak::Lf, LineBreak::Cr}) {
            if (count[std::size_t(style)] > count[std::size_t(best)])
                best = style;
        }
        format.lineBreak = best;
        format.exceptions.clear();
        qsizetype index = 0;
        for (const auto& [style, n] : runs_) {
            for (qsizetype k = 0; style != best && k < n; ++k)
                format.exceptions.emplace_back(index + k, style);
            index += n;
        }
    }

private:
    std::vector<std::pair<LineBreak, qsizetype>> runs_;
};

// Replaces CR LF, LF and lone CR by '\n' and records the style of each break, piece by piece:
// a CR at the end of one piece and an LF at the start of the next are one break.
class LineSplitter {
public:
    explicit LineSplitter(BreakStyles& breaks) : breaks_(breaks) {}

    /// Writes one character at `o` (nothing for the LF of a CR LF) and moves `o` past it; a
    /// one-byte `Unit` takes characters up to U+00FF only.
    template <typename Unit> void put(char16_t c, Unit*& o) {
        if (pendingCr_) {
            pendingCr_ = false;
            if (c == u'\n') {
                breaks_.add(LineBreak::CrLf);
                return;
            }
            breaks_.add(LineBreak::Cr);
        }
        if (c == u'\n') {
            breaks_.add(LineBreak::Lf);
            *o++ = Unit('\n');
        } else if (c == u'\r') {
            pendingCr_ = true; // CR LF or a lone CR: the next character tells
            *o++ = Unit('\n');
        } else {
            *o++ = static_cast<Unit>(c);
        }
    }
    bool crPending() const { return pendingCr_; }
    void finish() {
        if (pendingCr_)
            breaks_.add(LineBreak::Cr);
        pendingCr_ = false;
    }

private:
    BreakStyles& breaks_;
    bool pendingCr_ = false;
};

// The length of the run of plain ASCII (no line break) at `begin`, runs of which are most of a
// source file: sixteen bytes at a time where the processor has the instructions for it.
qsizetype plainAsciiRun(const std::uint8_t* const begin, const std::uint8_t* const end) {
    const std::uint8_t* p = begin;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // The top bit of each byte: set for bytes above 0x7F and for CR and LF.
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
        const auto stops = unsigned(_mm_movemask_epi8(_mm_or_si128(bytes, breaks)));
        if (stops != 0)
            return (p - begin) + std::countr_zero(stops);
        p += 16;
    }
#endif
    while (p < end && *p < 0x80 && *p != '\r' && *p != '\n')
        ++p;
    return p - begin;
}

// Copies a run of plain ASCII to text of either width.
void copyPlain(const std::uint8_t* p, qsizetype count, char16_t* o) {
    latin1::widen(reinterpret_cast<const char*>(p), count, o);
}
void copyPlain(const std::uint8_t* p, qsizetype count, char* o) {
    std::memcpy(o, p, std::size_t(count));
}

// Well-formed UTF-8 (checked before) to UTF-16 at `o`, line breaks made '\n', in one pass;
// runs of ASCII, the common case in source files, are copied without decoding. To one byte
// per character (`Unit` char) it stops before the first character beyond U+00FF. Returns the
// number of bytes decoded.
template <typename Unit>
qsizetype decodeUtf8Lines(QByteArrayView bytes, LineSplitter& splitter, Unit*& o) {
    constexpr bool narrow = sizeof(Unit) == 1;
    const auto* const begin = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto* p = begin;
    const auto* const end = p + bytes.size();
    while (p < end) {
        if (!splitter.crPending()) {
            const qsizetype plain = plainAsciiRun(p, end);
            copyPlain(p, plain, o);
            p += plain;
            o += plain;
            if (p == end)
                break;
        }
        const unsigned c = *p;
        if (c < 0x80) {
            splitter.put(char16_t(c), o);
            ++p;
            continue;
        }
        if (narrow && c >= 0xC4)
            break; // U+0100 or beyond (the bytes are well-formed: 0xC2 and 0xC3 lead the rest)
        char32_t code;
        if (c < 0xE0) {
            code = ((c & 0x1F) << 6) | (p[1] & 0x3F);
            p += 2;
        } else if (c < 0xF0) {
            code = ((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
            p += 3;
        } else {
            code =
                ((c & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            p += 4;
        }
        if constexpr (!narrow) {
            if (code >= 0x10000) {
                splitter.put(QChar::highSurrogate(code), o);
                splitter.put(QChar::lowSurrogate(code), o);
                continue;
            }
        }
        splitter.put(char16_t(code), o);
    }
    return p - begin;
}

// Decodes a file of a known encoding piece after piece into a sink. Each piece but the last
// ends at the end of a character; the last may end in half a UTF-16 unit, which is kept.
class PieceDecoder {
public:
    explicit PieceDecoder(TextEncoding encoding) : encoding_(encoding) {}

    void decode(QByteArrayView piece, bool last, DecodedTextSink& sink) {
        if (piece.isEmpty())
            return;
        const bool utf16 = encoding_ == TextEncoding::Utf16LE || encoding_ == TextEncoding::Utf16BE;
        if (utf16) {
            if (last && piece.size() % 2 != 0)
                trailingBytes_ = piece.last(1).toByteArray();
            piece = piece.first(piece.size() & ~qsizetype(1)); // whole code units
        }
        // Characters up to U+00FF go in one byte each while the sink takes them so; the first
        // one beyond sends the rest of the file to UTF-16.
        if (!wide_) {
            if (char* const start = sink.narrowRoom(piece.size())) {
                char* o = start;
                const qsizetype done = decodeNarrow(piece, o);
                sink.wrote(o - start);
                if (done == piece.size())
                    return;
                piece = piece.sliced(done);
            }
            wide_ = true;
        }
        char16_t* const start = sink.room(piece.size());
        char16_t* o = start;
        const auto* p = reinterpret_cast<const std::uint8_t*>(piece.data());
        switch (encoding_) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8WithBom:
            decodeUtf8Lines(piece, splitter_, o);
            break;
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE: {
            // Code units go in unchanged, so that unpaired surrogates survive and the text
            // writes back exactly.
            const qsizetype units = piece.size() / 2;
            for (qsizetype i = 0; i < units; ++i)
                splitter_.put(utf16Unit(p + 2 * i), o);
            break;
        }
        case TextEncoding::Windows1252:
            for (qsizetype i = 0; i < piece.size(); ++i)
                splitter_.put(windows1252Char(p[i]).unicode(), o);
            break;
        }
        sink.wrote(o - start);
    }

    TextFileFormat finish() {
        splitter_.finish();
        TextFileFormat format;
        format.encoding = encoding_;
        breaks_.describe(format);
        format.trailingBytes = trailingBytes_;
        return format;
    }

private:
    char16_t utf16Unit(const std::uint8_t* p) const {
        const bool bigEndian = encoding_ == TextEncoding::Utf16BE;
        return char16_t((unsigned(p[bigEndian ? 0 : 1]) << 8) | p[bigEndian ? 1 : 0]);
    }

    /// Decodes characters up to U+00FF one byte each to `o`; stops before the first character
    /// beyond and returns the bytes decoded.
    qsizetype decodeNarrow(QByteArrayView piece, char*& o) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(piece.data());
        switch (encoding_) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8WithBom:
            return decodeUtf8Lines(piece, splitter_, o);
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
            for (qsizetype i = 0; i < piece.size(); i += 2) {
                const char16_t c = utf16Unit(p + i);
                if (c > 0xFF)
                    return i;
                splitter_.put(c, o);
            }
            return piece.size();
        case TextEncoding::Windows1252:
            for (qsizetype i = 0; i < piece.size(); ++i) {
                const char16_t c = p[i] < 0x80 ? char16_t(p[i]) : windows1252Char(p[i]).unicode();
                if (c > 0xFF)
                    return i; // 0x80-0x9F mostly stand for characters like U+20AC
                splitter_.put(c, o);
            }
            return piece.size();
        }
        return 0;
    }

    TextEncoding encoding_;
    bool wide_ = false; ///< the sink keeps UTF-16 units now
    BreakStyles breaks_;
    LineSplitter splitter_{breaks_};
    QByteArray trailingBytes_;
};

// Bytes of a piece that hold whole characters of a UTF-8 file: the piece is cut before a last
// character that is not complete. Bytes that are no UTF-8 at all are kept whole: checking
// them fails either way.
qsizetype wholeUtf8Characters(QByteArrayView piece) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(piece.data());
    const qsizetype n = piece.size();
    for (qsizetype start = n - 1; start >= 0 && start >= n - 4; --start) {
        const unsigned c = p[start];
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte: the character starts further back
        const qsizetype length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        return n - start >= length ? n : start;
    }
    return n;
}

// About the number of line breaks of a file, from the line feeds of its first bytes and a
// little more: room for them is only reserved, so a guess too high costs nothing until it is
// given back, and one too low lets the line index grow as usual.
qsizetype expectedLineFeeds(QByteArrayView head, qsizetype totalBytes) {
    if (head.isEmpty())
        return 0;
    const qsizetype count = head.count('\n');
    const double scaled =
        double(count) * double(std::max(totalBytes, head.size())) / double(head.size());
    return qsizetype(scaled * 1.125) + 16;
}

// A sink that hands each decoded piece over as a string.
class PieceSink : public DecodedTextSink {
public:
    explicit PieceSink(const std::function<void(QStringView)>& take) : take_(take) {}
    void start(qsizetype, qsizetype) override {}
    char16_t* room(qsizetype units) override {
        buffer_.resize(units);
        return reinterpret_cast<char16_t*>(buffer_.data());
    }
    void wrote(qsizetype units) override {
        if (units > 0)
            take_(QStringView(buffer_.constData(), units));
    }

private:
    const std::function<void(QStringView)>& take_;
    QString buffer_;
};

} // namespace

TextFileFormat decodeTextPieces(QByteArrayView bytes,
                                const std::function<void(QStringView piece)>& take,
                                qsizetype pieceBytes) {
    pieceBytes = std::max<qsizetype>(pieceBytes, 2) & ~qsizetype(1); // whole UTF-16 units
    // A byte-order mark at the start of the bytes stays a character: a text that starts with
    // U+FEFF (after the file's own mark, or in a file without one) must write back unchanged.
    const ByteOrderMark mark = byteOrderMarkOf(bytes);
    TextEncoding encoding = mark.encoding;
    QByteArrayView body = bytes.sliced(mark.length);
    if (encoding != TextEncoding::Utf16LE && encoding != TextEncoding::Utf16BE &&
        !isValidUtf8(body)) {
        // Also a UTF-8 byte-order mark followed by bytes that are not UTF-8: read as
        // Windows-1252, which keeps every byte (the mark shows as three characters).
        encoding = TextEncoding::Windows1252;
        body = bytes;
    }
    PieceDecoder decoder(encoding);
    PieceSink sink(take);
    const bool utf8 = encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8WithBom;
    for (qsizetype at = 0, next = 0; at < body.size(); at = next) {
        next = std::min(at + pieceBytes, body.size());
        if (utf8 && next < body.size()) {
            // A piece ends before a character it would cut, yet holds one at least.
            const qsizetype cut = at + wholeUtf8Characters(body.sliced(at, next - at));
            next = cut > at ? cut
                            : at + wholeUtf8Characters(
                                       body.sliced(at, std::min<qsizetype>(body.size() - at, 4)));
        }
        decoder.decode(body.sliced(at, next - at), next == body.size(), sink);
    }
    return decoder.finish();
}

DecodedText decodeText(QByteArrayView bytes) {
    DecodedText result;
    result.text.reserve(bytes.size());
    result.format = decodeTextPieces(bytes, [&result](QStringView piece) { result.text += piece; });
    result.text.squeeze();
    return result;
}

std::optional<TextFileFormat> decodeTextStream(const ByteReader& read,
                                               const std::function<bool()>& rewind,
                                               qsizetype totalBytes, DecodedTextSink& sink,
                                               qsizetype pieceBytes) {
    // Room for a piece and the bytes of a character cut at its end.
    std::vector<char> buffer(std::size_t(std::max<qsizetype>(pieceBytes, 8) + 4));
    const qsizetype capacity = qsizetype(buffer.size());
    bool atEnd = false;
    auto fill = [&](qsizetype have) -> qsizetype { // reads until the buffer is full or the end
        while (have < capacity && !atEnd) {
            const qsizetype n = read(buffer.data() + have, capacity - have);
            if (n < 0)
                return -1;
            atEnd = n == 0;
            have += n;
        }
        return have;
    };

    qsizetype have = fill(0);
    if (have < 0)
        return std::nullopt;
    const QByteArrayView head(buffer.data(), have);
    const ByteOrderMark mark = byteOrderMarkOf(head);
    const TextEncoding encoding = mark.encoding;
    qsizetype skip = mark.length; // the byte-order mark, in the first piece only
    const qsizetype breaks = expectedLineFeeds(head, totalBytes);
    const bool utf16 = encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
    sink.start(utf16 ? totalBytes / 2 : totalBytes, breaks);

    // UTF-8 is checked as it is read: bytes that are not UTF-8 send the whole file back to be
    // read as Windows-1252, which keeps every byte (a UTF-8 mark shows as three characters).
    bool checking = !utf16;
    PieceDecoder decoder(encoding);
    std::optional<PieceDecoder> fallback;
    PieceDecoder* active = &decoder;
    for (;;) {
        const QByteArrayView piece(buffer.data() + skip, have - skip);
        qsizetype whole = piece.size();
        if (!atEnd)
            whole = utf16 ? whole & ~qsizetype(1) : checking ? wholeUtf8Characters(piece) : whole;
        if (checking && !isValidUtf8(piece.first(whole))) {
            if (!rewind())
                return std::nullopt;
            atEnd = false;
            have = fill(0);
            if (have < 0)
                return std::nullopt;
            checking = false;
            skip = 0;
            fallback.emplace(TextEncoding::Windows1252);
            active = &*fallback;
            sink.start(totalBytes, breaks);
            continue;
        }
        active->decode(piece.first(whole), atEnd && whole == piece.size(), sink);
        const qsizetype carried = piece.size() - whole;
        if (atEnd && carried == 0)
            break;
        std::memmove(buffer.data(), piece.data() + whole, std::size_t(carried));
        skip = 0;
        have = fill(carried);
        if (have < 0)
            return std::nullopt;
    }
    return active->finish();
}

} // namespace kelvane
