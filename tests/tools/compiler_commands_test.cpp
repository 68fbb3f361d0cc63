// Configure and Run Compiler/Viewer and Open in Default Viewer, driven through their dialogs.
#include "ToolsFixture.h"
#include "platform/help/Help.h"
#include "tools/frmCompilerConfig.h"
#include "tools/frmRunCompiler.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace kelvane::test {
namespace {

using CompilerCommandsTest = ToolsFixture;

/// Runs the Run command, reads the dialog's line and presses OK (or Cancel).
QString runAndRead(CompilerCommands& commands, bool ok = true) {
    QString shown;
    whenShown<frmRunCompiler>([&shown, ok](frmRunCompiler* dialog) {
        shown = dialog->txtCmdLine->text();
        QTest::mouseClick(ok ? dialog->cmdOK : dialog->cmdCancel, Qt::LeftButton);
    });
    commands.mnuAdvancedRunCompiler_Click();
    return shown;
}

TEST_F(CompilerCommandsTest, RunDialogFillsTheFirstPlaceholderAndStartsTheLine) {
    EditorSettings.CompilerString = QStringLiteral("cc %f -o %f.out");
    host.path = QStringLiteral("/src/a.c");
    whenShown<frmRunCompiler>([](frmRunCompiler* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Run Compiler/Viewer"));
        EXPECT_EQ(dialog->txtCmdLine->text(), QStringLiteral("cc /src/a.c -o %f.out"));
        EXPECT_EQ(dialog->cboWindowStyle->count(), 6);
        EXPECT_EQ(dialog->cboWindowStyle->currentIndex(), 1);
        EXPECT_EQ(dialog->cboWindowStyle->currentText(),
                  QStringLiteral("in normal window with focus"));
        EXPECT_EQ(dialog->cboWindowStyle->itemData(5).toInt(), 6);
        EXPECT_EQ(dialog->focusWidget(), dialog->txtCmdLine);
        QTest::keyClick(dialog->txtCmdLine, Qt::Key_Return); // Enter presses OK
    });
    commands.mnuAdvancedRunCompiler_Click();
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, QStringLiteral("cc"));
    EXPECT_EQ(shell.starts[0].arguments, (QStringList{"/src/a.c", "-o", "%f.out"}));
    EXPECT_EQ(shell.starts[0].showCode, 1);
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(CompilerCommandsTest, TemplatesWithoutLowerCasePlaceholderAreShownUnchanged) {
    host.path = QStringLiteral("/src/a.c");
    EditorSettings.CompilerString = QStringLiteral("make -C %F");
    EXPECT_EQ(runAndRead(commands, false), QStringLiteral("make -C %F"));
    EditorSettings.CompilerString = QStringLiteral("make all");
    EXPECT_EQ(runAndRead(commands, false), QStringLiteral("make all"));
    EXPECT_TRUE(shell.starts.empty()); // Cancel starts nothing
}

TEST_F(CompilerCommandsTest, PathWithBlanksReachesTheProgramAsOneArgument) {
    EditorSettings.CompilerString = QStringLiteral("cc %f");
    host.path = QStringLiteral("/my src/it's a.c");
    EXPECT_EQ(runAndRead(commands), QStringLiteral(R"(cc '/my src/it'\''s a.c')"));
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].arguments, QStringList{"/my src/it's a.c"});
}

TEST_F(CompilerCommandsTest, EditedLineIsUsedOnceAndNotStored) {
    EditorSettings.CompilerString = QStringLiteral("cc %f");
    host.path = QStringLiteral("/a.c");
    whenShown<frmRunCompiler>([](frmRunCompiler* dialog) {
        dialog->txtCmdLine->setText(QStringLiteral("gcc -Wall /a.c"));
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    commands.mnuAdvancedRunCompiler_Click();
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, QStringLiteral("gcc"));
    EXPECT_EQ(EditorSettings.CompilerString, QStringLiteral("cc %f"));
    EXPECT_EQ(GetSetting(kAppTitle, "Settings", "CompilerString", "<absent>"), "<absent>");
    EXPECT_EQ(runAndRead(commands, false), QStringLiteral("cc /a.c"));
}

TEST_F(CompilerCommandsTest, EmptyLineOrMissingProgramClosesSilently) {
    host.path = QStringLiteral("/a.c");
    EditorSettings.CompilerString.clear();
    EXPECT_EQ(runAndRead(commands), QString());
    EXPECT_TRUE(shell.starts.empty());
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(CompilerCommandsTest, UntitledDocumentAsksToSaveFirst) {
    EditorSettings.CompilerString = QStringLiteral("cc %f");

    // No: nothing more happens.
    boxes.answer(vbNo);
    commands.mnuAdvancedRunCompiler_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, CompilerCommands::kRunSaveQuestion);
    EXPECT_EQ(boxes.asked()[0].title, QStringLiteral("Confirm"));
    EXPECT_EQ(boxes.asked()[0].buttons(), int(vbYesNo));
    EXPECT_EQ(host.saves, 0);

    // Yes, but the Save As dialog is cancelled: nothing more happens.
    boxes.answer(vbYes);
    commands.mnuAdvancedRunCompiler_Click();
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Viewer: the same check with its own question.
    boxes.clear();
    boxes.answer(vbYes);
    commands.mnuAdvancedOpenViewer_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt, CompilerCommands::kViewerSaveQuestion);
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(shell.starts.empty());

    // Yes and a name: the run dialog opens with the new path.
    host.saveAsAnswer = QStringLiteral("/new/b.c");
    boxes.answer(vbYes);
    EXPECT_EQ(runAndRead(commands, false), QStringLiteral("cc /new/b.c"));
}

TEST_F(CompilerCommandsTest, NamedButChangedDocumentIsNotSavedFirst) {
    host.path = QStringLiteral("/src/a.c");
    host.changed = true;
    commands.mnuAdvancedOpenViewer_Click();
    EXPECT_EQ(shell.opened, QStringList{"/src/a.c"});
    EXPECT_EQ(host.saves, 0);
    EXPECT_TRUE(host.changed);
    EXPECT_TRUE(boxes.asked().empty());
    EditorSettings.CompilerString = QStringLiteral("cc %f");
    runAndRead(commands);
    EXPECT_EQ(host.saves, 0);
}

TEST_F(CompilerCommandsTest, NoDocumentDoesNothing) {
    host.documentOpen = false;
    commands.mnuAdvancedRunCompiler_Click();
    commands.mnuAdvancedOpenViewer_Click();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(shell.starts.empty());
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(CompilerCommandsTest, ConfigureStoresTheLineOnOkOnly) {
    EditorSettings.CompilerString = QStringLiteral("cc %f");
    whenShown<frmCompilerConfig>([](frmCompilerConfig* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configure Compiler/Viewer"));
        EXPECT_EQ(dialog->txtCmdLine->text(), QStringLiteral("cc %f"));
        EXPECT_EQ(dialog->focusWidget(), dialog->txtCmdLine);
        dialog->txtCmdLine->setText(QStringLiteral("make"));
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    commands.mnuAdvancedConfigure_Click();
    EXPECT_EQ(EditorSettings.CompilerString, QStringLiteral("cc %f"));

    whenShown<frmCompilerConfig>([](frmCompilerConfig* dialog) {
        dialog->txtCmdLine->setText(QStringLiteral("g++ %f -o a.out"));
        QTest::keyClick(dialog->txtCmdLine, Qt::Key_Return);
    });
    commands.mnuPrefsCompilerSetup_Click();
    EXPECT_EQ(EditorSettings.CompilerString, QStringLiteral("g++ %f -o a.out"));
    EXPECT_EQ(GetSetting(kAppTitle, "Settings", "CompilerString"),
              QStringLiteral("g++ %f -o a.out"));
}

TEST_F(CompilerCommandsTest, BrowseReplacesTheWholeLineAndCancelKeepsIt) {
    EditorSettings.CompilerString = QStringLiteral("cc %f");
    dialogs.answerFile(std::nullopt);
    dialogs.answerFile(QStringLiteral("/opt/my tools/tcc"));
    QString afterCancel, afterChoice;
    whenShown<frmCompilerConfig>([&](frmCompilerConfig* dialog) {
        QTest::mouseClick(dialog->cmdBrowse, Qt::LeftButton);
        afterCancel = dialog->txtCmdLine->text();
        QTest::mouseClick(dialog->cmdBrowse, Qt::LeftButton);
        afterChoice = dialog->txtCmdLine->text();
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    commands.mnuAdvancedConfigure_Click();
    EXPECT_EQ(afterCancel, QStringLiteral("cc %f"));
    EXPECT_EQ(afterChoice, QStringLiteral("'/opt/my tools/tcc'"));
    EXPECT_EQ(splitCommandLine(EditorSettings.CompilerString), QStringList{"/opt/my tools/tcc"});
    ASSERT_EQ(dialogs.fileRequests().size(), 2u);
    EXPECT_EQ(dialogs.fileRequests()[0].kind, FileDialogRequest::Open);
    EXPECT_EQ(dialogs.fileRequests()[0].filter, frmCompilerConfig::kBrowseFilter);
    EXPECT_TRUE(dialogs.fileRequests()[0].filter.endsWith("Executables (*.exe,*.com)|*.exe;*.com"));
    EXPECT_TRUE(dialogs.fileRequests()[0].title.isEmpty());
}

TEST_F(CompilerCommandsTest, ConfigureDialogCarriesItsHelpTopic) {
    whenShown<frmCompilerConfig>([](frmCompilerConfig* dialog) {
        EXPECT_EQ(helpContextOf(dialog), 170);
        EXPECT_EQ(dialog->cmdHelp->text(), QStringLiteral("&Help"));
        EXPECT_TRUE(dialog->Label2->text().startsWith("NOTE: Insert the %f"));
        dialog->reject();
    });
    commands.mnuAdvancedConfigure_Click();
}

TEST_F(CompilerCommandsTest, RealCompilerReceivesThePathWithBlanksAsOneArgument) {
    setShellBackend(nullptr); // the real system, not the recorder
    const QString script = scratch.write(QStringLiteral("fake cc.sh"),
                                         "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$2\"\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    const QString out = scratch.file(QStringLiteral("args.txt"));
    EditorSettings.CompilerString =
        quoteCommandWord(script) + QStringLiteral(" %f ") + quoteCommandWord(out);
    host.path = scratch.file(QStringLiteral("my project/main file.c"));
    runAndRead(commands);
    // The shell creates the file before printf writes it: wait for the whole content.
    const QByteArray expected = ("2\n" + host.path + "\n" + out + "\n").toUtf8();
    EXPECT_TRUE(QTest::qWaitFor([&] { return readAll(out) == expected; }, 10000))
        << readAll(out).toStdString();
}

} // namespace
} // namespace kelvane::test
