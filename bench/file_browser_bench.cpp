// The file browser in a folder of 10,000 files: showing the folder (reading it and filling the
// lists), and jumping to the last file with the list painted. The reference fills a list widget
// item by item, the straightforward way.
#include "BenchEditor.h"
#include "library/FileBrowserPane.h"

#include <QDir>
#include <QFile>
#include <QListView>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace kelvane;

constexpr int kFiles = 10'000;

/// A folder of 10,000 empty files (and a few subfolders), made once per run.
const QString& manyFiles() {
    static QTemporaryDir* dir = [] {
        auto* made = new QTemporaryDir;
        for (int i = 0; i < kFiles; ++i)
            QFile(made->filePath(QStringLiteral("file%1.txt").arg(i, 5, 10, QLatin1Char('0'))))
                .open(QIODevice::WriteOnly);
        for (int i = 0; i < 20; ++i)
            QDir(made->path()).mkdir(QStringLiteral("folder%1").arg(i));
        return made;
    }();
    static const QString path = dir->path();
    return path;
}

void BM_Browser_ShowFolderOf10000Files(benchmark::State& state) {
    FileBrowserPane pane;
    pane.resize(200, 700);
    pane.show();
    const QString folder = manyFiles();
    for (auto _ : state) {
        pane.setFolder(QDir::tempPath());
        pane.setFolder(folder);
        pane.repaint();
    }
    if (pane.fileNames().size() != kFiles)
        state.SkipWithError("not every file listed");
}
BENCHMARK(BM_Browser_ShowFolderOf10000Files)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Browser_EndKeyIn10000Files(benchmark::State& state) {
    FileBrowserPane pane;
    pane.resize(200, 700);
    pane.show();
    pane.setFolder(manyFiles());
    for (auto _ : state) {
        QTest::keyClick(pane.lstFiles, Qt::Key_Home);
        QTest::keyClick(pane.lstFiles, Qt::Key_End);
        pane.lstFiles->viewport()->repaint();
    }
    if (pane.lstFiles->currentIndex().row() != kFiles - 1)
        state.SkipWithError("not at the last file");
}
BENCHMARK(BM_Browser_EndKeyIn10000Files)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_Reference_ListWidgetItemByItem(benchmark::State& state) {
    QListWidget list;
    list.resize(200, 400);
    list.show();
    const QString folder = manyFiles();
    for (auto _ : state) {
        list.clear();
        for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
            list.addItem(name);
        list.repaint();
    }
}
BENCHMARK(BM_Reference_ListWidgetItemByItem)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    return kelvane::bench::runBenchmarks(argc, argv);
}
