// Colouring a live rich-text control: the whole 10 MB document until the screen shows it, one
// line as Enter colours it, and the memory a fully coloured 100 MB document takes.
#include "BenchEditor.h"
#include "document/ColourDocumentPass.h"
#include "document/ColourEngineCache.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"
#include "settings/EditorSettings.h"

#include <QApplication>
#include <QTemporaryFile>
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>

namespace kelvane {
namespace {

const QChar kSep(0xFF);

/// A C-like source of about `size` characters with comments, strings, brackets and words.
QString makeSource(qsizetype size) {
    static const char* lines[] = {
        "int main(int argc, char **argv) /* entry */",
        "{",
        "    static const char *name = \"value with spaces\";",
        "    for (size_t index = 0; index < count; ++index) { total += table[index]; }",
        "    // a comment that runs to the end of the line",
        "    if (flag && 'c' != other) return compute(alpha, beta[2], gamma);",
        "    <tag attribute=\"x\">text</tag> ' basic comment",
        "}",
    };
    QString text;
    text.reserve(size + 128);
    std::mt19937 random(5);
    while (text.size() < size) {
        text += QLatin1String(lines[random() % 8]);
        text += QLatin1Char('\n');
    }
    return text;
}

/// Three lists of 100 words each.
void useBenchmarkSettings() {
    QString lists[3];
    for (int list = 0; list < 3; ++list)
        for (int word = 0; word < 100; ++word)
            lists[list] += QStringLiteral("w%1x%2").arg(list).arg(word) + kSep;
    lists[0] = QString("int") + kSep + "for" + kSep + "return" + kSep + lists[0];
    lists[1] = QString("static") + kSep + "const" + kSep + lists[1];
    lists[2] = QString("if") + kSep + "char" + kSep + lists[2];
    EditorSettings.Keywords0 = lists[0];
    EditorSettings.Keywords1 = lists[1];
    EditorSettings.Keywords2 = lists[2];
    EditorSettings.Delimiters = 511;
}

/// What ColorCode does: the engine for the settings, over the control piece by piece.
void colourWholeDocument(RichTextBox& box) {
    kelvane::colourWholeDocument(box, colourEngineFor(EditorSettings),
                                 colourClassColours(EditorSettings));
}

void BM_ColorCodeLiveControl(benchmark::State& state) {
    useBenchmarkSettings();
    EditorSettings.CodeOrder = state.range(0) != 0;
    EditorSettings.CaseSensitive = state.range(1) != 0;
    RichTextBox box;
    box.resize(900, 700);
    box.show();
    box.setText(makeSource(10'000'000));
    box.setSelStart(5'000'000);
    box.view()->ensureCaretVisible();
    QApplication::processEvents();
    for (auto _ : state) {
        colourWholeDocument(box);
        box.view()->viewport()->repaint(); // until the screen shows the result
    }
    state.SetLabel(std::string(EditorSettings.CodeOrder ? "keywords first" : "delimiters first") +
                   (EditorSettings.CaseSensitive ? ", case-sensitive" : ", any case"));
}
BENCHMARK(BM_ColorCodeLiveControl)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_CodeLineLiveControl(benchmark::State& state) {
    useBenchmarkSettings();
    RichTextBox box;
    box.resize(900, 700);
    box.show();
    box.setText(makeSource(10'000'000));
    const qsizetype caret = box.textLength() / 2;
    box.setSelStart(caret);
    for (auto _ : state) {
        // What CodeLine does: find the line, read it with two characters more, colour, apply.
        const qsizetype line = box.lineFromChar(caret);
        const qsizetype start = box.lineIndex(line);
        const qsizetype length = box.lineLength(start);
        const qsizetype from = box.toDocumentPosition(start);
        const QString window = box.documentText(from, from + length + 2);
        const LineColours colours = colourEngineFor(EditorSettings).colourLine(window, 0, length);
        box.colourByClass(from + colours.start, colours.colours.data(),
                          qsizetype(colours.colours.size()), colourClassColours(EditorSettings));
        box.Refresh();
    }
}
BENCHMARK(BM_CodeLineLiveControl)->Unit(benchmark::kMicrosecond);

/// A 10 MB file of one line opened and coloured whole, until the screen shows it.
void BM_OpenAndColourOneLine(benchmark::State& state) {
    useBenchmarkSettings();
    QString text = makeSource(10'000'000);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTemporaryFile file;
    file.open();
    file.write(text.toUtf8());
    file.close();
    text = QString();
    for (auto _ : state) {
        auto box = std::make_unique<RichTextBox>();
        box->resize(900, 700);
        box->show();
        QString error;
        box->LoadFile(file.fileName(), error);
        colourWholeDocument(*box);
        box->view()->viewport()->repaint();
        state.PauseTiming();
        box.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndColourOneLine)->Unit(benchmark::kMillisecond)->Iterations(3);

/// Resident and peak resident memory of the process, in bytes.
std::pair<double, double> memoryUse() {
    std::ifstream status("/proc/self/status");
    std::string key;
    double rss = 0;
    double peak = 0;
    while (status >> key) {
        double kb = 0;
        if (key == "VmRSS:" && status >> kb)
            rss = kb * 1024;
        else if (key == "VmHWM:" && status >> kb)
            peak = kb * 1024;
    }
    return {rss, peak};
}

void BM_HundredMegabyteDocumentMemory(benchmark::State& state) {
    useBenchmarkSettings();
    const qsizetype size = 100'000'000;
    // The file is written first, so that making it does not count towards the editor's memory.
    QTemporaryFile file;
    file.open();
    file.write(makeSource(size).toUtf8());
    file.close();
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak counts from here
        const double before = memoryUse().first;
        auto box = std::make_unique<RichTextBox>();
        box->resize(900, 700);
        box->show();
        QString error;
        box->LoadFile(file.fileName(), error); // as File > Open does
        const auto [loaded, loadPeak] = memoryUse();
        std::ofstream("/proc/self/clear_refs") << "5"; // restart the peak for the colouring
        colourWholeDocument(*box);
        box->view()->viewport()->repaint();
        const auto [after, peak] = memoryUse();
        const double characters = double(box->textLength());
        state.counters["load_peak_bytes_per_char"] = (loadPeak - before) / characters;
        state.counters["loaded_bytes_per_char"] = (loaded - before) / characters;
        state.counters["resident_bytes_per_char"] = (after - before) / characters;
        state.counters["colouring_peak_bytes_per_char"] = (peak - before) / characters;
        state.counters["characters"] = characters;
        box.reset();
    }
}
BENCHMARK(BM_HundredMegabyteDocumentMemory)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace kelvane

int main(int argc, char** argv) {
    return kelvane::bench::runBenchmarks(argc, argv);
}
