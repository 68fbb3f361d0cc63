// The new text view against today's control (RichTextBox on QPlainTextEdit) in the same run:
// the first screen of a large document, a typed key in a very long line and in a large
// document, and Ctrl+End with the line count the status bar shows, with word wrap on.
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/RichTextView.h"
#include "platform/richtext/TextModel.h"
#include "platform/richtext/TextView.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <memory>

namespace kelvane {
namespace {

constexpr qsizetype kOneMB = 1000 * 1000;
constexpr qsizetype kTenMB = 10 * kOneMB;
constexpr qsizetype kHundredMB = 105 * kOneMB;
constexpr int kWrapPixels = 600;

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

void loadInPieces(TextModel& model, const QString& text) {
    constexpr qsizetype kPiece = 1 << 20;
    model.beginLoad(text.size());
    for (qsizetype at = 0; at < text.size(); at += kPiece)
        model.appendLoaded(QStringView(text).mid(at, kPiece));
    model.endLoad();
}

struct NewView {
    NewView() {
        view.setModel(&model);
        view.resize(1000, 800);
        view.show();
        view.setFocus();
    }
    TextModel model;
    TextView view;
};

struct OldView {
    OldView() {
        box.resize(1000, 800);
        box.show();
        box.SetFocus();
    }
    RichTextBox box;
};

// --- opening: the text into the control and the first screen painted ---

void BM_Open_TextView(benchmark::State& state) {
    const QString text = cSource(state.range(0), state.range(1));
    for (auto _ : state) {
        auto shown = std::make_unique<NewView>();
        loadInPieces(shown->model, text);
        shown->view.viewport()->repaint();
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}

void BM_Open_RichTextBox(benchmark::State& state) {
    const QString text = cSource(state.range(0), state.range(1));
    for (auto _ : state) {
        auto shown = std::make_unique<OldView>();
        shown->box.setText(text);
        shown->box.view()->viewport()->repaint();
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}

// --- one typed key, painted ---

void BM_TypeKey_TextView(benchmark::State& state) {
    NewView shown;
    loadInPieces(shown.model, cSource(state.range(0), state.range(1)));
    shown.view.setCaret(shown.model.size() / 2);
    shown.view.ensureCaretVisible();
    for (auto _ : state) {
        press(&shown.view, Qt::Key_A);
        shown.view.viewport()->repaint();
    }
}

void BM_TypeKey_RichTextBox(benchmark::State& state) {
    OldView shown;
    shown.box.setText(cSource(state.range(0), state.range(1)));
    shown.box.setSelStart(shown.box.textLength() / 2);
    for (auto _ : state) {
        press(shown.box.view(), Qt::Key_A);
        shown.box.view()->viewport()->repaint();
    }
}

// --- Ctrl+End with word wrap, and the line number and count of the status bar ---

void BM_CtrlEndWrapped_TextView(benchmark::State& state) {
    NewView shown;
    loadInPieces(shown.model, cSource(state.range(0), false));
    shown.view.setWrapWidth(kWrapPixels);
    for (auto _ : state) {
        state.PauseTiming();
        shown.view.setCaret(0);
        shown.view.ensureCaretVisible();
        shown.view.viewport()->repaint();
        state.ResumeTiming();
        press(&shown.view, Qt::Key_End, Qt::ControlModifier);
        benchmark::DoNotOptimize(shown.view.rowOf(shown.view.position()));
        benchmark::DoNotOptimize(shown.view.rowCount());
        shown.view.viewport()->repaint();
    }
}

void BM_CtrlEndWrapped_RichTextBox(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh control each time: once laid out, the old control keeps its layout.
        auto shown = std::make_unique<OldView>();
        shown->box.setText(cSource(state.range(0), false));
        shown->box.setRightMargin(kWrapPixels * 15.0);
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

BENCHMARK(BM_Open_TextView)
    ->Args({kHundredMB, 0})
    ->Args({kTenMB, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_Open_RichTextBox)
    ->Args({kTenMB, 0})
    ->Args({kOneMB, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_TypeKey_TextView)
    ->Args({kHundredMB, 0})
    ->Args({kTenMB, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_TypeKey_RichTextBox)
    ->Args({kTenMB, 0})
    ->Args({kOneMB, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_CtrlEndWrapped_TextView)
    ->Arg(kTenMB)
    ->Arg(kHundredMB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_CtrlEndWrapped_RichTextBox)->Arg(kTenMB)->Unit(benchmark::kMillisecond)->Iterations(1);

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
