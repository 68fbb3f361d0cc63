// The rich-text control on its own text view: the first screen of a large document opened
// from a file, a typed key in a very long line and in a large document, and Ctrl+End with the
// line number and count the status bar shows, with word wrap on. The control it replaced
// (QPlainTextEdit) measured, on the same machine: 105 MB opened in 15.8 s, a key in a 1 MB
// line about 2 s and in a 10 MB line 4.6 s, Ctrl+End on 10 MB wrapped 2.7 s.
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace kelvane {
namespace {

constexpr qsizetype kOneMB = 1000 * 1000;
constexpr qsizetype kTenMB = 10 * kOneMB;
constexpr qsizetype kHundredMB = 105 * kOneMB;
constexpr double kWrapTwips = 600 * 15.0;

/// About `size` characters of real C (the system's headers, repeated), on lines or on one.
QString cSource(qsizetype size, bool oneLine) {
    static QString headers;
    if (headers.isEmpty()) {
        QDirIterator files(QStringLiteral("/usr/include"), {QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext() && headers.size() < 32 * kOneMB) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                headers += QString::fromLatin1(file.readAll());
        }
        headers.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (headers.isEmpty())
            headers = QStringLiteral("int main(void) { return 0; }\n");
    }
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += QStringView(headers).left(size - text.size());
    if (oneLine)
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

/// Presses and releases a key on a widget, as typing does.
void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QString text = key == Qt::Key_A ? QStringLiteral("a") : QString();
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &up);
}

/// A file of `size` characters of C, written once per size and shape.
QString sourceFile(qsizetype size, bool oneLine) {
    static QTemporaryDir dir;
    const QString path =
        dir.filePath(QStringLiteral("%1-%2.c").arg(size).arg(oneLine ? "line" : "lines"));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(cSource(size, oneLine).toLatin1());
    }
    return path;
}

struct Shown {
    Shown() {
        box.resize(1000, 800);
        box.show();
        box.SetFocus();
        // The window is exposed only once its events run; until then a repaint paints nothing.
        QApplication::processEvents();
    }
    void load(const QString& path) {
        QString error;
        box.LoadFile(path, error);
    }
    RichTextBox box;
};

// --- opening: the file into the control and the first screen painted ---

void BM_Open(benchmark::State& state) {
    const QString path = sourceFile(state.range(0), state.range(1));
    for (auto _ : state) {
        auto shown = std::make_unique<Shown>();
        shown->load(path);
        shown->box.view()->viewport()->repaint();
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}

// --- one typed key, painted ---

void BM_TypeKey(benchmark::State& state) {
    Shown shown;
    shown.load(sourceFile(state.range(0), state.range(1)));
    shown.box.setSelStart(shown.box.textLength() / 2);
    shown.box.view()->ensureCaretVisible();
    for (auto _ : state) {
        press(shown.box.view(), Qt::Key_A);
        shown.box.view()->viewport()->repaint();
    }
}

// --- Ctrl+End with word wrap, and the line number and count of the status bar ---

void BM_CtrlEndWrapped(benchmark::State& state) {
    const QString path = sourceFile(state.range(0), false);
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<Shown>();
        shown->load(path);
        shown->box.setRightMargin(kWrapTwips);
        shown->box.view()->viewport()->repaint();
        state.ResumeTiming();
        press(shown->box.view(), Qt::Key_End, Qt::ControlModifier);
        benchmark::DoNotOptimize(shown->box.lineFromChar(shown->box.SelStart()));
        benchmark::DoNotOptimize(shown->box.lineCount());
        shown->box.view()->viewport()->repaint();
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_Open)
    ->Args({kHundredMB, 0})
    ->Args({kTenMB, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_TypeKey)
    ->Args({kHundredMB, 0})
    ->Args({kTenMB, 1})
    ->Args({kOneMB, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_CtrlEndWrapped)
    ->Arg(kTenMB)
    ->Arg(kHundredMB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

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
