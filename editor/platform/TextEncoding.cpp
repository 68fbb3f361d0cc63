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

// Latin-1 and UTF-16 in fixed blocks: loops of a known count over pointers that do not alias
// vectorise at -O2.
namespace latin1 {

namespace {
constexpr qsizetype kBlock = 32;
} // namespace

bool fits(const char16_t* text, qsizetype count) {
    qsizetype i = 0;
    for (; count - i >= kBlock; i += kBlock) {
        char16_t high = 0;
        for (qsizetype k = 0; k < kBlock; ++k)
            high |= char16_t(text[i + k] & 0xFF00u);
        if (high != 0)
            return false;
    }
    for (; i < count; ++i)
        if (text[i] > 0xFF)
            return false;
    return true;
}

void widen(const char* text, qsizetype count, char16_t* __restrict out) {
    const auto* __restrict in = reinterpret_cast<const unsigned char*>(text);
    qsizetype i = 0;
    for (; count - i >= kBlock; i += kBlock)
        for (qsizetype k = 0; k < kBlock; ++k)
            out[i + k] = char16_t(in[i + k]);
    for (; i < count; ++i)
        out[i] = char16_t(in[i]);
}

void narrow(const char16_t* __restrict text, qsizetype count, char* out) {
    auto* __restrict o = reinterpret_cast<unsigned char*>(out);
    qsizetype i = 0;
    for (; count - i >= kBlock; i += kBlock)
        for (qsizetype k = 0; k < kBlock; ++k)
            o[i + k] = static_cast<unsigned char>(text[i + k]);
    for (; i < count; ++i)
        o[i] = static_cast<unsigned char>(text[i]);
}

} // namespace latin1

} // namespace kelvane
