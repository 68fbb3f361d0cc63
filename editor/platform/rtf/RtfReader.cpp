// Reading RTF markup into text and per-character styles; damaged markup never stops it.
#include "platform/TextEncoding.h"
#include "platform/rtf/RtfCodePages.h"
#include "platform/rtf/RtfCodec.h"
#include "platform/rtf/RtfDocumentTables.h"
#include "platform/rtf/RtfGroupState.h"
#include "platform/rtf/RtfKeywords.h"
#include "platform/text/StyleTable.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace kelvane::rtf {

bool looksLikeRtf(QByteArrayView bytes) {
    return bytes.startsWith("{\\rtf");
}

namespace {

constexpr std::size_t kMaxDepth = 1000; // deeper groups share their parent's state
constexpr int kMaxUnicodeSkip = 16;     // fallbacks are a few bytes; more is damage
constexpr int kMaxHalfPoints = 3276;    // the largest size RTF writers use

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Reader {
public:
    Reader(QByteArrayView in, const WriteOptions* defaults)
        : p_(in.data()), end_(in.data() + in.size()), isDocument_(looksLikeRtf(in)),
          defaults_(defaults) {
        // Never more characters than bytes of markup.
        result_.text.reserve(in.size());
        result_.styleOfChar.reserve(std::size_t(in.size()));
    }

    RichText read();

private:
    void openGroup();
    void closeGroup();
    void controlSequence();
    void controlWord();
    void dispatch(KeywordInfo info, bool hasParam, int param);
    void controlSymbol(char c);
    void hexByte();
    void literal(unsigned char b);
    void textByte(unsigned char b);
    void plainRun();
    void skipRun();
    void addChar(QChar c);
    void addUnicode(int param);
    void flushPending();
    void endFontEntry();
    int codePage() const;
    bool inNestedGroup() const { return stack_.size() >= (isDocument_ ? 2u : 1u); }
    std::uint8_t currentStyle();

    const char* p_;
    const char* end_;
    const bool isDocument_; // began with {\rtf: the document ends with its group
    const WriteOptions* defaults_;
    bool finished_ = false;

    RichText result_;
    StyleTable styleTable_;
    std::uint8_t style_ = 0;
    bool styleDirty_ = true;

    GroupState state_;
    std::vector<GroupState> stack_;
    std::size_t overflow_ = 0; // groups opened beyond kMaxDepth
    int skipCount_ = 0;        // fallback characters still to skip after \u

    int ansiCodePage_ = 1252;
    DocumentTables tables_;

    // Bytes of a code page other than 1252, decoded together so multi-byte characters
    // written as several \'hh come out whole.
    QByteArray pending_;
    int pendingCodePage_ = 0;
    CodePageDecoder decoder_;
};

RichText Reader::read() {
    while (p_ < end_ && !finished_) {
        const char c = *p_++;
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            controlSequence();
            break;
        case '\r':
        case '\n':
            break; // line breaks in markup are not text
        default:
            literal(static_cast<unsigned char>(c));
            break;
        }
    }
    flushPending();
    if (result_.text.capacity() > 2 * result_.text.size())
        result_.text.squeeze();
    if (result_.styleOfChar.capacity() > 2 * result_.styleOfChar.size())
        result_.styleOfChar.shrink_to_fit();
    result_.styles = styleTable_.styles();
    return std::move(result_);
}

void Reader::openGroup() {
    flushPending();
    skipCount_ = 0;
    state_.fresh = false;
    if (stack_.size() >= kMaxDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(state_);
    state_.fresh = true;
}

void Reader::closeGroup() {
    flushPending();
    skipCount_ = 0;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.empty())
        return; // a stray closing brace
    if (state_.destination == Destination::FontTable)
        endFontEntry();
    state_ = stack_.back();
    stack_.pop_back();
    styleDirty_ = true;
    if (isDocument_ && stack_.empty())
        finished_ = true;
}

void Reader::controlSequence() {
    if (p_ == end_)
        return;
    if (isLetter(*p_)) {
        controlWord();
        return;
    }
    controlSymbol(*p_++);
}

void Reader::controlWord() {
    const char* nameStart = p_;
    while (p_ < end_ && isLetter(*p_))
        ++p_;
    const std::string_view name(nameStart, std::size_t(p_ - nameStart));
    bool negative = false;
    if (p_ + 1 < end_ && *p_ == '-' && isDigit(p_[1])) {
        negative = true;
        ++p_;
    }
    bool hasParam = false;
    long long value = 0;
    while (p_ < end_ && isDigit(*p_)) {
        hasParam = true;
        if (value <= INT_MAX) // huge numbers saturate
            value = value * 10 + (*p_ - '0');
        ++p_;
    }
    if (p_ < end_ && *p_ == ' ')
        ++p_; // the delimiting space belongs to the word
    value = std::min<long long>(value, INT_MAX);
    dispatch(lookupKeyword(name), hasParam, int(negative ? -value : value));
}

void Reader::dispatch(KeywordInfo info, bool hasParam, int param) {
    state_.fresh = false;
    if (info.keyword == Keyword::Binary) {
        // \binN: N bytes of raw data follow, whatever they contain.
        if (hasParam && param > 0)
            p_ += std::min<std::ptrdiff_t>(param, end_ - p_);
        skipCount_ = std::max(0, skipCount_ - 1);
        return;
    }
    if (state_.destination == Destination::Skip)
        return;
    flushPending();
    if (skipCount_ > 0) {
        --skipCount_; // a control word in a \u fallback counts as one character
        return;
    }
    const bool inText = state_.destination == Destination::Text;
    const bool on = !hasParam || param != 0;
    switch (info.keyword) {
    case Keyword::Ansi:
        ansiCodePage_ = 1252;
        break;
    case Keyword::Mac:
        ansiCodePage_ = 10000;
        break;
    case Keyword::Pc:
        ansiCodePage_ = 437;
        break;
    case Keyword::Pca:
        ansiCodePage_ = 850;
        break;
    case Keyword::AnsiCodePage:
        if (param > 0)
            ansiCodePage_ = param;
        break;
    case Keyword::DefaultFont:
        tables_.setDefaultFont(param);
        styleDirty_ = true;
        break;
    case Keyword::UnicodeSkip:
        state_.unicodeSkip = std::clamp(param, 0, kMaxUnicodeSkip);
        break;
    case Keyword::Unicode:
        if (hasParam) {
            addUnicode(param);
            skipCount_ = state_.unicodeSkip;
        }
        break;
    case Keyword::FontTable:
        if (inNestedGroup()) {
            state_.destination = Destination::FontTable;
            tables_.beginFontTable();
        }
        break;
    case Keyword::ColourTable:
        if (inNestedGroup()) {
            state_.destination = Destination::ColourTable;
            tables_.beginColours();
            styleDirty_ = true;
        }
        break;
    case Keyword::SkippedDestination:
        if (inNestedGroup())
            state_.destination = Destination::Skip;
        break;
    case Keyword::FontCharset:
        if (state_.destination == Destination::FontTable)
            tables_.setFontCharset(param);
        break;
    case Keyword::FontCodePage:
        if (state_.destination == Destination::FontTable)
            tables_.setFontCodePage(param);
        break;
    case Keyword::Red:
    case Keyword::Green:
    case Keyword::Blue:
        if (state_.destination == Destination::ColourTable)
            tables_.setColourComponent(info.keyword == Keyword::Red     ? 0
                                       : info.keyword == Keyword::Green ? 1
                                                                        : 2,
                                       param);
        break;
    case Keyword::Paragraph:
    case Keyword::Tab:
    case Keyword::Character:
        if (inText)
            addChar(QChar(info.character));
        break;
    case Keyword::Plain:
        state_.resetCharacter();
        styleDirty_ = true;
        break;
    case Keyword::Bold:
        state_.bold = on;
        styleDirty_ = true;
        break;
    case Keyword::Italic:
        state_.italic = on;
        styleDirty_ = true;
        break;
    case Keyword::Underline:
        state_.underline = on;
        styleDirty_ = true;
        break;
    case Keyword::UnderlineNone:
        state_.underline = false;
        styleDirty_ = true;
        break;
    case Keyword::Colour:
        state_.colour = param;
        styleDirty_ = true;
        break;
    case Keyword::Background:
        state_.background = param;
        styleDirty_ = true;
        break;
    case Keyword::PatternBackground:
        state_.pattern = param;
        styleDirty_ = true;
        break;
    case Keyword::Highlight:
        state_.highlight = param;
        styleDirty_ = true;
        break;
    case Keyword::FontSize:
        state_.halfPoints = std::clamp(param, 0, kMaxHalfPoints);
        styleDirty_ = true;
        break;
    case Keyword::Font:
        if (state_.destination == Destination::FontTable) {
            flushPending();
            tables_.beginFont(param);
            styleDirty_ = true;
        } else {
            state_.font = param;
            styleDirty_ = true;
        }
        break;
    case Keyword::Binary:
    case Keyword::Unknown:
        break;
    }
}

void Reader::controlSymbol(char c) {
    if (c == '\'') {
        hexByte();
        return;
    }
    const bool fresh = state_.fresh;
    state_.fresh = false;
    if (c == '*') {
        // {\*\word ...}: a destination this reader does not know; its content is skipped.
        if (fresh && inNestedGroup())
            state_.destination = Destination::Skip;
        return;
    }
    if (state_.destination == Destination::Skip)
        return;
    flushPending();
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    const bool inText = state_.destination == Destination::Text;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        addChar(QChar::fromLatin1(c));
        break;
    case '~':
        addChar(QChar(0x00A0)); // no-break space
        break;
    case '-':
        addChar(QChar(0x00AD)); // soft hyphen
        break;
    case '_':
        addChar(QChar(0x2011)); // no-break hyphen
        break;
    case '\r':
    case '\n':
        if (inText)
            addChar(u'\n'); // a backslash before a line break is a paragraph mark
        break;
    default:
        break; // \: \| and other symbols carry no text
    }
}

void Reader::hexByte() {
    const int hi = p_ < end_ ? hexValue(p_[0]) : -1;
    const int lo = p_ + 1 < end_ ? hexValue(p_[1]) : -1;
    state_.fresh = false;
    if (hi < 0 || lo < 0)
        return; // not a byte: the \' is dropped and what follows read as it is
    p_ += 2;
    if (state_.destination == Destination::Skip || state_.destination == Destination::ColourTable)
        return;
    if (skipCount_ > 0) {
        --skipCount_; // a \'hh in a \u fallback counts as one character
        return;
    }
    textByte(static_cast<unsigned char>(hi * 16 + lo));
}

void Reader::literal(unsigned char b) {
    state_.fresh = false;
    switch (state_.destination) {
    case Destination::Skip:
        skipRun();
        return;
    case Destination::ColourTable:
        if (b == ';') {
            tables_.endColour();
            styleDirty_ = true;
        }
        return;
    case Destination::FontTable:
        if (b == ';') {
            endFontEntry();
            return;
        }
        break;
    case Destination::Text:
        break;
    }
    if (b < 0x20 && b != '\t')
        return; // control characters in markup are not text
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    textByte(b);
    if (state_.destination == Destination::Text && pending_.isEmpty() && codePage() == 1252)
        plainRun();
}

// One byte of text in the current code page.
void Reader::textByte(unsigned char b) {
    const int cp = codePage();
    if (cp == 1252 && pending_.isEmpty()) {
        addChar(windows1252Char(b));
        return;
    }
    if (!pending_.isEmpty() && pendingCodePage_ != cp)
        flushPending();
    pending_.append(char(b));
    pendingCodePage_ = cp;
}

// The common case of Windows-1252 text between two control words, copied in one loop.
void Reader::plainRun() {
    const char* start = p_;
    while (p_ < end_) {
        const auto b = static_cast<unsigned char>(*p_);
        if (b < 0x20 || b == '\\' || b == '{' || b == '}')
            break;
        ++p_;
    }
    const qsizetype count = p_ - start;
    if (count == 0)
        return;
    // One resize per run; the capacity reserved at the start makes it cheap.
    QString& text = result_.text;
    const qsizetype old = text.size();
    text.resize(old + count);
    QChar* out = text.data() + old;
    for (qsizetype i = 0; i < count; ++i)
        out[i] = windows1252Char(static_cast<unsigned char>(start[i]));
    result_.styleOfChar.resize(result_.styleOfChar.size() + std::size_t(count), currentStyle());
}

// Skipped content up to the next control sequence or brace.
void Reader::skipRun() {
    while (p_ < end_ && *p_ != '\\' && *p_ != '{' && *p_ != '}')
        ++p_;
}

void Reader::addChar(QChar c) {
    if (state_.destination == Destination::Text) {
        const std::uint8_t style = currentStyle();
        result_.text.append(c);
        result_.styleOfChar.push_back(style);
    } else if (state_.destination == Destination::FontTable) {
        tables_.appendToFontName(c);
    }
}

void Reader::addUnicode(int param) {
    // Negative values stand for the upper half of UTF-16 (N + 65536). Values beyond
    // 16 bits are taken as code points, which some writers produce.
    long long v = param;
    if (v < 0)
        v += 65536;
    if (v >= 0 && v <= 0xFFFF) {
        addChar(QChar(char16_t(v)));
    } else if (v > 0xFFFF && v <= 0x10FFFF) {
        addChar(QChar(QChar::highSurrogate(char32_t(v))));
        addChar(QChar(QChar::lowSurrogate(char32_t(v))));
    } else {
        addChar(QChar(QChar::ReplacementCharacter));
    }
}

void Reader::flushPending() {
    if (pending_.isEmpty())
        return;
    QString decoded;
    decoder_.decode(pendingCodePage_, pending_, decoded);
    pending_.clear();
    for (QChar c : std::as_const(decoded))
        addChar(c);
}

void Reader::endFontEntry() {
    flushPending();
    if (!tables_.fontOpen())
        return;
    tables_.endFont();
    styleDirty_ = true;
}

// The code page that \'hh and 8-bit bytes are in: the current font's, else the document's.
int Reader::codePage() const {
    const int cp = state_.destination == Destination::FontTable ? tables_.openFontCodePage()
                                                                : tables_.codePageOf(state_.font);
    return cp > 0 ? cp : ansiCodePage_;
}

std::uint8_t Reader::currentStyle() {
    if (styleDirty_) {
        style_ = styleTable_.intern(tables_.styleOf(state_, defaults_));
        styleDirty_ = false;
    }
    return style_;
}

} // namespace

RichText read(QByteArrayView rtf) {
    return Reader(rtf, nullptr).read();
}

RichText read(QByteArrayView rtf, const WriteOptions& defaults) {
    return Reader(rtf, &defaults).read();
}

} // namespace kelvane::rtf
