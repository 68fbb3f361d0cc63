// Speed of the Format commands on a 10 MB document in a real document window: Tabs to Spaces
// of 1,000,000 tabs and Indent of 200,000 selected lines, each one edit of the control; the
// reference is the step-by-step way (one control call per tab or line) on a slice, scaled.
#include "BenchEditor.h"
#include "app/frmMain.h"
#include "commands/FormatCommands.h"
#include "commands/frmTabsToSpaces.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/SettingsStore.h"
#include "platform/richtext/RichTextBox.h"
#include "settings/EditorSettings.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace kelvane;

constexpr int kLines = 200'000;

/// 200,000 lines of 50 characters (10 MB with the line breaks), five tabs on each line.
QString tabbedDocument() {
    return bench::repeatedLines(
        QStringLiteral("\tint value\t= compute(a,\tb);\t// note\tabcdefghijk"), kLines);
}

using bench::Editor;
using bench::editor;

void BM_TabsToSpaces_OneEdit(benchmark::State& state) {
    Editor& e = editor();
    const QString text = tabbedDocument();
    for (auto _ : state) {
        state.PauseTiming();
        e.box->setText(text);
        state.ResumeTiming();
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<frmTabsToSpaces*>(QApplication::activeModalWidget()))
                dialog->cmdOK->click();
        });
        e.main->formatCommands->mnuFormatTabsToSapces_Click();
    }
    if (e.boxes.asked().back().prompt != QStringLiteral("1000000 Tabs converted into spaces."))
        state.SkipWithError("wrong count");
    state.counters["tabs"] = 1'000'000;
}
BENCHMARK(BM_TabsToSpaces_OneEdit)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TabsToSpaces_StepByStepReference(benchmark::State& state) {
    // One search of the text and one selection replacement per tab, as the command was first
    // described; on 1% of the document, so multiply by 100 to compare.
    Editor& e = editor();
    QString text = tabbedDocument();
    text.truncate(text.size() / 100);
    for (auto _ : state) {
        state.PauseTiming();
        e.box->setText(text);
        state.ResumeTiming();
        qsizetype position = 0;
        while (true) {
            const qsizetype at = e.box->Text().indexOf(QLatin1Char('\t'), position);
            if (at < 0)
                break;
            e.box->setSelStart(at);
            e.box->setSelLength(1);
            e.box->setSelText(QStringLiteral("    "));
            position = at + 1;
        }
    }
    state.counters["tabs"] = 10'000;
}
BENCHMARK(BM_TabsToSpaces_StepByStepReference)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Indent200000Lines_OneEdit(benchmark::State& state) {
    Editor& e = editor();
    const QString text = tabbedDocument();
    for (auto _ : state) {
        state.PauseTiming();
        e.box->setText(text);
        e.box->setSelStart(0);
        e.box->setSelLength(e.box->textLength());
        state.ResumeTiming();
        e.main->formatCommands->mnuFormatIndent_Click();
    }
    if (e.box->textLength() != text.size() + kLines * 5)
        state.SkipWithError("wrong length");
    state.counters["lines"] = kLines;
}
BENCHMARK(BM_Indent200000Lines_OneEdit)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Indent_LineByLineReference(benchmark::State& state) {
    // One selection replacement per line; 2,000 lines, multiply by 100 to compare.
    Editor& e = editor();
    QString text = tabbedDocument();
    text.truncate(text.size() / 100);
    for (auto _ : state) {
        state.PauseTiming();
        e.box->setText(text);
        state.ResumeTiming();
        const qsizetype lines = e.box->lineCount();
        for (qsizetype line = 0; line < lines; ++line) {
            e.box->setSelStart(e.box->lineIndex(line));
            e.box->setSelText(QStringLiteral("    "));
        }
    }
    state.counters["lines"] = kLines / 100;
}
BENCHMARK(BM_Indent_LineByLineReference)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return kelvane::bench::runBenchmarks(argc, argv);
}
