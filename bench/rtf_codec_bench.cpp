// RTF writer and reader speed on a 10 MB document, against plain UTF-8 conversion of the
// same text as the reference (the least any pass over the characters costs).
#include "platform/TextEncoding.h"
#include "platform/rtf/RtfCodec.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace kelvane;

namespace {

constexpr qsizetype kDocumentSize = 10 * 1024 * 1024;

// Source-like text: lines of code with tabs, braces, backslashes and a little non-ASCII.
QString makeText() {
    static const char* const lines[] = {
        "int main(int argc, char** argv) {\n",
        "\tif (argc > 1 && argv[1][0] == '\\\\') return 1; // caf\xC3\xA9\n",
        "\tstd::printf(\"%s\\n\", \"\xE2\x82\xAC \xCE\xA9 text\");\n",
        "}\n",
        "/* A comment that runs on for a while, as comments in real files do. */\n",
    };
    QString text;
    text.reserve(kDocumentSize + 200);
    std::size_t i = 0;
    while (text.size() < kDocumentSize)
        text += QString::fromUtf8(lines[i++ % std::size(lines)]);
    return text;
}

// A document with `runs` coloured runs laid over the text at random.
RichText makeDocument(int runs) {
    RichText doc;
    doc.text = makeText();
    std::mt19937 rng(42);
    doc.styles.assign(1, CharStyle{});
    for (int s = 1; s < 24; ++s) {
        CharStyle style;
        style.hasColour = true;
        style.colour = WinColour(rng() & 0xFFFFFF);
        style.bold = s % 3 == 0;
        style.italic = s % 5 == 0;
        style.hasBackground = s % 7 == 0;
        style.background = 0xE0E0E0;
        doc.styles.push_back(style);
    }
    doc.styleOfChar.assign(std::size_t(doc.text.size()), 0);
    const auto length = std::size_t(doc.text.size());
    const std::size_t runLength = length / std::size_t(runs);
    for (int r = 0; r < runs; ++r) {
        const std::size_t start = std::size_t(r) * runLength + rng() % (runLength / 2);
        const std::size_t end = std::min(length, start + runLength / 3);
        std::fill(doc.styleOfChar.begin() + std::ptrdiff_t(start),
                  doc.styleOfChar.begin() + std::ptrdiff_t(end),
                  std::uint8_t(1 + rng() % (doc.styles.size() - 1)));
    }
    return doc;
}

const RichText& document(int runs) {
    static const RichText few = makeDocument(400);
    static const RichText many = makeDocument(500000); // syntax colouring: a run per word
    return runs == 400 ? few : many;
}

void BM_RtfWrite(benchmark::State& state) {
    const RichText& doc = document(int(state.range(0)));
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray rtf = rtf::write(doc);
        size = rtf.size();
        benchmark::DoNotOptimize(rtf.constData());
    }
    state.SetBytesProcessed(state.iterations() * doc.text.size());
    state.counters["rtf_MB"] = double(size) / 1e6;
}
BENCHMARK(BM_RtfWrite)->Arg(400)->Arg(500000)->Unit(benchmark::kMillisecond);

void BM_RtfRead(benchmark::State& state) {
    const QByteArray rtf = rtf::write(document(int(state.range(0))));
    for (auto _ : state) {
        const RichText back = rtf::read(rtf);
        benchmark::DoNotOptimize(back.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_RtfRead)->Arg(400)->Arg(500000)->Unit(benchmark::kMillisecond);

// Reference: converting the same characters to UTF-8 and back with Qt.
void BM_ReferenceUtf8Encode(benchmark::State& state) {
    const RichText& doc = document(400);
    for (auto _ : state) {
        const QByteArray bytes = doc.text.toUtf8();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * doc.text.size());
}
BENCHMARK(BM_ReferenceUtf8Encode)->Unit(benchmark::kMillisecond);

void BM_ReferenceUtf8Decode(benchmark::State& state) {
    const QByteArray bytes = document(400).text.toUtf8();
    for (auto _ : state) {
        const QString text = QString::fromUtf8(bytes);
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReferenceUtf8Decode)->Unit(benchmark::kMillisecond);

// Text files: detecting and splitting a 10 MB file, and writing it back.
void BM_DecodeText(benchmark::State& state) {
    const QByteArray bytes = document(400).text.toUtf8().replace("\n", "\r\n");
    for (auto _ : state) {
        const DecodedText decoded = decodeText(bytes);
        benchmark::DoNotOptimize(decoded.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeText)->Unit(benchmark::kMillisecond);

void BM_EncodeText(benchmark::State& state) {
    const DecodedText decoded = decodeText(document(400).text.toUtf8().replace("\n", "\r\n"));
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray bytes = encodeText(decoded.text, decoded.format);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_EncodeText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
