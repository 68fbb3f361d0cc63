// Speed of Find and Replace All on a 10 MB document in a real document window, through the
// dialogs' buttons. Replace All of 1,000,000 occurrences is one edit of the control; the
// reference replaces one occurrence at a time through the control on a slice, scaled.
#include "BenchEditor.h"
#include "app/frmMain.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/SettingsStore.h"
#include "platform/richtext/RichTextBox.h"
#include "search/DocumentSearch.h"
#include "search/FindDialogs.h"
#include "search/ReplaceDialogs.h"
#include "settings/EditorSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace kelvane;

constexpr int kLines = 200'000;

/// 200,000 lines of 49 characters and a break (10 MB), five occurrences of "xy" on each.
QString searchDocument() {
    return bench::repeatedLines(QStringLiteral("alpha xy beta xy gamma xy delta xy epsilon xy end"),
                                kLines);
}

using bench::Editor;
using bench::editor;

void BM_ReplaceAll_1000000Occurrences(benchmark::State& state) {
    Editor& e = editor();
    const QString text = searchDocument();
    for (auto _ : state) {
        state.PauseTiming();
        e.box->setText(text);
        auto* dialog = new frmReplace(*e.main);
        dialog->txtFind->setText(QStringLiteral("XY"));
        dialog->txtReplace->setText(QStringLiteral("xyz"));
        state.ResumeTiming();
        dialog->cmdReplaceAll->click();
        state.PauseTiming();
        delete dialog;
        state.ResumeTiming();
    }
    if (e.boxes.asked().back().prompt != QStringLiteral("1000000 Occurrences found and replaced."))
        state.SkipWithError("wrong count");
    state.counters["occurrences"] = 1'000'000;
}
BENCHMARK(BM_ReplaceAll_1000000Occurrences)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplaceAll_OneAtATimeReference(benchmark::State& state) {
    // One search and one selection replacement through the control per occurrence, on 1% of
    // the document (10,000 occurrences): multiply by 100 to compare.
    Editor& e = editor();
    QString text = searchDocument();
    text.truncate(text.size() / 100);
    for (auto _ : state) {
        state.PauseTiming();
        e.box->setText(text);
        state.ResumeTiming();
        qsizetype start = 1;
        while (true) {
            const qsizetype found =
                findInDocument(*e.box, QStringLiteral("XY"), start, Qt::CaseInsensitive);
            if (!found)
                break;
            e.box->setSelText(QStringLiteral("xyz"));
            start = found + 3;
        }
    }
    state.counters["occurrences"] = 10'000;
}
BENCHMARK(BM_ReplaceAll_OneAtATimeReference)->Unit(benchmark::kMillisecond)->Iterations(1);

/// Find of a text that stands only at the very end, so the search runs through the document.
void findAtEnd(benchmark::State& state, bool changedBefore, Qt::CaseSensitivity cs) {
    Editor& e = editor();
    e.box->setText(searchDocument() + QStringLiteral("needle"));
    frmFind dialog(*e.main);
    dialog.cboFind->setEditText(QStringLiteral("Needle"));
    dialog.chkCaseSensitive->setChecked(cs == Qt::CaseSensitive);
    if (cs == Qt::CaseSensitive)
        dialog.cboFind->setEditText(QStringLiteral("needle"));
    for (auto _ : state) {
        if (changedBefore) {
            state.PauseTiming();
            e.box->setSelStart(0);
            e.box->setSelText(QStringLiteral(" ")); // an edit: the text must be read again
            state.ResumeTiming();
        }
        dialog.cmdFind->click();
    }
    if (e.box->SelText() != QStringLiteral("needle"))
        state.SkipWithError("not found");
}

void BM_Find_ToTheEnd_AfterAnEdit(benchmark::State& state) {
    findAtEnd(state, true, Qt::CaseInsensitive);
}
BENCHMARK(BM_Find_ToTheEnd_AfterAnEdit)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Find_ToTheEnd_AfterAnEdit_CaseSensitive(benchmark::State& state) {
    findAtEnd(state, true, Qt::CaseSensitive);
}
BENCHMARK(BM_Find_ToTheEnd_AfterAnEdit_CaseSensitive)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_Find_ToTheEnd_Repeated(benchmark::State& state) {
    findAtEnd(state, false, Qt::CaseInsensitive);
}
BENCHMARK(BM_Find_ToTheEnd_Repeated)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    return kelvane::bench::runBenchmarks(argc, argv);
}
