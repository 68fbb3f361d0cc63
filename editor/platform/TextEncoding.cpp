// Text file encodings: byte-order marks, UTF-8 detection, Windows-1252 and line-break styles.
#include "platform/TextEncoding.h"

#include <QStringEncoder>

#include <array>
#include <cstring>

namespace kelvane {

namespace {

// Windows-1252 bytes 0x80-0x9F. The five bytes the code page leaves unassigned map to the
// C1 control with the same number, so every byte has a character and comes back unchanged.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

const char kUtf8Bom[] = "\xEF\xBB\xBF";

bool startsWith(QByteArrayView bytes, QByteArrayView prefix) {
    return bytes.size() >= prefix.size() && bytes.first(prefix.size()) == prefix;
}

// UTF-16 code units straight into a QString, so that unpaired surrogates survive and the
// text writes back exactly.
QString fromUtf16Units(QByteArrayView bytes, bool bigEndian) {
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    QChar* out = text.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned hi = in[2 * i + (bigEndian ? 0 : 1)];
        const unsigned lo = in[2 * i + (bigEndian ? 1 : 0)];
        out[i] = QChar(char16_t((hi << 8) | lo));
    }
    return text;
}

void appendUtf16Units(QByteArray& out, QStringView text, bool bigEndian) {
    const qsizetype start = out.size();
    out.resize(start + 2 * text.size());
    char* p = out.data() + start;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const char hi = char(u >> 8);
        const char lo = char(u & 0xFF);
        *p++ = bigEndian ? hi : lo;
        *p++ = bigEndian ? lo : hi;
    }
}

const char* lineBreakChars(LineBreak lb) {
    switch (lb) {
    case LineBreak::CrLf:
        return "\r\n";
    case LineBreak::Cr:
        return "\r";
    case LineBreak::Lf:
        break;
    }
    return "\n";
}

// Replaces CR LF, LF and lone CR by '\n' and records which style each break had, piece by
// piece: a CR at the end of one piece and an LF at the start of the next are one break.
class LineSplitter {
public:
    explicit LineSplitter(std::vector<LineBreak>& breaks) : breaks_(breaks) {}

    /// The characters of `raw` with their breaks made '\n', into `out` (resized).
    void split(QStringView raw, QString& out) {
        out.resize(raw.size());
        char16_t* o = reinterpret_cast<char16_t*>(out.data());
        for (const QChar ch : raw)
            put(ch.unicode(), o);
        out.truncate(o - reinterpret_cast<const char16_t*>(out.constData()));
    }
    /// Writes one character at `o` (nothing for the LF of a CR LF) and moves `o` past it.
    void put(char16_t c, char16_t*& o) {
        if (pendingCr_) {
            pendingCr_ = false;
            if (c == u'\n') {
                breaks_.push_back(LineBreak::CrLf);
                return;
            }
            breaks_.push_back(LineBreak::Cr);
        }
        if (c == u'\n') {
            breaks_.push_back(LineBreak::Lf);
            *o++ = u'\n';
        } else if (c == u'\r') {
            pendingCr_ = true; // CR LF or a lone CR: the next character tells
            *o++ = u'\n';
        } else {
            *o++ = c;
        }
    }
    bool crPending() const { return pendingCr_; }
    void finish() {
        if (pendingCr_)
            breaks_.push_back(LineBreak::Cr);
        pendingCr_ = false;
    }

private:
    std::vector<LineBreak>& breaks_;
    bool pendingCr_ = false;
};

// The style most breaks use; a tie prefers the platform's style, then CR LF, LF, CR.
LineBreak mostUsed(const std::vector<LineBreak>& breaks) {
    std::array<qsizetype, 3> count{};
    for (LineBreak lb : breaks)
        ++count[std::size_t(lb)];
    LineBreak best = platformLineBreak();
    for (LineBreak lb : {LineBreak::CrLf, LineBreak::Lf, LineBreak::Cr}) {
        if (count[std::size_t(lb)] > count[std::size_t(best)])
            best = lb;
    }
    return best;
}

// Bytes of well-formed UTF-8 up to the start of the character that holds byte `at`, so that
// a piece never ends inside a character.
qsizetype characterStart(QByteArrayView bytes, qsizetype at) {
    while (at > 0 && at < bytes.size() && (std::uint8_t(bytes[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

// Well-formed UTF-8 (checked before) to UTF-16 with the line breaks made '\n', in one pass;
// runs of ASCII, the common case in source files, are widened without decoding.
void decodeUtf8Lines(QByteArrayView bytes, LineSplitter& splitter, QString& out) {
    out.resize(bytes.size()); // never more UTF-16 units than UTF-8 bytes
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        if (!splitter.crPending()) {
            while (p < end && *p < 0x80 && *p != '\r' && *p != '\n')
                *o++ = char16_t(*p++);
            if (p == end)
                break;
        }
        const unsigned c = *p;
        if (c < 0x80) {
            splitter.put(char16_t(c), o);
            ++p;
            continue;
        }
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
        if (code >= 0x10000) {
            splitter.put(QChar::highSurrogate(code), o);
            splitter.put(QChar::lowSurrogate(code), o);
        } else {
            splitter.put(char16_t(code), o);
        }
    }
    out.truncate(o - reinterpret_cast<const char16_t*>(out.constData()));
}

} // namespace

LineBreak platformLineBreak() {
#ifdef Q_OS_WIN
    return LineBreak::CrLf;
#else
    return LineBreak::Lf;
#endif
}

QChar windows1252Char(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

int windows1252Byte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    switch (u) {
    case 0x0081:
    case 0x008D:
    case 0x008F:
    case 0x0090:
    case 0x009D:
        return u;
    case 0x20AC:
        return 0x80;
    case 0x201A:
        return 0x82;
    case 0x0192:
        return 0x83;
    case 0x201E:
        return 0x84;
    case 0x2026:
        return 0x85;
    case 0x2020:
        return 0x86;
    case 0x2021:
        return 0x87;
    case 0x02C6:
        return 0x88;
    case 0x2030:
        return 0x89;
    case 0x0160:
        return 0x8A;
    case 0x2039:
        return 0x8B;
    case 0x0152:
        return 0x8C;
    case 0x017D:
        return 0x8E;
    case 0x2018:
        return 0x91;
    case 0x2019:
        return 0x92;
    case 0x201C:
        return 0x93;
    case 0x201D:
        return 0x94;
    case 0x2022:
        return 0x95;
    case 0x2013:
        return 0x96;
    case 0x2014:
        return 0x97;
    case 0x02DC:
        return 0x98;
    case 0x2122:
        return 0x99;
    case 0x0161:
        return 0x9A;
    case 0x203A:
        return 0x9B;
    case 0x0153:
        return 0x9C;
    case 0x017E:
        return 0x9E;
    case 0x0178:
        return 0x9F;
    default:
        return -1;
    }
}

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = windows1252Char(std::uint8_t(bytes[i]));
    return text;
}

QByteArray toWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = windows1252Byte(text[i]);
        out[i] = b < 0 ? '?' : char(b);
    }
    return bytes;
}

bool fitsWindows1252(QStringView text) {
    for (QChar c : text) {
        if (windows1252Byte(c) < 0)
            return false;
    }
    return true;
}

bool isValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Eight ASCII bytes at a time: most of a source file.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080u)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int trail;
        unsigned lo = 0x80; // allowed range of the first continuation byte
        unsigned hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            trail = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            trail = 2;
            if (c == 0xE0)
                lo = 0xA0; // overlong
            else if (c == 0xED)
                hi = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            trail = 3;
            if (c == 0xF0)
                lo = 0x90; // overlong
            else if (c == 0xF4)
                hi = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (end - p <= trail)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int k = 2; k <= trail; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
        }
        p += trail + 1;
    }
    return true;
}

TextFileFormat decodeTextPieces(QByteArrayView bytes,
                                const std::function<void(QStringView piece)>& take,
                                qsizetype pieceBytes) {
    TextFileFormat format;
    pieceBytes = std::max<qsizetype>(pieceBytes, 2) & ~qsizetype(1); // whole UTF-16 units
    // A byte-order mark at the start of the bytes stays a character: a text that starts with
    // U+FEFF (after the file's own mark, or in a file without one) must write back unchanged.
    bool bigEndian = false;
    QByteArrayView body = bytes;
    if (startsWith(bytes, QByteArrayView(kUtf8Bom, 3)) && isValidUtf8(bytes.sliced(3))) {
        format.encoding = TextEncoding::Utf8WithBom;
        body = bytes.sliced(3);
    } else if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF")) {
        bigEndian = bytes[0] == '\xFE';
        format.encoding = bigEndian ? TextEncoding::Utf16BE : TextEncoding::Utf16LE;
        body = bytes.sliced(2);
        if (body.size() % 2 != 0) {
            format.trailingBytes = body.last(1).toByteArray();
            body.chop(1);
        }
    } else if (isValidUtf8(bytes)) {
        format.encoding = TextEncoding::Utf8;
    } else {
        // Also a UTF-8 byte-order mark followed by bytes that are not UTF-8: read as
        // Windows-1252, which keeps every byte (the mark shows as three characters).
        format.encoding = TextEncoding::Windows1252;
    }

    std::vector<LineBreak> breaks;
    LineSplitter splitter(breaks);
    QString raw;
    QString lines;
    const bool utf8 =
        format.encoding == TextEncoding::Utf8 || format.encoding == TextEncoding::Utf8WithBom;
    for (qsizetype at = 0, next = 0; at < body.size(); at = next) {
        next = std::min(at + pieceBytes, body.size());
        if (utf8) {
            // A piece ends before the character its last byte belongs to, yet holds one at
            // least.
            qsizetype cut = characterStart(body, next);
            if (cut <= at) {
                cut = at + 1;
                while (cut < body.size() && (std::uint8_t(body[cut]) & 0xC0) == 0x80)
                    ++cut;
            }
            next = cut;
        }
        const QByteArrayView chunk = body.sliced(at, next - at);
        switch (format.encoding) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8WithBom:
            decodeUtf8Lines(chunk, splitter, lines);
            if (!lines.isEmpty())
                take(lines);
            continue;
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
            raw = fromUtf16Units(chunk, bigEndian);
            break;
        case TextEncoding::Windows1252:
            raw = fromWindows1252(chunk);
            break;
        }
        splitter.split(raw, lines);
        if (!lines.isEmpty())
            take(lines);
    }
    splitter.finish();

    format.lineBreak = mostUsed(breaks);
    for (std::size_t i = 0; i < breaks.size(); ++i) {
        if (breaks[i] != format.lineBreak)
            format.exceptions.emplace_back(qsizetype(i), breaks[i]);
    }
    return format;
}

DecodedText decodeText(QByteArrayView bytes) {
    DecodedText result;
    result.text.reserve(bytes.size());
    result.format = decodeTextPieces(bytes, [&result](QStringView piece) { result.text += piece; });
    result.text.squeeze();
    return result;
}

QByteArray encodeTextPieces(const TextPieces& forEachPiece, const TextFileFormat& format,
                            TextEncoding* usedEncoding) {
    TextEncoding encoding = format.encoding;
    if (encoding == TextEncoding::Windows1252) {
        bool fits = true;
        forEachPiece([&fits](QStringView piece) { fits = fits && fitsWindows1252(piece); });
        if (!fits)
            encoding = TextEncoding::Utf8;
    }
    if (usedEncoding)
        *usedEncoding = encoding;

    QByteArray bytes;
    if (encoding == TextEncoding::Utf8WithBom)
        bytes = QByteArray(kUtf8Bom, 3);
    else if (encoding == TextEncoding::Utf16LE)
        bytes = QByteArray("\xFF\xFE", 2);
    else if (encoding == TextEncoding::Utf16BE)
        bytes = QByteArray("\xFE\xFF", 2);
    // A surrogate pair split between two pieces is joined by the encoder's state.
    QStringEncoder utf8(QStringConverter::Utf8);
    const char* usual = lineBreakChars(format.lineBreak);
    auto exception = format.exceptions.begin();
    qsizetype breakIndex = 0;
    QString withBreaks;
    QChar lastUnit;
    forEachPiece([&](QStringView text) {
        // Put the file's line breaks back, the exceptions at their own positions.
        withBreaks.clear();
        qsizetype runStart = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != u'\n')
                continue;
            withBreaks.append(text.sliced(runStart, i - runStart));
            while (exception != format.exceptions.end() && exception->first < breakIndex)
                ++exception;
            const bool isException =
                exception != format.exceptions.end() && exception->first == breakIndex;
            withBreaks.append(
                QLatin1StringView(isException ? lineBreakChars(exception->second) : usual));
            ++breakIndex;
            runStart = i + 1;
        }
        withBreaks.append(text.sliced(runStart));
        if (!withBreaks.isEmpty())
            lastUnit = withBreaks.back();
        switch (encoding) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8WithBom:
            bytes.append(utf8.encode(withBreaks));
            break;
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
            appendUtf16Units(bytes, withBreaks, encoding == TextEncoding::Utf16BE);
            break;
        case TextEncoding::Windows1252:
            bytes.append(toWindows1252(withBreaks));
            break;
        }
    });
    // The encoder keeps a last high surrogate waiting for its pair; text that ends with half a
    // pair gets the replacement character for it, as half a pair inside the text does.
    if ((encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8WithBom) &&
        lastUnit.isHighSurrogate())
        bytes.append("\xEF\xBF\xBD", 3);
    bytes.append(format.trailingBytes);
    return bytes;
}

QByteArray encodeText(QStringView text, const TextFileFormat& format, TextEncoding* usedEncoding) {
    return encodeTextPieces([text](const std::function<void(QStringView)>& take) { take(text); },
                            format, usedEncoding);
}

} // namespace kelvane
