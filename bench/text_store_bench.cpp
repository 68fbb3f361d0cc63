// The text store of the rich-text control against QTextDocument (under the control it replaced),
// in the same run: building a document from a file's text, typing one key in the middle, finding
// the line of a position near the end, and the resident memory each holds per character.
#include "platform/text/TextModel.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace kelvane {
namespace {

/// Resident memory of the process in bytes.
qint64 residentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return qint64(resident) * sysconf(_SC_PAGESIZE);
}

/// About `size` characters of real C: the system's headers one after the other, repeated.
const QString& cSource(qsizetype size) {
    static QString text;
    static qsizetype made = 0;
    if (made == size)
        return text;
    QString headers;
    QDirIterator files(QStringLiteral("/usr/include"), {QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext() && headers.size() < 64 * 1024 * 1024) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly))
            headers += QString::fromLatin1(file.readAll());
    }
    headers.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (headers.isEmpty())
        headers = QStringLiteral("int main(void) { return 0; } /* fallback */\n");
    text.clear();
    text.reserve(size);
    while (text.size() < size)
        text += QStringView(headers).left(size - text.size());
    made = size;
    return text;
}

/// The same text on one line.
const QString& oneLine(qsizetype size) {
    static QString text;
    if (text.size() != size) {
        text = cSource(size);
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return text;
}

void reportMemory(benchmark::State& state, qint64 before, qsizetype characters) {
    state.counters["bytes_per_char"] =
        double(residentBytes() - before) / double(std::max<qsizetype>(characters, 1));
}

// --- building a document from text read in pieces ---

void BM_Load_TextModel(benchmark::State& state) {
    const QString& text = cSource(state.range(0));
    for (auto _ : state) {
        const qint64 before = residentBytes();
        auto model = std::make_unique<TextModel>();
        constexpr qsizetype kPiece = 1 << 20;
        model->beginLoad(text.size());
        for (qsizetype at = 0; at < text.size(); at += kPiece)
            model->appendLoaded(QStringView(text).mid(at, kPiece));
        model->endLoad();
        state.PauseTiming();
        reportMemory(state, before, text.size());
        state.counters["lines"] = double(model->text().lineCount());
        model.reset();
        state.ResumeTiming();
    }
}

void BM_Load_QPlainTextEdit(benchmark::State& state) {
    const QString& text = cSource(state.range(0));
    for (auto _ : state) {
        const qint64 before = residentBytes();
        auto edit = std::make_unique<QPlainTextEdit>();
        edit->setPlainText(text);
        state.PauseTiming();
        reportMemory(state, before, text.size());
        edit.reset();
        state.ResumeTiming();
    }
}

// --- one typed key in the middle, with the line lookup the status bar makes ---

void BM_TypeInMiddle_TextModel(benchmark::State& state) {
    TextModel model;
    model.setText(state.range(1) ? oneLine(state.range(0)) : cSource(state.range(0)));
    qsizetype at = model.size() / 2;
    for (auto _ : state) {
        model.replace(at, 0, u"x", EditKind::Typing);
        ++at;
        benchmark::DoNotOptimize(model.text().lineOf(at));
    }
}

void BM_TypeInMiddle_QTextDocument(benchmark::State& state) {
    QTextDocument document;
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    document.setPlainText(state.range(1) ? oneLine(state.range(0)) : cSource(state.range(0)));
    QTextCursor cursor(&document);
    cursor.setPosition(document.characterCount() / 2);
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("x"));
        benchmark::DoNotOptimize(cursor.block().blockNumber());
    }
}

// --- which line holds a position near the end, after an edit near the start ---

void BM_LineOfAfterEdit_TextModel(benchmark::State& state) {
    TextModel model;
    model.setText(cSource(state.range(0)));
    for (auto _ : state) {
        model.replace(10, 0, u"\n", EditKind::Command);
        benchmark::DoNotOptimize(model.text().lineOf(model.size() - 10));
        model.replace(10, 1, u"", EditKind::Command);
    }
}

void BM_LineOfAfterEdit_QTextDocument(benchmark::State& state) {
    QTextDocument document;
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    document.setPlainText(cSource(state.range(0)));
    QTextCursor cursor(&document);
    for (auto _ : state) {
        cursor.setPosition(10);
        cursor.insertText(QStringLiteral("\n"));
        benchmark::DoNotOptimize(document.findBlock(document.characterCount() - 10).blockNumber());
        cursor.deletePreviousChar();
    }
}

constexpr qsizetype kTenMB = 10 * 1000 * 1000;
constexpr qsizetype kHundredMB = 105 * 1000 * 1000;

BENCHMARK(BM_Load_TextModel)
    ->Arg(kTenMB)
    ->Arg(kHundredMB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(BM_Load_QPlainTextEdit)->Arg(kTenMB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TypeInMiddle_TextModel)
    ->Args({kTenMB, 0})
    ->Args({kTenMB, 1})
    ->Args({kHundredMB, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeInMiddle_QTextDocument)
    ->Args({kTenMB, 0})
    ->Args({kTenMB, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(20);
BENCHMARK(BM_LineOfAfterEdit_TextModel)->Arg(kHundredMB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineOfAfterEdit_QTextDocument)->Arg(kTenMB)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kelvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
