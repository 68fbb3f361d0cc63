// Computes the colour of every character of a document or line, as the colouring passes paint it.
#include "document/ColourEngine.h"

#include "document/ColourDelimiters.h"
#include "document/ColourLineBreakWords.h"
#include "document/KeywordAutomaton.h"
#include "document/KeywordList.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvane {

namespace {

/// How the two passes combine. Every character ends with the colour its last painter gave it,
/// and one pass runs entirely after the other; so with delimiters second a character inside a
/// run is delimiter-coloured, and otherwise a keyword colour beats the delimiter colour. Among
/// keywords the later list wins, which is the highest colour class. These rules give the same
/// result whatever order the occurrences and runs are found in.
template <bool DelimitersLast> class Painter {
public:
    Painter(std::uint8_t* out, qsizetype base, qsizetype size)
        : out_(out), base_(base), size_(size) {}

    /// Inside a keyword range the classes are 0 to 4 only, so with delimiters last the higher
    /// class simply wins (the delimiter class is above every keyword class).
    void keyword(qsizetype from, qsizetype to, std::uint8_t colour) const {
        std::uint8_t* p = out_ + (from - base_);
        const qsizetype n = to - from;
#if defined(__SSE2__)
        // Most words are short: one unaligned 16-byte blend instead of a loop.
        if (n <= 16 && (from - base_) + 16 <= size_) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i c = _mm_set1_epi8(char(colour));
            __m128i painted = _mm_max_epu8(v, c);
            if constexpr (!DelimitersLast) {
                const __m128i delimited = _mm_cmpeq_epi8(v, _mm_set1_epi8(DelimiterColour));
                painted =
                    _mm_or_si128(_mm_and_si128(delimited, c), _mm_andnot_si128(delimited, painted));
            }
            const __m128i inWord =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(WordMasks.data() + (16 - n)));
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(p),
                _mm_or_si128(_mm_and_si128(inWord, painted), _mm_andnot_si128(inWord, v)));
            return;
        }
#endif
        for (qsizetype k = 0; k < n; ++k) {
            const std::uint8_t v = p[k];
            if constexpr (DelimitersLast)
                p[k] = std::max(v, colour);
            else
                p[k] = v == DelimiterColour ? colour : std::max(v, colour);
        }
    }

    /// Runs arrive in order of their ends, so only what lies outside the last painted stretch
    /// needs painting.
    void delimiter(qsizetype from, qsizetype to) {
        if (from > paintedTo_ || from < paintedFrom_) {
            if (from < paintedFrom_ && paintedFrom_ <= paintedTo_ && to >= paintedFrom_) {
                fill(from, paintedFrom_);
            } else {
                fill(from, to);
                paintedFrom_ = from;
                paintedTo_ = to;
                return;
            }
            paintedFrom_ = from;
        }
        if (to > paintedTo_) {
            fill(paintedTo_, to);
            paintedTo_ = to;
        }
    }

private:
    /// Sixteen 0xFF bytes before sixteen zeros: from offset 16 - n, the mask of n leading bytes.
    static constexpr std::array<std::uint8_t, 32> WordMasks = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0,    0,    0,    0,    0,    0,
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0};

    std::uint8_t* out_;
    qsizetype base_;
    qsizetype size_;
    qsizetype paintedFrom_ = 0;
    qsizetype paintedTo_ = -1;

    void fill(qsizetype from, qsizetype to) const {
        std::uint8_t* p = out_ + (from - base_);
        const qsizetype n = to - from;
        if constexpr (DelimitersLast) {
            std::memset(p, DelimiterColour, std::size_t(n));
        } else {
            // Only what no keyword coloured: the base colour, or outside a line's base sweep.
            qsizetype k = 0;
#if defined(__SSE2__)
            const __m128i one = _mm_set1_epi8(1);
            const __m128i delimiter = _mm_set1_epi8(DelimiterColour);
            for (; k + 16 <= n; k += 16) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
                // v + 1 is at most 1 (unsigned) exactly for the base class and Untouched.
                const __m128i free = _mm_cmpeq_epi8(_mm_max_epu8(_mm_add_epi8(v, one), one), one);
                _mm_storeu_si128(
                    reinterpret_cast<__m128i*>(p + k),
                    _mm_or_si128(_mm_and_si128(free, delimiter), _mm_andnot_si128(free, v)));
            }
#endif
            for (; k < n; ++k) {
                const std::uint8_t v = p[k];
                p[k] = std::uint8_t(v + 1) <= 1 ? std::uint8_t(DelimiterColour) : v;
            }
        }
    }
};

/// Interleaved sweeps: four independent automaton walks over the quarters of a chunk keep the
/// processor busy while each walk waits for its next table entry.
constexpr qsizetype StreamLength = 8192;
constexpr qsizetype ChunkLength = 4 * StreamLength;

/// A step of a walk worth a second look: the table entry (which says whether the state ends
/// words and whether the character may begin a delimiter string) in the high half, the
/// character's offset in its stream in the low half.
using Record = std::uint64_t;

/// One step of a walk. The record is written every step and the count advances only when the
/// entry is flagged, so the loop has no unpredictable branches.
#define KELVANE_COLOUR_STEP(row, records, count, c, j)                                             \
    do {                                                                                           \
        const std::uint32_t entry_ = table[row + classes[c]];                                      \
        row = entry_ & KeywordAutomaton::RowMask;                                                  \
        (records)[count] = (Record(entry_) << 32) | std::uint32_t(j);                              \
        count += entry_ > KeywordAutomaton::RowMask;                                               \
    } while (false)

} // namespace

QString colourStageText(const ColourStage& stage, qint32 keywordCount) {
    if (stage.kind == ColourStage::Delimiters)
        return QStringLiteral("Coding Bracers and Delimiters...");
    return QString::number(stage.counter) + QStringLiteral(" of ") + QString::number(keywordCount) +
           QStringLiteral(" Keywords/Identifiers Coded...");
}

struct ColourEngine::Impl {
    ColourSettings settings;
    std::vector<ColourStage> stages;
    std::unique_ptr<KeywordAutomaton> automaton;
    /// Words that hold a CR or LF: they can match half a line break, so they are searched apart.
    std::vector<KeywordAutomaton::Word> lineBreakWords;
    std::uint32_t kinds = 0;
    std::uint32_t eventClasses = 0;

    explicit Impl(const ColourSettings& s);

    /// Colours [begin, end) into out (out[0] is position begin): keywords within
    /// [begin, keywordEnd), delimiters within [begin, end). advance(done) reports progress.
    template <bool DelimitersLast, class Advance>
    void scan(QStringView text, qsizetype begin, qsizetype keywordEnd, qsizetype end,
              std::uint8_t* out, Advance&& advance) const;

    template <class Advance>
    void colour(QStringView text, qsizetype begin, qsizetype keywordEnd, qsizetype end,
                std::uint8_t* out, Advance&& advance) const {
        if (settings.codeOrder)
            scan<true>(text, begin, keywordEnd, end, out, advance);
        else
            scan<false>(text, begin, keywordEnd, end, out, advance);
    }
};

ColourEngine::Impl::Impl(const ColourSettings& s) : settings(s) {
    kinds = enabledDelimiterKinds(s.delimiters);
    const QString events = delimiterEventChars(kinds);
    eventClasses = std::uint32_t(events.size());

    // Each distinct word once (by its fold without case), with the colour of the last list
    // that holds it; the captions count every read of every list.
    std::vector<ColourStage> keywordStages;
    QHash<QString, std::uint8_t> colourOf;
    std::vector<QString> order;
    for (int list = 0; list < 3; ++list) {
        const KeywordList words = readKeywordList(s.keywords[list]);
        for (int read = 1; read <= words.reads; ++read)
            keywordStages.push_back({ColourStage::Keywords, read});
        for (const QString& word : words.words) {
            QString key = word;
            if (!s.caseSensitive)
                for (QChar& c : key)
                    c = QChar(foldKeywordChar(c.unicode()));
            auto it = colourOf.find(key);
            if (it == colourOf.end()) {
                colourOf.insert(key, std::uint8_t(KeywordColour0 + list));
                order.push_back(key);
            } else {
                *it = std::uint8_t(KeywordColour0 + list);
            }
        }
    }
    std::vector<KeywordAutomaton::Word> plain;
    for (const QString& key : order) {
        KeywordAutomaton::Word word{key, colourOf.value(key)};
        if (key.contains(QChar('\r')) || key.contains(QChar('\n')))
            lineBreakWords.push_back(std::move(word));
        else
            plain.push_back(std::move(word));
    }
    automaton = std::make_unique<KeywordAutomaton>(plain, s.caseSensitive, events);

    const ColourStage delimiterStage{ColourStage::Delimiters, 0};
    if (!s.codeOrder)
        stages.push_back(delimiterStage);
    stages.insert(stages.end(), keywordStages.begin(), keywordStages.end());
    if (s.codeOrder)
        stages.push_back(delimiterStage);
}

template <bool DelimitersLast, class Advance>
void ColourEngine::Impl::scan(QStringView text, qsizetype begin, qsizetype keywordEnd,
                              qsizetype end, std::uint8_t* out, Advance&& advance) const {
    // Everything the loops read is held in locals: the colour stores are byte stores, which the
    // compiler must otherwise assume may change any object reached through a reference.
    Painter<DelimitersLast> painter(out, begin, end - begin);
    const KeywordAutomaton& words = *automaton;
    const std::uint16_t* const classes = words.classes();
    const std::uint32_t* const table = words.table();
    const unsigned shift = words.shift();
    const std::uint32_t* const outputStarts = words.outputStarts();
    const std::uint32_t* const outputs = words.outputs();
    const std::uint32_t* const wordLengths = words.wordLengths();
    const std::uint8_t* const wordColours = words.wordColours();
    const qsizetype maxLength = words.maxLength();
    const char16_t* const chars = text.utf16();
    constexpr qsizetype Capacity = StreamLength + 1;

    std::vector<Record> buffer(std::size_t(4 * Capacity));
    Record* const records = buffer.data();
    std::vector<qsizetype> nextAllowedOf(words.wordCount(), begin);
    qsizetype* const nextAllowed = nextAllowedOf.data();
    DelimiterScanner delimiters(kinds);
    const auto paintRun = [&painter](qsizetype from, qsizetype to) { painter.delimiter(from, to); };

    // Brings a fresh walk into step: after as many characters as the longest word has, the
    // state is the same whatever came before.
    const auto warmUp = [=](qsizetype at) {
        std::uint32_t row = 0;
        for (qsizetype i = std::max(begin, at - maxLength); i < at; ++i)
            row = table[row + classes[chars[i]]] & KeywordAutomaton::RowMask;
        return row;
    };

    // Looks again at the flagged steps of one walk that began at position base: first sorts
    // them, without branching, into delimiter events and word ends, then handles each kind in a
    // loop of its own.
    std::vector<Record> sortedBuffer(std::size_t(2 * Capacity));
    Record* const events = sortedBuffer.data();
    Record* const ends = events + Capacity;
    const auto take = [&, chars, outputStarts, outputs, wordLengths, wordColours, nextAllowed,
                       shift, keywordEnd, end, events,
                       ends](qsizetype base, const Record* steps, std::size_t count) {
        std::size_t eventCount = 0;
        std::size_t endCount = 0;
        for (std::size_t r = 0; r < count; ++r) {
            const Record step = steps[r];
            events[eventCount] = step;
            eventCount += (step >> 62) & 1u;
            ends[endCount] = step;
            endCount += step >> 63;
        }
        for (std::size_t r = 0; r < eventCount; ++r)
            delimiters.feed(chars, base + qsizetype(std::uint32_t(events[r])), end, paintRun);
        for (std::size_t r = 0; r < endCount; ++r) {
            const auto entry = std::uint32_t(ends[r] >> 32);
            const qsizetype i = base + qsizetype(std::uint32_t(ends[r]));
            if (i >= keywordEnd)
                break;
            const std::uint32_t state = (entry & KeywordAutomaton::RowMask) >> shift;
            for (std::uint32_t k = outputStarts[state]; k != outputStarts[state + 1]; ++k) {
                const std::uint32_t w = outputs[k];
                // Occurrences of one word never overlap: the search resumes after each.
                const qsizetype wordStart = i + 1 - wordLengths[w];
                if (wordStart < nextAllowed[w])
                    continue;
                nextAllowed[w] = i + 1;
                painter.keyword(wordStart, i + 1, wordColours[w]);
            }
        }
    };

    std::uint32_t row0 = 0;
    for (qsizetype chunk = begin; chunk < end;) {
        if (end - chunk >= ChunkLength) {
            const char16_t* const p = chars + chunk;
            std::uint32_t row1 = warmUp(chunk + StreamLength);
            std::uint32_t row2 = warmUp(chunk + 2 * StreamLength);
            std::uint32_t row3 = warmUp(chunk + 3 * StreamLength);
            std::size_t count0 = 0, count1 = 0, count2 = 0, count3 = 0;
            for (qsizetype j = 0; j < StreamLength; ++j) {
                KELVANE_COLOUR_STEP(row0, records, count0, p[j], j);
                KELVANE_COLOUR_STEP(row1, records + Capacity, count1, p[j + StreamLength], j);
                KELVANE_COLOUR_STEP(row2, records + 2 * Capacity, count2, p[j + 2 * StreamLength],
                                    j);
                KELVANE_COLOUR_STEP(row3, records + 3 * Capacity, count3, p[j + 3 * StreamLength],
                                    j);
            }
            row0 = row3;
            take(chunk, records, count0);
            take(chunk + StreamLength, records + Capacity, count1);
            take(chunk + 2 * StreamLength, records + 2 * Capacity, count2);
            take(chunk + 3 * StreamLength, records + 3 * Capacity, count3);
            chunk += ChunkLength;
        } else {
            // The tail, and short ranges such as a line: one walk.
            const qsizetype length = std::min(StreamLength, end - chunk);
            const char16_t* const p = chars + chunk;
            std::size_t count0 = 0;
            for (qsizetype j = 0; j < length; ++j)
                KELVANE_COLOUR_STEP(row0, records, count0, p[j], j);
            take(chunk, records, count0);
            chunk += length;
        }
        advance(chunk - begin);
    }

    for (const KeywordAutomaton::Word& word : lineBreakWords)
        colourLineBreakWord(
            text, begin, keywordEnd, word.text, settings.caseSensitive,
            [&](qsizetype from, qsizetype to) { painter.keyword(from, to, word.colour); });
}

#undef KELVANE_COLOUR_STEP

ColourEngine::ColourEngine(const ColourSettings& settings)
    : impl_(std::make_unique<Impl>(settings)) {}

ColourEngine::~ColourEngine() = default;

const ColourSettings& ColourEngine::settings() const {
    return impl_->settings;
}

const std::vector<ColourStage>& ColourEngine::documentStages() const {
    return impl_->stages;
}

void ColourEngine::colourDocument(QStringView text, std::span<std::uint8_t> out,
                                  const ColourProgress& progress) const {
    const qsizetype n = std::min(text.size(), qsizetype(out.size()));
    std::memset(out.data(), BaseColour, out.size());
    const std::vector<ColourStage>& stages = impl_->stages;
    std::size_t shown = 0;
    // Captions are spread over the sweep in proportion to the text done.
    const auto advance = [&](qsizetype done) {
        if (!progress)
            return;
        const std::size_t due =
            n == 0 ? stages.size()
                   : std::max<std::size_t>(
                         1, std::size_t(double(done) / double(n) * double(stages.size())));
        for (; shown < std::min(due, stages.size()); ++shown)
            progress(stages[shown]);
    };
    advance(0);
    impl_->colour(text, 0, n, n, out.data(), advance);
    advance(n);
}

std::vector<std::uint8_t> ColourEngine::colourDocument(QStringView text,
                                                       const ColourProgress& progress) const {
    std::vector<std::uint8_t> out(std::size_t(text.size()));
    colourDocument(text, out, progress);
    return out;
}

LineColours ColourEngine::colourLine(QStringView text, qsizetype lineStart,
                                     qsizetype lineLength) const {
    const qsizetype n = text.size();
    lineStart = std::clamp<qsizetype>(lineStart, 0, n);
    lineLength = std::clamp<qsizetype>(lineLength, 0, n - lineStart);
    const qsizetype lineEnd = lineStart + lineLength;

    // Two CR LF characters beyond the line: its break, or (for a display line of a wrapped
    // paragraph) what follows; half a break would hold only its CR, which no delimiter string
    // ends with, so the range stops before such a break.
    qsizetype delimiterEnd = lineEnd;
    for (int units = 2; units > 0 && delimiterEnd < n;) {
        const int width = text[delimiterEnd] == QChar('\n') ? 2 : 1;
        if (width > units)
            break;
        units -= width;
        ++delimiterEnd;
    }

    LineColours result;
    result.start = lineStart;
    result.colours.assign(std::size_t(delimiterEnd - lineStart), Untouched);
    std::fill_n(result.colours.begin(), lineLength, BaseColour);
    impl_->colour(text, lineStart, lineEnd, delimiterEnd, result.colours.data(), [](qsizetype) {});
    return result;
}

ColourTextLine ColourEngine::lineAt(QStringView text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.size());
    const qsizetype start = position == 0 ? 0 : text.lastIndexOf(QChar('\n'), position - 1) + 1;
    qsizetype end = text.indexOf(QChar('\n'), start);
    if (end < 0)
        end = text.size();
    return {start, end - start};
}

} // namespace kelvane
