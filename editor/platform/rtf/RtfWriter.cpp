// Writing text with per-character styles as RTF, in one pass over the text.
#include "platform/TextEncoding.h"
#include "platform/rtf/RtfCodec.h"
#include "platform/text/StyleBuffer.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvane::rtf {

namespace {

constexpr int kRtfDefaultHalfPoints = 24; // the size RTF assumes before any \fs
constexpr int kMaxHalfPoints = 3276;
constexpr qsizetype kChunk = 4096;        // characters written per capacity check
constexpr qsizetype kMaxCharBytes = 9;    // the longest form of one character: \u-32768?
constexpr qsizetype kSinkPiece = 1 << 20; // bytes of markup handed to a sink at a time

bool isSystemColour(WinColour c) {
    return (c & 0x80000000u) != 0;
}

int halfPointsOf(float points) {
    return std::clamp(int(std::lround(double(points) * 2)), 1, kMaxHalfPoints);
}

// Appends to a byte array through a raw pointer: the capacity is checked once per chunk of
// characters rather than once per byte. With a sink, the bytes written so far are handed on
// whenever room runs out, so the array stays the size of one piece.
class ByteWriter {
public:
    explicit ByteWriter(qsizetype capacity, const ByteSink* sink = nullptr) : sink_(sink) {
        buffer_.resize(std::max<qsizetype>(capacity, 256));
        cur_ = buffer_.data();
        limit_ = cur_ + buffer_.size();
    }

    void ensure(qsizetype n) {
        if (limit_ - cur_ >= n)
            return;
        if (sink_ && cur_ != buffer_.data()) {
            flush();
            if (limit_ - cur_ >= n)
                return;
        }
        grow(n);
    }
    /// Hands the bytes written so far to the sink; false once the sink has refused any.
    bool flush() {
        if (sink_ && cur_ != buffer_.data()) {
            if (!refused_ && !(*sink_)(QByteArrayView(buffer_.data(), cur_ - buffer_.data())))
                refused_ = true;
            cur_ = buffer_.data();
        }
        return !refused_;
    }
    bool refused() const { return refused_; }
    // The unchecked writers below need a prior ensure().
    char* cursor() const { return cur_; }
    void setCursor(char* c) { cur_ = c; }
    void put(char c) { *cur_++ = c; }
    void put(std::string_view s) {
        std::copy(s.begin(), s.end(), cur_);
        cur_ += s.size();
    }
    void putNumber(int value) {
        char digits[12];
        unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
        int n = 0;
        do {
            digits[n++] = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
            *cur_++ = '-';
        while (n > 0)
            *cur_++ = digits[--n];
    }
    void putHexByte(int b) {
        static constexpr char kHex[] = "0123456789abcdef";
        *cur_++ = '\\';
        *cur_++ = '\'';
        *cur_++ = kHex[(b >> 4) & 0xF];
        *cur_++ = kHex[b & 0xF];
    }
    // Checked writes, for the header and the control words between runs.
    void append(std::string_view s) {
        ensure(qsizetype(s.size()));
        put(s);
    }
    void appendWord(std::string_view word, int value) {
        ensure(qsizetype(word.size()) + 12);
        put(word);
        putNumber(value);
    }

    QByteArray take() {
        buffer_.truncate(cur_ - buffer_.data());
        return std::move(buffer_);
    }

private:
    void grow(qsizetype n) {
        const qsizetype used = cur_ - buffer_.data();
        buffer_.resize(std::max(buffer_.size() * 2, used + n + 256));
        cur_ = buffer_.data() + used;
        limit_ = buffer_.data() + buffer_.size();
    }

    QByteArray buffer_;
    char* cur_ = nullptr;
    char* limit_ = nullptr;
    const ByteSink* sink_ = nullptr;
    bool refused_ = false;
};

// Character formatting as RTF states it: table indexes and half points.
struct RunFormat {
    int font = 0;
    int halfPoints = kRtfDefaultHalfPoints;
    int colour = 0;     // 0: automatic
    int background = 0; // 0: none
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// The font and colour tables of a document and the format of each style used in it.
class Tables {
public:
    Tables(std::span<const CharStyle> styles, const std::array<bool, 256>& used,
           const WriteOptions& options) {
        fonts_.push_back(options.defaultFont);
        fontIndex_.insert(options.defaultFont, 0);
        for (std::size_t i = 0; i < 256; ++i) {
            if (!used[i])
                continue;
            const CharStyle s =
                effectiveStyle(i < styles.size() ? styles[i] : CharStyle{}, options);
            RunFormat& f = formats_[i];
            f.font = fontNumber(s.fontName);
            f.halfPoints = halfPointsOf(s.pointSize);
            f.colour = s.hasColour ? colourNumber(s.colour) : 0;
            f.background = s.hasBackground ? colourNumber(s.background) : 0;
            f.bold = s.bold;
            f.italic = s.italic;
            f.underline = s.underline;
        }
    }

    const RunFormat& format(std::uint8_t style) const { return formats_[style]; }
    const std::vector<QString>& fonts() const { return fonts_; }
    const std::vector<WinColour>& colours() const { return colours_; }

private:
    int fontNumber(const QString& name) {
        if (const auto it = fontIndex_.constFind(name); it != fontIndex_.cend())
            return *it;
        fontIndex_.insert(name, int(fonts_.size()));
        fonts_.push_back(name);
        return int(fonts_.size()) - 1;
    }
    int colourNumber(WinColour c) {
        if (const auto it = colourIndex_.constFind(c); it != colourIndex_.cend())
            return *it;
        colours_.push_back(c);
        colourIndex_.insert(c, int(colours_.size()));
        return int(colours_.size());
    }

    std::array<RunFormat, 256> formats_{};
    std::vector<QString> fonts_;
    QHash<QString, int> fontIndex_;
    std::vector<WinColour> colours_; // entries 1.. of the colour table
    QHash<WinColour, int> colourIndex_;
};

// A font name inside the font table: the characters that end or escape an entry are
// written as bytes, characters outside Windows-1252 as \uN.
void appendFontName(ByteWriter& out, const QString& name) {
    out.ensure(name.size() * kMaxCharBytes);
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const int b = windows1252Byte(c);
        if (u >= 0x20 && u < 0x7F && u != '\\' && u != '{' && u != '}' && u != ';') {
            out.put(char(u));
        } else if (b >= 0) {
            out.putHexByte(b);
        } else {
            out.put("\\u");
            out.putNumber(int(std::int16_t(u)));
            out.put('?');
        }
    }
}

void appendHeader(ByteWriter& out, const Tables& tables) {
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl");
    for (std::size_t i = 0; i < tables.fonts().size(); ++i) {
        out.appendWord("{\\f", int(i));
        out.append("\\fnil\\fcharset0 ");
        appendFontName(out, tables.fonts()[i]);
        out.append(";}");
    }
    out.append("}\r\n{\\colortbl ;");
    for (WinColour c : tables.colours()) {
        out.appendWord("\\red", int(c & 0xFF));
        out.appendWord("\\green", int((c >> 8) & 0xFF));
        out.appendWord("\\blue", int((c >> 16) & 0xFF));
        out.append(";");
    }
    out.append("}\r\n\\viewkind4\\uc1\\pard");
}

// Writes the control words that turn format `from` into `to`; true when any was written.
bool appendFormatChange(ByteWriter& out, const RunFormat& from, const RunFormat& to) {
    bool wrote = false;
    auto word = [&](std::string_view w, int value) {
        out.appendWord(w, value);
        wrote = true;
    };
    auto flag = [&](std::string_view w) {
        out.append(w);
        wrote = true;
    };
    if (to.font != from.font)
        word("\\f", to.font);
    if (to.halfPoints != from.halfPoints)
        word("\\fs", to.halfPoints);
    if (to.colour != from.colour)
        word("\\cf", to.colour);
    if (to.background != from.background) {
        word("\\cb", to.background);
        word("\\chcbpat", to.background);
    }
    if (to.bold != from.bold)
        flag(to.bold ? "\\b" : "\\b0");
    if (to.italic != from.italic)
        flag(to.italic ? "\\i" : "\\i0");
    if (to.underline != from.underline)
        flag(to.underline ? "\\ul" : "\\ulnone");
    return wrote;
}

} // namespace

CharStyle effectiveStyle(const CharStyle& style, const WriteOptions& options) {
    CharStyle s = style;
    s.hasColour = style.hasColour && !isSystemColour(style.colour);
    s.colour = s.hasColour ? style.colour & 0xFFFFFFu : 0;
    s.hasBackground = style.hasBackground && !isSystemColour(style.background);
    s.background = s.hasBackground ? style.background & 0xFFFFFFu : 0;
    const float points = style.pointSize > 0            ? style.pointSize
                         : options.defaultPointSize > 0 ? options.defaultPointSize
                                                        : kRtfDefaultHalfPoints / 2.0f;
    s.pointSize = float(halfPointsOf(points)) / 2;
    if (s.fontName.isEmpty())
        s.fontName = options.defaultFont;
    return s;
}

namespace {

// Characters written as they are: printable ASCII but for the three RTF gives a meaning.
bool isPlain(char16_t c) {
    return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
}

// Style indexes for characters that have no entry: all plain.
constexpr std::array<std::uint8_t, kChunk> kPlainStyles{};

// The body of a document: runs of characters, each preceded by the control words that change
// the format to its style's. Pieces may split runs anywhere: a piece that goes on in the same
// style writes no control word, so the markup does not depend on where pieces end.
//
// Most of a document is long stretches of plain characters in one style: those are found and
// copied a block at a time, and only the characters between them (line breaks, escapes, style
// changes) are looked at one by one.
class BodyWriter {
public:
    BodyWriter(ByteWriter& out, const Tables& tables, std::size_t styleCount)
        : out_(out), tables_(tables), styleCount_(styleCount) {
        written_.font = -1; // name the font of the first run even when it is \f0
    }

    void add(QStringView text, std::span<const std::uint8_t> styleOfChar) {
        const qsizetype styled = std::min(text.size(), qsizetype(styleOfChar.size()));
        const char16_t* const chars = text.utf16();
        addStyled(chars, styleOfChar.data(), styled);
        for (qsizetype at = styled; at < text.size(); at += kChunk)
            addStyled(chars + at, kPlainStyles.data(), std::min(kChunk, text.size() - at));
    }

private:
    static constexpr qsizetype kBlock = 16; // characters looked at together

    void addStyled(const char16_t* chars, const std::uint8_t* styles, qsizetype n) {
        for (qsizetype start = 0; start < n; start += kChunk) {
            const qsizetype end = std::min(n, start + kChunk);
            out_.ensure((end - start) * kMaxCharBytes + kBlock);
            qsizetype i = start;
            while (i < end) {
                if (!needsDelimiter_ && started_)
                    i = copyPlain(chars, styles, i, end);
                if (i == end)
                    break;
                if (!started_ || styles[i] != style_) {
                    changeStyle(styles[i]);
                    out_.ensure((end - i) * kMaxCharBytes + kBlock);
                }
                appendCharacter(chars[i]);
                ++i;
            }
        }
    }

    // Copies the plain characters of style style_ from i on; returns where they end.
    qsizetype copyPlain(const char16_t* chars, const std::uint8_t* styles, qsizetype i,
                        qsizetype end) {
        char* o = out_.cursor();
#if defined(__SSE2__)
        const __m128i style = _mm_set1_epi8(char(style_));
        while (end - i >= kBlock) {
            // Saturated to bytes, every character beyond Latin-1 becomes 0x00 or 0xFF, which
            // are not plain either; the bytes of plain characters are their markup.
            const __m128i bytes =
                _mm_packus_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + i)),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + i + 8)));
            const __m128i printable = _mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x1F)); // 0x20-0x7F
            const __m128i escaped =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(0x7F)),
                                          _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'))),
                             _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('{')),
                                          _mm_cmpeq_epi8(bytes, _mm_set1_epi8('}'))));
            const __m128i sameStyle = _mm_cmpeq_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(styles + i)), style);
            const auto plain = unsigned(
                _mm_movemask_epi8(_mm_andnot_si128(escaped, _mm_and_si128(printable, sameStyle))));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), bytes);
            if (plain == 0xFFFF) {
                i += kBlock;
                o += kBlock;
                continue;
            }
            const auto k = qsizetype(std::countr_one(plain));
            i += k;
            o += k;
            // A line break in the same style ends most stretches: written here, the stretch
            // after it goes on without a return to the caller.
            if (chars[i] != '\n' || styles[i] != style_)
                break;
            std::memcpy(o, "\\par\r\n", 6);
            o += 6;
            ++i;
        }
#endif
        for (; i < end && isPlain(chars[i]) && styles[i] == style_; ++i)
            *o++ = char(chars[i]);
        out_.setCursor(o);
        return i;
    }

    // Characters without a style entry, or with an index past the table, are plain.
    void changeStyle(std::uint8_t style) {
        const RunFormat& format = tables_.format(style < styleCount_ ? style : 0);
        if (appendFormatChange(out_, written_, format))
            needsDelimiter_ = true;
        written_ = format;
        style_ = style;
        started_ = true;
    }

    void appendCharacter(char16_t c) {
        if (isPlain(c)) {
            if (needsDelimiter_)
                out_.put(' ');
            out_.put(char(c));
            needsDelimiter_ = false;
        } else if (c == '\\' || c == '{' || c == '}') {
            out_.put('\\');
            out_.put(char(c));
            needsDelimiter_ = false;
        } else if (c == '\n') {
            out_.put("\\par\r\n");
            needsDelimiter_ = false;
        } else if (c == '\t') {
            out_.put("\\tab");
            needsDelimiter_ = true; // a following letter would extend the control word
        } else if (const int b = windows1252Byte(QChar(c)); b >= 0) {
            out_.putHexByte(b);
            needsDelimiter_ = false;
        } else {
            out_.put("\\u");
            out_.putNumber(int(std::int16_t(c)));
            out_.put('?');
            needsDelimiter_ = false;
        }
    }

    ByteWriter& out_;
    const Tables& tables_;
    std::size_t styleCount_;
    RunFormat written_;
    std::uint8_t style_ = 0; // the style index of the last character written
    bool started_ = false;   // no character written yet: the first one names its format
    bool needsDelimiter_ = false;
};

// The styles a text uses, for the tables; the plain style is always there.
void noteUsed(std::array<bool, 256>& used, qsizetype length,
              std::span<const std::uint8_t> styleOfChar) {
    used[0] = true;
    markUsedValues(used, styleOfChar.data(),
                   std::min<qsizetype>(length, qsizetype(styleOfChar.size())));
}

} // namespace

QByteArray write(QStringView text, std::span<const std::uint8_t> styleOfChar,
                 std::span<const CharStyle> styles, const WriteOptions& options) {
    const qsizetype n = text.size();
    std::array<bool, 256> used{};
    noteUsed(used, n, styleOfChar);
    const Tables tables(styles, used, options);

    // Most text is ASCII; line breaks and tabs take a few bytes more.
    ByteWriter out(n + n / 2 + 1024);
    appendHeader(out, tables);
    BodyWriter(out, tables, styles.size()).add(text, styleOfChar);
    out.append("}\r\n");
    return out.take();
}

bool writeTo(const StyledPieces& pieces, std::span<const CharStyle> styles,
             const WriteOptions& options, const ByteSink& sink) {
    std::array<bool, 256> used{};
    pieces([&used](QStringView text, std::span<const std::uint8_t> styleOfChar) {
        noteUsed(used, text.size(), styleOfChar);
    });
    return writeTo(pieces, used, styles, options, sink);
}

bool writeTo(const StyledPieces& pieces, const std::array<bool, 256>& usedByText,
             std::span<const CharStyle> styles, const WriteOptions& options, const ByteSink& sink) {
    std::array<bool, 256> used = usedByText;
    used[0] = true; // the plain style is always in the tables
    const Tables tables(styles, used, options);

    ByteWriter out(kSinkPiece, &sink);
    appendHeader(out, tables);
    BodyWriter body(out, tables, styles.size());
    pieces([&](QStringView text, std::span<const std::uint8_t> styleOfChar) {
        if (!out.refused())
            body.add(text, styleOfChar);
    });
    out.append("}\r\n");
    return out.flush();
}

QByteArray write(const RichText& rich, const WriteOptions& options) {
    return write(rich.text, rich.styleOfChar, rich.styles, options);
}

} // namespace kelvane::rtf
