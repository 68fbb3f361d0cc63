// Renders the compiler, run and file-association dialogs offscreen; with KELVANE_SCREENSHOT_DIR
// set, the pictures are saved there (docs/screenshots/ keeps the current ones).
#include "ToolsFixture.h"
#include "tools/frmCompilerConfig.h"
#include "tools/frmFileTypes.h"
#include "tools/frmRunCompiler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QSet>

namespace kelvane::test {
namespace {

using ToolDialogScreenshotTest = ToolsFixture;

TEST_F(ToolDialogScreenshotTest, CompilerRunAndAssociationDialogsRender) {
    EditorSettings.CompilerString = QStringLiteral("gcc -Wall %f -o %f.out");
    frmCompilerConfig config(host.dialog);
    const QImage configShot = grabDialog(config, "compiler-config.png");
    EXPECT_GT(inkIn(configShot, config, *config.txtCmdLine), 50) << "the command line is drawn";
    frmRunCompiler run(QStringLiteral("/home/ann/my project/main.c"));
    const QImage runShot = grabDialog(run, "run-compiler.png");
    EXPECT_TRUE(run.txtCmdLine->text().contains("main.c"));
    EXPECT_GT(inkIn(runShot, run, *run.txtCmdLine), 50) << "the file's command line is drawn";
    EXPECT_GT(inkIn(runShot, run, *run.cboWindowStyle), 20) << "the window style is drawn";
    frmFileTypes types(nullptr, QStringLiteral("/usr/bin/Kelvane"));
    const QImage typesShot = grabDialog(types, "file-associations.png");
    ASSERT_FALSE(types.chkTypes.isEmpty());
    for (const QCheckBox* box : types.chkTypes)
        EXPECT_GT(inkIn(typesShot, types, *box), 10) << box->text().toStdString();
}

} // namespace
} // namespace kelvane::test
