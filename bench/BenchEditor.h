// Shared by the command benchmarks: a main window with one document window, a generated
// document of repeated lines, and a benchmark entry point with a QApplication.
#pragma once

#include "app/frmMain.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/SettingsStore.h"
#include "platform/richtext/RichTextBox.h"
#include "settings/EditorSettings.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace kelvane::bench {

/// The same line `count` times, each followed by a line break.
inline QString repeatedLines(const QString& line, int count) {
    QString text;
    text.reserve(qsizetype(count) * (line.size() + 1) + 16);
    for (int i = 0; i < count; ++i) {
        text += line;
        text += QLatin1Char('\n');
    }
    return text;
}

/// A main window with one document window, its own settings file and scripted message boxes.
/// Colouring is off: the engine's own benchmark measures it.
struct Editor {
    Editor() {
        setSettingsFileOverride(dir.filePath(QStringLiteral("settings.ini")));
        EditorSettings.AutoCode = false;
        main = new frmMain;
        main->show();
        document = main->createDocumentWindow();
        main->showDocumentWindow(document);
        box = document->rtfText;
    }
    QTemporaryDir dir;
    ScriptedMsgBoxes boxes;
    frmMain* main;
    frmDocument* document;
    RichTextBox* box;
};

/// The one editor of a benchmark run (it lives until the process ends).
inline Editor& editor() {
    static Editor* instance = new Editor;
    return *instance;
}

/// Runs the benchmarks inside a QApplication (offscreen unless a platform is named).
inline int runBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The main window and its documents go with the process.
    std::_Exit(0);
}

} // namespace kelvane::bench
