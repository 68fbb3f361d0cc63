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

void grabDialog(QWidget& dialog, const QString& name) {
    dialog.show();
    dialog.adjustSize();
    const QImage image = dialog.grab().toImage();
    ASSERT_FALSE(image.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 10) << "the dialog drew its contents";
    const QString folder = qEnvironmentVariable("KELVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(image.save(QDir(folder).filePath(name)));
    }
    dialog.close();
}

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
