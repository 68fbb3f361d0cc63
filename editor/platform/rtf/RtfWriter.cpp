// Writing text with per-character styles as RTF, in one pass over the text.
#include "platform/TextEncoding.h"
#include "platform/rtf/RtfCodec.h"
#include "platform/text/StyleRuns.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

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

// Writes characters of one run. needsDelimiter: a control word was just written, so a
// character that could extend it needs a space first.
void appendCharacters(ByteWriter& out, QStringView chars, bool& needsDelimiter) {
    for (qsizetype start = 0; start < chars.size(); start += kChunk) {
        const QStringView chunk = chars.sliced(start, std::min(kChunk, chars.size() - start));
        out.ensure(chunk.size() * kMaxCharBytes + 1);
        const QChar* p = chunk.data();
        const QChar* const end = p + chunk.size();
        while (p < end) {
            const QChar qc = *p++;
            const char16_t c = qc.unicode();
            if (c >= 0x20 && c < 0x7F) {
                if (c == '\\' || c == '{' || c == '}') {
                    out.put('\\');
                    out.put(char(c));
                    needsDelimiter = false;
                    continue;
                }
                if (needsDelimiter) {
                    out.put(' ');
                    needsDelimiter = false;
                }
                out.put(char(c));
                // The rest of a stretch of plain ASCII goes out without further checks, a block
                // at a time while whole blocks are plain (a loop the compiler vectorises).
                char* o = out.cursor();
                constexpr int kBlock = 16;
                while (end - p >= kBlock) {
                    bool plain = true;
                    for (int k = 0; k < kBlock; ++k) {
                        const char16_t a = p[k].unicode();
                        plain &= (a >= 0x20) & (a < 0x7F) & (a != '\\') & (a != '{') & (a != '}');
                    }
                    if (!plain)
                        break;
                    for (int k = 0; k < kBlock; ++k)
                        o[k] = char(p[k].unicode());
                    p += kBlock;
                    o += kBlock;
                }
                for (; p < end; ++p) {
                    const char16_t a = p->unicode();
                    if (a < 0x20 || a >= 0x7F || a == '\\' || a == '{' || a == '}')
                        break;
                    *o++ = char(a);
                }
                out.setCursor(o);
            } else if (c == '\n') {
                out.put("\\par\r\n");
                needsDelimiter = false;
            } else if (c == '\t') {
                out.put("\\tab");
                needsDelimiter = true;
            } else if (const int b = windows1252Byte(qc); b >= 0) {
                out.putHexByte(b);
                needsDelimiter = false;
            } else {
                out.put("\\u");
                out.putNumber(int(std::int16_t(c)));
                out.put('?');
                needsDelimiter = false;
            }
        }
    }
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

// The body of a document: runs of characters, each preceded by the control words that change
// the format to its style's. Pieces may split runs anywhere: a piece that goes on in the same
// style writes no control word, so the markup does not depend on where pieces end.
class BodyWriter {
public:
    BodyWriter(ByteWriter& out, const Tables& tables, std::size_t styleCount)
        : out_(out), tables_(tables), styleCount_(styleCount) {
        written_.font = -1; // name the font of the first run even when it is \f0
    }

    void add(QStringView text, std::span<const std::uint8_t> styleOfChar) {
        const qsizetype n = text.size();
        // Characters without a style entry, or with an index past the table, are plain.
        auto styleAt = [&](qsizetype i) -> std::uint8_t {
            if (std::size_t(i) >= styleOfChar.size())
                return 0;
            const std::uint8_t s = styleOfChar[std::size_t(i)];
            return s < styleCount_ ? s : 0;
        };
        forEachStyleRun(n, styleAt, [&](qsizetype start, qsizetype end, std::uint8_t style) {
            const RunFormat& format = tables_.format(style);
            if (appendFormatChange(out_, written_, format))
                needsDelimiter_ = true;
            written_ = format;
            appendCharacters(out_, text.sliced(start, end - start), needsDelimiter_);
        });
    }

private:
    ByteWriter& out_;
    const Tables& tables_;
    std::size_t styleCount_;
    RunFormat written_;
    bool needsDelimiter_ = false;
};

// The styles a text uses, for the tables; the plain style is always there.
void noteUsed(std::array<bool, 256>& used, qsizetype length,
              std::span<const std::uint8_t> styleOfChar) {
    used[0] = true;
    const qsizetype styled = std::min<qsizetype>(length, qsizetype(styleOfChar.size()));
    for (qsizetype i = 0; i < styled; ++i)
        used[styleOfChar[std::size_t(i)]] = true;
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
