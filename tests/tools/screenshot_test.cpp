// Renders the compiler, run and file-association dialogs offscreen; with KELVANE_SCREENSHOT_DIR
// set, the pictures are saved there (docs/screenshots/ keeps the current ones).
#include "ToolsFixture.h"
#include "tools/frmCompilerConfig.h"
#include "tools/frmFileTypes.h"
#include "tools/frmRunCompiler.h"

#include <QDir>
#include <QImage>
#include <QSet>

namespace kelvane::test {
namespace {

using ToolDialogScreenshotTest = ToolsFixture;

TEST_F(ToolDialogScreenshotTest, CompilerRunAndAssociationDialogsRender) {
    EditorSettings.CompilerString = QStringLiteral("gcc -Wall %f -o %f.out");
    frmCompilerConfig config(host.dialog);
    grabDialog(config, "compiler-config.png");
    frmRunCompiler run(QStringLiteral("/home/ann/my project/main.c"));
    grabDialog(run, "run-compiler.png");
    frmFileTypes types(nullptr, QStringLiteral("/usr/bin/Kelvane"));
    grabDialog(types, "file-associations.png");
}

} // namespace
} // namespace kelvane::test
