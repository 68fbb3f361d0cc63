// The compiler, viewer and association commands in the main window's menus, run on its active
// document.
#include "app/AppFixture.h"
#include "platform/Shell.h"
#include "support/MenuItems.h"
#include "tools/CompilerCommands.h"
#include "tools/frmCompilerConfig.h"
#include "tools/frmFileTypes.h"
#include "tools/frmRunCompiler.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kelvane::test {
namespace {

class ToolMenusTest : public AppFixture {
protected:
    QAction* command(const char* name) {
        QAction* found = main->command(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    /// A document loaded from a file, as File > Open leaves it.
    frmDocument* openFile(const QString& name) {
        const QString path = scratch.write(name, "int main;\n");
        frmDocument* document = NewDocument();
        QString error;
        EXPECT_TRUE(
            document->loadFile(path, {.caption = {}, .backup = true, .recentFiles = true}, error));
        return document;
    }

    RecordingShell shell;
};

TEST_F(ToolMenusTest, MenusCarryTheCommandsWithTheirShortcuts) {
    start();
    EXPECT_EQ(menuItems(main->mnuFilePreferences),
              (QStringList{"Editor Setup [F4]", "Compiler/Viewer Setup", "File Associations"}));
    EXPECT_EQ(menuItems(main->mnuAdvanced),
              (QStringList{"Configure Compiler/Viewer...", "&Run Compiler/Viewer... [F5]", "-",
                           "&Save Project/Workspace...", "R&estore Project/Workspace...", "-",
                           "&Open in Default Viewer [Ctrl+F5]"}));
}

TEST_F(ToolMenusTest, RunOnTheActiveSavedDocument) {
    start();
    EditorSettings.CompilerString = QStringLiteral("cc %f -o %f.out");
    frmDocument* document = openFile("src dir/a.c");
    QString shown;
    whenShown<frmRunCompiler>([&shown](frmRunCompiler* dialog) {
        shown = dialog->txtCmdLine->text();
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    command("mnuAdvancedRunCompiler")->trigger();
    EXPECT_EQ(shown, "cc '" + document->Tag + "' -o %f.out");
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].arguments, (QStringList{document->Tag, "-o", "%f.out"}));

    command("mnuAdvancedOpenViewer")->trigger();
    EXPECT_EQ(shell.opened, QStringList{document->Tag});
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(ToolMenusTest, UntitledDocumentIsSavedThroughFileSaveFirst) {
    start(); // the untitled File 1 is active
    main->activeDocument()->rtfText->setText("text");
    const QString path = scratch.file("saved.txt");
    boxes.answer(vbYes);
    dialogs.answerFile(path);
    command("mnuAdvancedOpenViewer")->trigger();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, CompilerCommands::kViewerSaveQuestion);
    EXPECT_EQ(readAll(path), "text");
    EXPECT_EQ(shell.opened, QStringList{path});

    // Declined: nothing is saved and nothing opened.
    NewDocument();
    boxes.answer(vbNo);
    command("mnuAdvancedRunCompiler")->trigger();
    EXPECT_EQ(boxes.asked().size(), 2u);
    EXPECT_EQ(boxes.asked()[1].prompt, CompilerCommands::kRunSaveQuestion);
    EXPECT_EQ(dialogs.fileRequests().size(), 1u);
    EXPECT_TRUE(shell.starts.empty());
}

TEST_F(ToolMenusTest, SetupCommandsOpenTheirDialogs) {
    start();
    whenShown<frmCompilerConfig>([](frmCompilerConfig* dialog) {
        dialog->txtCmdLine->setText("make");
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    command("mnuPrefsCompilerSetup")->trigger();
    EXPECT_EQ(setting("CompilerString"), "make");
    whenShown<frmCompilerConfig>([](frmCompilerConfig* dialog) {
        EXPECT_EQ(dialog->txtCmdLine->text(), "make");
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    command("mnuAdvancedConfigure")->trigger();
    whenShown<frmFileTypes>(
        [](frmFileTypes* dialog) { QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton); });
    command("mnuPrefsAssocs")->trigger();
}

} // namespace
} // namespace kelvane::test
