// The Options dialog through its real controls: filling, taking back, OK, Cancel, menu and help.
#include "OptionsFixture.h"

#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"
#include "prefs/ColourSwatch.h"
#include "settings/SettingForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace kelvane::test {
namespace {

using OptionsDialogTest = OptionsFixture;

const QString ff = QString(QChar(0xFF));

std::vector<bool> bracerStates(const frmOptions* dialog) {
    std::vector<bool> checked;
    for (const QCheckBox* box : dialog->chkBracers)
        checked.push_back(box->isChecked());
    return checked;
}

TEST_F(OptionsDialogTest, TheDialogIsBuiltOnFirstUseHiddenWithTheFontList) {
    start();
    EXPECT_EQ(frmOptions::instance(), nullptr) << "start-up leaves the dialog to its first use";
    frmOptions* d = open();
    EXPECT_EQ(d->cboFonts->count(), QFontDatabase::families().size());
    EXPECT_FALSE(QFontDatabase::families().isEmpty());
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->tabs->count(), 5);
}

TEST_F(OptionsDialogTest, OpeningFillsEveryControlFromTheSettings) {
    start();
    EditorSettings.Keywords0 = "int" + ff + "char" + ff;
    EditorSettings.Keywords1 = "lost"; // no final separator: not shown
    EditorSettings.Keywords2 = "a" + ff + ff + "b" + ff;
    EditorSettings.KeywordColor1 = 0x123456;
    EditorSettings.DelimitColor = 0x80000008;
    EditorSettings.Delimiters = 131;
    EditorSettings.WordWrap = true;
    EditorSettings.AutoCode = false;
    EditorSettings.CaseSensitive = true;
    EditorSettings.EditorFont = "No Such Font";
    EditorSettings.EditorSize = 10.5f;
    frmOptions* d = open();
    EXPECT_EQ(items(d->lstKeywords[0]), (QStringList{"int", "char"}));
    EXPECT_EQ(items(d->lstKeywords[1]), QStringList{});
    EXPECT_EQ(items(d->lstKeywords[2]), QStringList{"a"});
    EXPECT_EQ(d->lblKeywordColor[1]->BackColor(), 0x123456u);
    EXPECT_EQ(d->lblBracerColor->BackColor(), 0x80000008u);
    EXPECT_EQ(bracerStates(d), (std::vector<bool>{1, 1, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_TRUE(d->chkWordWrap->isChecked());
    EXPECT_FALSE(d->chkAutoCode->isChecked());
    EXPECT_TRUE(d->chkCaseSensitive->isChecked());
    EXPECT_EQ(d->cboFonts->currentText(), "No Such Font") << "a missing font keeps its name";
    EXPECT_EQ(d->cboSizes->currentText(), "10.5");

    EditorSettings.Delimiters = 511;
    d->Form_Activate();
    EXPECT_EQ(bracerStates(d), std::vector<bool>(9, true));
    EditorSettings.Delimiters = 1024 + 4;
    d->Form_Activate();
    EXPECT_EQ(bracerStates(d), (std::vector<bool>{0, 0, 1, 0, 0, 0, 0, 0, 0}));
    d->cmdOK_Click();
    EXPECT_EQ(EditorSettings.Delimiters, 4) << "bits above 8 are lost";
}

TEST_F(OptionsDialogTest, OkWithNoDocumentWritesEverySettingAndRefreshesNothing) {
    start();
    closeAllDocuments();
    frmOptions* d = open();
    d->show();
    d->lstKeywords[1]->addItems({"while", "for"});
    d->lstKeywords[2]->addItem("x");
    d->chkBracers[0]->setChecked(true);
    d->chkBracers[1]->setChecked(true);
    d->chkBracers[7]->setChecked(true);
    d->chkBracers[8]->setCheckState(Qt::PartiallyChecked); // greyed: not a delimiter
    d->chkWordWrap->setCheckState(Qt::PartiallyChecked);   // greyed: a switch that is on
    d->chkBackup->setChecked(false);
    d->cboFonts->setEditText("DejaVu Sans Mono");
    d->cboSizes->setEditText("14pt");
    d->lblBracerColor->setBackColor(255);
    d->cmdOK->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(EditorSettings.Keywords1, "while" + ff + "for" + ff);
    EXPECT_EQ(EditorSettings.KeywordCount, 3);
    EXPECT_EQ(EditorSettings.Delimiters, 131);
    EXPECT_TRUE(EditorSettings.WordWrap);
    EXPECT_FALSE(EditorSettings.Backup) << "the backup box is taken back";
    EXPECT_EQ(EditorSettings.EditorSize, 14.0f);
    EXPECT_EQ(setting("Keywords1"), "while" + ff + "for" + ff);
    EXPECT_EQ(setting("Keywords0"), "");
    EXPECT_EQ(setting("KeywordCount"), "3");
    EXPECT_EQ(setting("Delimiters"), "131");
    EXPECT_EQ(setting("DelimitColor"), "255");
    EXPECT_EQ(setting("KeywordColor0"), "12582912");
    EXPECT_EQ(setting("Wordwrap"), "True") << "read back under the start-up's spelling";
    EXPECT_EQ(setting("Backup"), "False");
    EXPECT_EQ(setting("AutoCode"), "True");
    EXPECT_EQ(setting("CodeOrder"), "True");
    EXPECT_EQ(setting("Case Sensitive"), "False");
    EXPECT_EQ(setting("EditorFont"), "DejaVu Sans Mono");
    EXPECT_EQ(setting("EditorSize"), "14");
    EXPECT_EQ(setting("CompilerString"), "<absent>") << "belongs to the compiler set-up";

    // The next start reads back what OK wrote.
    EditorSettings = EditorSettingsRecord{};
    readKeywordSettings(EditorSettings);
    readEditorSwitches(EditorSettings);
    EXPECT_EQ(EditorSettings.Keywords1, "while" + ff + "for" + ff);
    EXPECT_EQ(EditorSettings.Delimiters, 131);
    EXPECT_TRUE(EditorSettings.WordWrap);
    EXPECT_FALSE(EditorSettings.Backup);
}

TEST_F(OptionsDialogTest, CancelDiscardsEditsAndWritesNothing) {
    start();
    EditorSettings.Keywords0 = "if" + ff;
    frmOptions* d = open();
    inputs.queueAnswer("else");
    d->cmdAdd_Click();
    d->chkBracers[4]->setChecked(true);
    d->cmdCancel->click();
    EXPECT_EQ(EditorSettings.Keywords0, "if" + ff);
    EXPECT_EQ(EditorSettings.Delimiters, 0);
    EXPECT_EQ(setting("Keywords0"), "<absent>");
    d->Form_Activate();
    EXPECT_EQ(items(d->lstKeywords[0]), QStringList{"if"});
    EXPECT_FALSE(d->chkBracers[4]->isChecked());
}

TEST_F(OptionsDialogTest, KeywordCommandsActOnTheListShown) {
    frmOptions* d = open();
    d->tabKeywords->setCurrentIndex(1);
    inputs.queueAnswer("begin");
    inputs.queueAnswer("end");
    inputs.queueAnswer(""); // cancelled
    d->cmdAdd_Click();
    d->cmdAdd_Click();
    d->cmdAdd_Click();
    ASSERT_EQ(inputs.asked().size(), 3);
    EXPECT_EQ(inputs.asked()[0].prompt, "Enter the Keyword or Phrase you wish to add to the list.");
    EXPECT_EQ(inputs.asked()[0].title, "Add Keyword");
    EXPECT_EQ(inputs.asked()[0].defaultText, "");
    EXPECT_EQ(items(d->lstKeywords[1]), (QStringList{"begin", "end"}));
    EXPECT_EQ(items(d->lstKeywords[0]), QStringList{});

    d->lstKeywords[1]->clearSelection();
    d->cmdRemove_Click();
    EXPECT_EQ(d->lstKeywords[1]->count(), 2) << "nothing selected, nothing removed";
    d->lstKeywords[1]->setCurrentRow(0);
    d->cmdRemove_Click();
    EXPECT_EQ(items(d->lstKeywords[1]), QStringList{"end"});
    d->lstKeywords[1]->setCurrentRow(0);
    emit d->lstKeywords[1]->itemDoubleClicked(d->lstKeywords[1]->item(0));
    EXPECT_EQ(d->lstKeywords[1]->count(), 0);

    d->lstKeywords[2]->addItems({"a", "b"});
    d->tabKeywords->setCurrentIndex(2);
    boxes.answer(vbNo);
    d->cmdClear->click();
    EXPECT_EQ(d->lstKeywords[2]->count(), 2);
    boxes.answer(vbYes);
    d->cmdClear->click();
    EXPECT_EQ(d->lstKeywords[2]->count(), 0);
    ASSERT_EQ(boxes.asked().size(), 2u);
    EXPECT_EQ(boxes.asked()[0].prompt, "Are you sure you want to clear this keyword list?");
    EXPECT_EQ(boxes.asked()[0].title, "Confirm.");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbYesNo);
}

TEST_F(OptionsDialogTest, ColourSwatchesTakeThePickedColourAndCancelKeepsThem) {
    frmOptions* d = open();
    dialogs.answerColour(0x00FF00);
    d->lblKeywordColor[2]->setFocus();
    QTest::keyClick(d->lblKeywordColor[2], Qt::Key_Space);
    EXPECT_EQ(d->lblKeywordColor[2]->BackColor(), 0x00FF00u);
    dialogs.answerColour(std::nullopt);
    d->lblBracerColor_Click();
    EXPECT_EQ(d->lblBracerColor->BackColor(), 24576u);
    dialogs.answerColour(0x0000FF);
    QTest::mouseClick(d->lblBracerColor, Qt::LeftButton);
    EXPECT_EQ(d->lblBracerColor->BackColor(), 0x0000FFu);
    d->cmdOK_Click();
    EXPECT_EQ(EditorSettings.KeywordColor2, 0x00FF00u);
    EXPECT_EQ(setting("DelimitColor"), "255");
}

TEST_F(OptionsDialogTest, FontPreviewIsCentredInItsBox) {
    frmOptions* d = open();
    d->show();
    d->tabs->setCurrentIndex(2);
    for (const char* size : {"8", "24", "72"}) {
        d->cboSizes->setEditText(size);
        d->cboFonts->setEditText("DejaVu Serif");
        EXPECT_EQ(d->lblFontPreview->text(), "DejaVu Serif");
        EXPECT_EQ(d->lblFontPreview->font().pointSizeF(), QString(size).toDouble());
        const QRect inner = d->picFontPreview->contentsRect();
        const QPoint centre = d->lblFontPreview->geometry().center();
        EXPECT_LE(std::abs(centre.x() - inner.center().x()), 1) << size;
        EXPECT_LE(std::abs(centre.y() - inner.center().y()), 1) << size;
    }
    d->hide();
}

TEST_F(OptionsDialogTest, HelpButtonAndF1ShowTheOptionsTopic) {
    setHelpFile(QStringLiteral(KELVANE_RUNTIME_DIR "/KELVANE.HLP"));
    frmOptions* d = open();
    EXPECT_EQ(helpContextOf(d), 270);
    d->cmdHelp->click();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->currentTopicId(), "options");
    closeHelp();
    setHelpFile(QString());
}

TEST_F(OptionsDialogTest, EditorSetupSitsInFilePreferencesAndOpensTheDialogModally) {
    start();
    const QList<QAction*> fileItems = main->mnuFile->actions();
    const qsizetype at = fileItems.indexOf(main->mnuFilePreferences->menuAction());
    ASSERT_GE(at, 1);
    EXPECT_TRUE(fileItems[at - 1]->isSeparator());
    EXPECT_EQ(fileItems[at + 1], main->mnuFileRecent[0]) << "just above the recent files";
    EXPECT_EQ(main->mnuFilePreferences->title(), "Preferences");
    ASSERT_EQ(main->mnuFilePreferences->actions().size(), 3); // and the two tool set-ups
    QAction* setup = main->mnuFilePreferences->actions()[0];
    EXPECT_EQ(setup->text(), "Editor Setup");
    EXPECT_EQ(setup->shortcut(), QKeySequence(Qt::Key_F4));

    EditorSettings.Keywords2 = "shown" + ff;
    frmOptions* d = frmOptions::load(*main);
    QStringList seen;
    bool wasModal = false;
    QTimer::singleShot(0, d, [&] {
        wasModal = d->isVisible() && d->isModal();
        seen = items(d->lstKeywords[2]);
        inputs.queueAnswer("added");
        d->tabKeywords->setCurrentIndex(2);
        d->cmdAdd->click();
        d->cmdOK->click();
    });
    setup->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(seen, QStringList{"shown"}) << "filled when opened";
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(EditorSettings.Keywords2, "shown" + ff + "added" + ff);
    EXPECT_EQ(frmOptions::instance(), d) << "hidden, not destroyed";
}

} // namespace
} // namespace kelvane::test
