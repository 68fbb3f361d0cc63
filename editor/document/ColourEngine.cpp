// Computes the colour of every character of a document or line, as the colouring passes paint it.
#include "document/ColourEngine.h"

#include "document/ColourDelimiters.h"
#include "document/ColourLineBreakWords.h"
#include "document/KeywordAutomaton.h"
#include "document/KeywordList.h"

#include <QHash>

#include <algorithm>
#include <cstring>

namespace kelvane {

namespace {

/// How the two passes combine. Every character ends with the colour its last painter gave it,
/// and one pass runs entirely after the other; so with delimiters second a character inside a
/// run is delimiter-coloured, and otherwise a keyword colour beats the delimiter colour. Among
/// keywords the later list wins, which is the highest colour class. These rules give the same
/// result whatever order the occurrences and runs are found in.
template <bool DelimitersLast> struct Painter {
    std::uint8_t* out;
    qsizetype base;

    void keyword(qsizetype from, qsizetype to, std::uint8_t colour) const {
        for (std::uint8_t* p = out + (from - base); p != out + (to - base); ++p) {
            const std::uint8_t v = *p;
            if constexpr (DelimitersLast)
                *p = v == DelimiterColour ? v : std::max(v, colour);
            else
                *p = v == DelimiterColour ? colour : std::max(v, colour);
        }
    }
    void delimiter(qsizetype from, qsizetype to) const {
        std::uint8_t* p = out + (from - base);
        if constexpr (DelimitersLast) {
            std::memset(p, DelimiterColour, std::size_t(to - from));
        } else {
            // Only what no keyword coloured: the base colour, or outside a line's base sweep.
            for (; p != out + (to - base); ++p)
                if (*p == BaseColour || *p == Untouched)
                    *p = DelimiterColour;
        }
    }
};

/// Interleaved sweeps: independent automaton walks over parts of a chunk keep the processor
/// busy while each walk waits for its next table entry.
constexpr int Streams = 4;
constexpr qsizetype StreamLength = 8192;
constexpr qsizetype ChunkLength = Streams * StreamLength;

/// A position where the automaton entered a state that ends words, relative to its chunk.
struct Hit {
    std::uint32_t offset;
    std::uint32_t entry;
};

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
    const Painter<DelimitersLast> painter{out, begin};
    const KeywordAutomaton& words = *automaton;
    const std::uint16_t* classes = words.classes();
    const std::uint32_t* table = words.table();
    const char16_t* chars = text.utf16();
    const std::uint32_t eventCount = eventClasses;
    constexpr qsizetype Capacity = StreamLength + Streams;

    std::vector<Hit> hitBuffer(std::size_t(Streams * Capacity));
    std::vector<std::uint32_t> eventBuffer(std::size_t(Streams * Capacity));
    std::vector<qsizetype> nextAllowed(words.wordCount(), begin);
    DelimiterScanner delimiters(kinds);
    const auto paintRun = [&](qsizetype from, qsizetype to) { painter.delimiter(from, to); };

    // One step of a walk: the next state, a hit when it ends words, an event when the character
    // begins a delimiter string. The buffers are written every step and their counts advance
    // only when something was found, so the loop has no unpredictable branches.
    const auto step = [&](std::uint32_t& row, qsizetype i, qsizetype chunk, Hit* hits,
                          std::size_t& hitCount, std::uint32_t* events, std::size_t& eventCount_) {
        const std::uint32_t cls = classes[chars[i]];
        const std::uint32_t entry = table[row + cls];
        row = entry & KeywordAutomaton::RowMask;
        const auto offset = std::uint32_t(i - chunk);
        hits[hitCount] = {offset, entry};
        hitCount += entry >> 31;
        events[eventCount_] = offset;
        eventCount_ += (cls - 1u) < eventCount;
    };

    std::uint32_t carried = 0;
    for (qsizetype chunk = begin; chunk < end; chunk += ChunkLength) {
        const qsizetype chunkEnd = std::min(end, chunk + ChunkLength);
        const qsizetype part = (chunkEnd - chunk) / Streams;
        std::array<qsizetype, Streams> from{};
        std::array<std::uint32_t, Streams> row{};
        std::array<std::size_t, Streams> hitCount{};
        std::array<std::size_t, Streams> eventCount_{};
        std::array<Hit*, Streams> hits{};
        std::array<std::uint32_t*, Streams> events{};
        for (int s = 0; s < Streams; ++s) {
            from[s] = chunk + s * part;
            hits[s] = hitBuffer.data() + s * Capacity;
            events[s] = eventBuffer.data() + s * Capacity;
            if (s == 0) {
                row[s] = carried;
            } else {
                // Bring a fresh walk into step: the state after the longest word's length in
                // characters is the same whatever came before.
                for (qsizetype i = std::max(begin, from[s] - words.maxLength()); i < from[s]; ++i)
                    row[s] = table[row[s] + classes[chars[i]]] & KeywordAutomaton::RowMask;
            }
        }
        for (qsizetype j = 0; j < part; ++j)
            for (int s = 0; s < Streams; ++s)
                step(row[s], from[s] + j, chunk, hits[s], hitCount[s], events[s], eventCount_[s]);
        constexpr int Last = Streams - 1;
        for (qsizetype i = from[Last] + part; i < chunkEnd; ++i)
            step(row[Last], i, chunk, hits[Last], hitCount[Last], events[Last], eventCount_[Last]);
        carried = row[Last];

        for (int s = 0; s < Streams; ++s) {
            for (std::size_t h = 0; h < hitCount[s]; ++h) {
                const qsizetype wordEnd = chunk + hits[s][h].offset + 1;
                if (wordEnd > keywordEnd)
                    break;
                const std::uint32_t state = hits[s][h].entry & KeywordAutomaton::RowMask;
                for (const std::uint32_t w : words.outputs(state)) {
                    // Occurrences of one word never overlap: the search resumes after each.
                    const qsizetype wordStart = wordEnd - words.wordLength(w);
                    if (wordStart < nextAllowed[w])
                        continue;
                    nextAllowed[w] = wordEnd;
                    painter.keyword(wordStart, wordEnd, words.wordColour(w));
                }
            }
            for (std::size_t e = 0; e < eventCount_[s]; ++e)
                delimiters.feed(text, chunk + events[s][e], end, paintRun);
        }
        advance(chunkEnd - begin);
    }

    for (const KeywordAutomaton::Word& word : lineBreakWords)
        colourLineBreakWord(
            text, begin, keywordEnd, word.text, settings.caseSensitive,
            [&](qsizetype from, qsizetype to) { painter.keyword(from, to, word.colour); });
}

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
