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

/// Receives the part of a delimiter run that lies before the text a scan still holds.
using ColourFixUp = std::function<void(qsizetype from, qsizetype to)>;

/// How the two passes combine. Every character ends with the colour its last painter gave it,
/// and one pass runs entirely after the other; so with delimiters second a character inside a
/// run is delimiter-coloured, and otherwise a keyword colour beats the delimiter colour. Among
/// keywords the later list wins, which is the highest colour class. These rules give the same
/// result whatever order the occurrences and runs are found in.
template <bool DelimitersLast> class Painter {
public:
    /// out[0] is position base and out holds size classes. A delimiter run that reaches before
    /// base (text already handed on by a stream) goes in that part to fixUp.
    Painter(std::uint8_t* out, qsizetype base, qsizetype size, qsizetype paintedFrom,
            qsizetype paintedTo, const ColourFixUp* fixUp)
        : out_(out), base_(base), size_(size), paintedFrom_(paintedFrom), paintedTo_(paintedTo),
          fixUp_(fixUp) {}

    qsizetype paintedFrom() const { return paintedFrom_; }
    qsizetype paintedTo() const { return paintedTo_; }

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
    qsizetype paintedFrom_;
    qsizetype paintedTo_;
    const ColourFixUp* fixUp_;

    void fill(qsizetype from, qsizetype to) const {
        if (from < base_) [[unlikely]] {
            (*fixUp_)(from, std::min(to, base_));
            from = base_;
            if (from >= to)
                return;
        }
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

namespace {

/// What a scan carries from one range of text to the next: the search state, the runs still
/// open and the last painted stretch. Positions are relative to the scan's text pointer.
struct ScanState {
    std::uint32_t row = 0;
    std::vector<qsizetype> nextAllowed;
    DelimiterScanner delimiters;
    qsizetype paintedFrom = 0;
    qsizetype paintedTo = -1;
    std::vector<LineBreakWordFinder> lineBreakWords;
    /// Work space of the walks, kept so that a stream of ranges allocates it once.
    std::vector<Record> records;
    std::vector<Record> sorted;

    /// Moves every remembered position by delta (when the text under the pointer moves).
    void shift(qsizetype delta) {
        for (qsizetype& at : nextAllowed)
            at += delta;
        delimiters.shift(delta);
        paintedFrom += delta;
        paintedTo += delta;
        for (LineBreakWordFinder& finder : lineBreakWords)
            finder.shift(delta);
    }
};

} // namespace

struct ColourEngine::Impl {
    ColourSettings settings;
    std::vector<ColourStage> stages;
    std::unique_ptr<KeywordAutomaton> automaton;
    /// Words that hold a CR or LF: they can match half a line break, so they are searched apart.
    std::vector<KeywordAutomaton::Word> lineBreakWords;
    std::uint32_t kinds = 0;
    std::uint32_t eventClasses = 0;
    /// The most characters an occurrence of any word spans.
    qsizetype longestWord = 0;

    explicit Impl(const ColourSettings& s);

    /// A fresh state for a scan that begins at position begin.
    ScanState startState(qsizetype begin) const {
        ScanState state{0,
                        std::vector<qsizetype>(automaton->wordCount(), begin),
                        DelimiterScanner(kinds),
                        begin,
                        begin - 1,
                        {},
                        {},
                        {}};
        for (const KeywordAutomaton::Word& word : lineBreakWords)
            state.lineBreakWords.emplace_back(word.text, settings.caseSensitive);
        return state;
    }

    /// Colours [begin, scanEnd) of chars: keywords ending before keywordEnd, delimiter events
    /// before scanEnd, with textEnd the end of the characters a delimiter string may read.
    /// out[0] is position outBase and out reaches to textEnd; runs reaching before outBase go
    /// to fixUp in that part. advance(done) reports progress.
    template <bool DelimitersLast, class Advance>
    void scan(const char16_t* chars, qsizetype begin, qsizetype keywordEnd, qsizetype scanEnd,
              qsizetype textEnd, std::uint8_t* out, qsizetype outBase, ScanState& state,
              const ColourFixUp* fixUp, Advance&& advance) const;

    template <class Advance>
    void colour(const char16_t* chars, qsizetype begin, qsizetype keywordEnd, qsizetype scanEnd,
                qsizetype textEnd, std::uint8_t* out, qsizetype outBase, ScanState& state,
                const ColourFixUp* fixUp, Advance&& advance) const {
        if (settings.codeOrder)
            scan<true>(chars, begin, keywordEnd, scanEnd, textEnd, out, outBase, state, fixUp,
                       advance);
        else
            scan<false>(chars, begin, keywordEnd, scanEnd, textEnd, out, outBase, state, fixUp,
                        advance);
    }

    /// A whole range in one scan: out[0] is position begin.
    template <class Advance>
    void colour(QStringView text, qsizetype begin, qsizetype keywordEnd, qsizetype end,
                std::uint8_t* out, Advance&& advance) const {
        ScanState state = startState(begin);
        colour(text.utf16(), begin, keywordEnd, end, end, out, begin, state, nullptr, advance);
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
    longestWord = automaton->maxLength();
    for (const KeywordAutomaton::Word& word : lineBreakWords)
        longestWord = std::max(longestWord, word.text.size());

    const ColourStage delimiterStage{ColourStage::Delimiters, 0};
    if (!s.codeOrder)
        stages.push_back(delimiterStage);
    stages.insert(stages.end(), keywordStages.begin(), keywordStages.end());
    if (s.codeOrder)
        stages.push_back(delimiterStage);
}

template <bool DelimitersLast, class Advance>
void ColourEngine::Impl::scan(const char16_t* const chars, qsizetype begin, qsizetype keywordEnd,
                              qsizetype scanEnd, qsizetype textEnd, std::uint8_t* out,
                              qsizetype outBase, ScanState& state, const ColourFixUp* fixUp,
                              Advance&& advance) const {
    // Everything the loops read is held in locals: the colour stores are byte stores, which the
    // compiler must otherwise assume may change any object reached through a reference.
    Painter<DelimitersLast> painter(out, outBase, textEnd - outBase, state.paintedFrom,
                                    state.paintedTo, fixUp);
    const KeywordAutomaton& words = *automaton;
    const std::uint16_t* const classes = words.classes();
    const std::uint32_t* const table = words.table();
    const unsigned shift = words.shift();
    const std::uint32_t* const outputStarts = words.outputStarts();
    const std::uint32_t* const outputs = words.outputs();
    const std::uint32_t* const wordLengths = words.wordLengths();
    const std::uint8_t* const wordColours = words.wordColours();
    const qsizetype maxLength = words.maxLength();
    constexpr qsizetype Capacity = StreamLength + 1;

    if (state.records.size() < std::size_t(4 * Capacity)) {
        state.records.resize(std::size_t(4 * Capacity));
        state.sorted.resize(std::size_t(2 * Capacity));
    }
    Record* const records = state.records.data();
    qsizetype* const nextAllowed = state.nextAllowed.data();
    DelimiterScanner& delimiters = state.delimiters;
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
    Record* const events = state.sorted.data();
    Record* const ends = events + Capacity;
    const auto take = [&, chars, outputStarts, outputs, wordLengths, wordColours, nextAllowed,
                       shift, keywordEnd, textEnd, events,
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
            delimiters.feed(chars, base + qsizetype(std::uint32_t(events[r])), textEnd, paintRun);
        for (std::size_t r = 0; r < endCount; ++r) {
            const auto entry = std::uint32_t(ends[r] >> 32);
            const qsizetype i = base + qsizetype(std::uint32_t(ends[r]));
            if (i >= keywordEnd)
                break;
            const std::uint32_t at = (entry & KeywordAutomaton::RowMask) >> shift;
            for (std::uint32_t k = outputStarts[at]; k != outputStarts[at + 1]; ++k) {
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

    std::uint32_t row0 = state.row;
    for (qsizetype chunk = begin; chunk < scanEnd;) {
        if (scanEnd - chunk >= ChunkLength) {
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
            const qsizetype length = std::min(StreamLength, scanEnd - chunk);
            const char16_t* const p = chars + chunk;
            std::size_t count0 = 0;
            for (qsizetype j = 0; j < length; ++j)
                KELVANE_COLOUR_STEP(row0, records, count0, p[j], j);
            take(chunk, records, count0);
            chunk += length;
        }
        advance(chunk - begin);
    }
    state.row = row0;

    const qsizetype lineBreakEnd = std::min(keywordEnd, scanEnd);
    for (std::size_t k = 0; k < lineBreakWords.size(); ++k) {
        const std::uint8_t colour = lineBreakWords[k].colour;
        state.lineBreakWords[k].feed(
            chars, begin, std::max(begin, lineBreakEnd),
            [&](qsizetype from, qsizetype to) { painter.keyword(from, to, colour); });
    }
    state.paintedFrom = painter.paintedFrom();
    state.paintedTo = painter.paintedTo();
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

namespace {

/// Shows the captions of a whole-document pass spread over it in proportion to the text done.
class StageReporter {
public:
    StageReporter(const std::vector<ColourStage>& stages, qsizetype total, ColourProgress progress)
        : stages_(stages), total_(total), progress_(std::move(progress)) {}

    void operator()(qsizetype done) {
        if (!progress_)
            return;
        const std::size_t due =
            total_ <= 0 ? stages_.size()
                        : std::max<std::size_t>(1, std::size_t(double(done) / double(total_) *
                                                               double(stages_.size())));
        for (; shown_ < std::min(due, stages_.size()); ++shown_)
            progress_(stages_[shown_]);
    }

private:
    const std::vector<ColourStage>& stages_;
    qsizetype total_;
    ColourProgress progress_;
    std::size_t shown_ = 0;
};

} // namespace

void ColourEngine::colourDocument(QStringView text, std::span<std::uint8_t> out,
                                  const ColourProgress& progress) const {
    const qsizetype n = std::min(text.size(), qsizetype(out.size()));
    std::fill(out.begin(), out.end(), std::uint8_t(BaseColour));
    StageReporter advance(impl_->stages, n, progress);
    advance(0);
    impl_->colour(text.first(n), 0, n, n, out.data(), advance);
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

/// The stream keeps a window of the text: what is not yet scanned, and behind it as many
/// characters as the longest word spans, since a word found later may still colour them.
/// Everything before the window has been handed on.
struct ColourStream::State {
    /// Characters handed on together (and the least worth handing on).
    static constexpr qsizetype HandOnLength = 1 << 16;

    const ColourEngine::Impl& impl;
    ColourSink sink;
    StageReporter report;
    qsizetype total;
    std::vector<char16_t> text;
    std::vector<std::uint8_t> classes;
    /// Document position of text[0], and the window's characters scanned so far.
    qsizetype windowStart = 0;
    qsizetype scanned = 0;
    ScanState scan;
    ColourFixUp fixUp;
    /// With delimiters coloured first, a run that reaches back into handed-on text colours
    /// there only what no keyword coloured: one bit per handed-on character says which, from
    /// the start of the earliest run still open.
    std::vector<std::uint64_t> keywordBits;
    qsizetype bitsStart = 0;
    std::vector<std::uint8_t> again;

    State(const ColourEngine& engine, qsizetype total, ColourSink sink, ColourProgress progress)
        : impl(*engine.impl_), sink(std::move(sink)),
          report(impl.stages, total, std::move(progress)), total(total), scan(impl.startState(0)) {
        fixUp = [this](qsizetype from, qsizetype to) { handOnAgain(from, to); };
        report(0);
    }

    void colour(qsizetype scanEnd) {
        if (scanEnd > scanned)
            impl.colour(text.data(), scanned, scanEnd, scanEnd, qsizetype(text.size()),
                        classes.data(), 0, scan, &fixUp, [](qsizetype) {});
        scanned = std::max(scanned, scanEnd);
    }

    /// Hands on the window's first count characters and drops them from the window.
    void handOn(qsizetype count) {
        if (count <= 0)
            return;
        if (!impl.settings.codeOrder) {
            const std::size_t first = std::size_t(windowStart - bitsStart);
            keywordBits.resize((first + std::size_t(count) + 63) / 64, 0);
            for (qsizetype k = 0; k < count; ++k) {
                const std::size_t bit = first + std::size_t(k);
                const bool keyword = std::uint8_t(classes[std::size_t(k)] - 1) < 3;
                keywordBits[bit / 64] |= std::uint64_t(keyword) << (bit % 64);
            }
        }
        sink(windowStart, classes.data(), count);
        text.erase(text.begin(), text.begin() + count);
        classes.erase(classes.begin(), classes.begin() + count);
        windowStart += count;
        scanned -= count;
        scan.shift(-count);
        if (!impl.settings.codeOrder) {
            // Bits before the earliest open run are needed no more.
            const qsizetype needed = windowStart + scan.delimiters.earliestOpen(0);
            const auto words = std::size_t((needed - bitsStart) / 64);
            if (words >= 1024 && 2 * words >= keywordBits.size()) {
                keywordBits.erase(keywordBits.begin(), keywordBits.begin() + std::ptrdiff_t(words));
                bitsStart += qsizetype(words) * 64;
            }
        }
    }

    /// The part [from, to) (window positions, before the window) of a delimiter run.
    void handOnAgain(qsizetype from, qsizetype to) {
        const bool delimitersLast = impl.settings.codeOrder;
        for (qsizetype at = windowStart + from, end = windowStart + to; at < end;) {
            const qsizetype n = std::min(end - at, HandOnLength);
            again.resize(std::size_t(n));
            if (delimitersLast) {
                std::fill(again.begin(), again.end(), std::uint8_t(DelimiterColour));
            } else {
                for (qsizetype k = 0; k < n; ++k) {
                    const auto bit = std::size_t(at + k - bitsStart);
                    again[std::size_t(k)] = (keywordBits[bit / 64] >> (bit % 64)) & 1u
                                                ? std::uint8_t(Untouched)
                                                : std::uint8_t(DelimiterColour);
                }
            }
            sink(at, again.data(), n);
            at += n;
        }
    }
};

ColourStream::ColourStream(const ColourEngine& engine, qsizetype total, ColourSink sink,
                           ColourProgress progress)
    : state_(std::make_unique<State>(engine, total, std::move(sink), std::move(progress))) {}

ColourStream::~ColourStream() = default;

void ColourStream::append(QStringView piece) {
    State& s = *state_;
    s.text.insert(s.text.end(), piece.utf16(), piece.utf16() + piece.size());
    s.classes.resize(s.text.size(), BaseColour);
    // The last character waits: a delimiter string may need the one after it.
    s.colour(qsizetype(s.text.size()) - 1);
    const qsizetype settled = s.scanned - s.impl.longestWord;
    if (settled >= State::HandOnLength)
        s.handOn(settled);
    s.report(s.windowStart + s.scanned);
}

void ColourStream::finish() {
    State& s = *state_;
    s.colour(qsizetype(s.text.size()));
    s.handOn(qsizetype(s.text.size()));
    s.report(std::max(s.total, s.windowStart));
}

} // namespace kelvane
