// Speed of the colouring engine on a 10 MB C source: against the step-by-step reference, against
// one plain scan of the text, and for one line.
#include "document/ColourEngine.h"

// The benchmark target links only the editor library, so the reference is compiled in here.
#include "../tests/document/reference/ReferenceColourer.cpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

// Counts heap use so the engine's working memory can be reported.
namespace {
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
} // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size + 16);
    if (!p)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = size;
    const std::size_t live = liveBytes += size;
    std::size_t peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return static_cast<char*>(p) + 16;
}
void operator delete(void* p) noexcept {
    if (!p)
        return;
    void* base = static_cast<char*>(p) - 16;
    liveBytes -= *static_cast<std::size_t*>(base);
    std::free(base);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

using namespace kelvane;

constexpr qsizetype DocumentSize = 10'000'000;
/// The reference is far too slow for 10 MB; it runs on the first part and is scaled.
constexpr qsizetype ReferenceSlice = 500'000;

QStringList paddedTo100(QStringList words, const QString& stem) {
    for (int i = 0; words.size() < 100; ++i)
        words << stem + QString::number(i);
    words.resize(100);
    return words;
}

const std::array<QStringList, 3>& keywordWords() {
    static const std::array<QStringList, 3> lists = {
        paddedTo100(
            QString("auto break case char const continue default do double else enum extern "
                    "float for goto if inline int long register restrict return short signed "
                    "sizeof static struct switch typedef union unsigned void volatile while "
                    "_Bool _Complex alignas alignof and and_eq asm bitand bitor bool catch "
                    "char16_t char32_t class compl concept consteval constexpr constinit "
                    "const_cast co_await co_return co_yield decltype delete dynamic_cast "
                    "explicit export false friend mutable namespace new noexcept not not_eq "
                    "nullptr operator or or_eq private protected public reinterpret_cast "
                    "requires static_assert static_cast template this thread_local throw true "
                    "try typeid typename using virtual wchar_t xor xor_eq #include #define #if "
                    "#endif #ifdef")
                .split(' '),
            "kw_"),
        paddedTo100(QString("printf fprintf sprintf snprintf scanf malloc calloc realloc free "
                            "memcpy memmove memset memcmp strlen strcpy strncpy strcat strcmp "
                            "strncmp strchr strrchr strstr fopen fclose fread fwrite fseek ftell "
                            "fgets fputs puts getchar putchar exit abort atexit atoi atol strtol "
                            "strtoul qsort bsearch abs labs rand srand time clock assert isalpha "
                            "isdigit isspace toupper tolower sqrt pow sin cos tan log exp floor "
                            "ceil fabs")
                        .split(' '),
                    "lib_call_"),
        paddedTo100(QString("NULL EOF size_t ptrdiff_t uint8_t uint16_t uint32_t uint64_t int8_t "
                            "int16_t int32_t int64_t FILE errno stdin stdout stderr TRUE FALSE MAX "
                            "MIN BUFSIZ CHAR_BIT INT_MAX INT_MIN node list item count limit")
                        .split(' '),
                    "Type")};
    return lists;
}

QString storedList(const QStringList& words) {
    QString stored;
    for (const QString& w : words)
        stored += w + QChar(0xFF);
    return stored;
}

/// A C-like source of the given size: functions with comments, strings, character literals,
/// comparisons, pointers, calls and indexing, using the words of the lists.
const QString& document() {
    static const QString text = [] {
        std::mt19937 rng(2024);
        const auto& lists = keywordWords();
        const auto word = [&](int list) { return lists[list][int(rng() % 100)]; };
        const auto name = [&] { return "v" + QString::number(rng() % 5000); };
        QString t;
        t.reserve(DocumentSize + 4096);
        while (t.size() < DocumentSize) {
            t += "/* " + word(0) + " helper " + name() + ": keeps the " + word(2) + " in step */\n";
            t += "static " + word(0) + " " + name() + "(struct " + word(2) + " *p, const char *" +
                 name() + ")\n{\n";
            t += "    int i = 0; // loop over the " + word(1) + " results\n";
            t += "    for (i = 0; i < p->count; i++) {\n";
            t += "        if (p->items[i] > " + QString::number(rng() % 1000) + " && " + name() +
                 "[0] != 'x') {\n";
            t += "            " + word(1) + "(\"value %d is \\\"large\\\"\\n\", p->items[i]);\n";
            t += "        }\n    }\n";
            t += "    return (" + name() + " << 2) + sizeof(" + word(2) + ");\n}\n\n";
        }
        t.resize(DocumentSize);
        return t;
    }();
    return text;
}

ColourSettings settingsFor(bool codeOrder, bool caseSensitive) {
    ColourSettings s;
    for (int i = 0; i < 3; ++i)
        s.keywords[i] = storedList(keywordWords()[i]);
    s.delimiters = 511;
    s.codeOrder = codeOrder;
    s.caseSensitive = caseSensitive;
    return s;
}

void setLabel(benchmark::State& state) {
    state.SetLabel(std::string(state.range(0) ? "keywords first" : "delimiters first") +
                   (state.range(1) ? ", case-sensitive" : ", any case"));
}

void BM_LinearScan(benchmark::State& state) {
    const QString& text = document();
    for (auto _ : state) {
        const auto lines = std::count(text.begin(), text.end(), QChar('\n'));
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_LinearScan)->Unit(benchmark::kMillisecond);

void BM_EngineDocument(benchmark::State& state) {
    const QString& text = document();
    const ColourEngine engine(settingsFor(state.range(0), state.range(1)));
    std::vector<std::uint8_t> out(std::size_t(text.size()));
    const std::size_t before = liveBytes;
    peakBytes = before;
    for (auto _ : state) {
        engine.colourDocument(text, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * text.size());
    state.counters["work_bytes_per_char"] = double(peakBytes - before) / double(text.size());
    setLabel(state);
}
BENCHMARK(BM_EngineDocument)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_ReferenceDocument(benchmark::State& state) {
    const QString slice = document().left(ReferenceSlice);
    test::ReferenceSettings s;
    for (int i = 0; i < 3; ++i)
        s.keywords[i] = storedList(keywordWords()[i]);
    s.keywordCount = 300;
    s.delimiters = 511;
    s.codeOrder = state.range(0);
    s.caseSensitive = state.range(1);
    const QString crlf = test::toCrlf(slice);
    for (auto _ : state) {
        state.PauseTiming();
        test::ReferenceColourer ref(crlf, s);
        state.ResumeTiming();
        ref.ColorCode();
        benchmark::DoNotOptimize(ref.colours.data());
    }
    state.SetItemsProcessed(state.iterations() * slice.size());
    // Multiply the time by this factor for the whole document (the work grows linearly).
    state.counters["scale_to_10MB"] = double(DocumentSize) / double(slice.size());
    setLabel(state);
}
BENCHMARK(BM_ReferenceDocument)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_EngineBuild(benchmark::State& state) {
    const ColourSettings s = settingsFor(true, state.range(0));
    for (auto _ : state) {
        const ColourEngine engine(s);
        benchmark::DoNotOptimize(&engine);
    }
    state.SetLabel(state.range(0) ? "case-sensitive" : "any case");
}
BENCHMARK(BM_EngineBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_EngineLine(benchmark::State& state) {
    const QString& text = document();
    const ColourEngine engine(settingsFor(state.range(0), state.range(1)));
    const qsizetype caret = text.indexOf(QStringLiteral("for (i"), text.size() / 2);
    for (auto _ : state) {
        const ColourTextLine line = ColourEngine::lineAt(text, caret);
        const LineColours colours = engine.colourLine(text, line.start, line.length);
        benchmark::DoNotOptimize(colours.colours.data());
    }
    setLabel(state);
}
BENCHMARK(BM_EngineLine)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
