// What a new user meets in the first hour, typed and clicked as the user did: where the keyboard
// goes in each dialog, Exit with a Cancel, minimised windows, the status bar, Undo after a
// Replace All, the tab caption after a failed backup.
#include "commands/DocumentFixture.h"
#include "commands/frmTabsToSpaces.h"
#include "dialogs/frmTip.h"
#include "library/frmNewFile.h"
#include "platform/KeyedTabBar.h"
#include "platform/PanelStatusBar.h"
#include "platform/frmInputBox.h"
#include "prefs/frmOptions.h"
#include "search/FindDialogs.h"
#include "search/ReplaceDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

namespace kelvane::test {
namespace {

const QChar kSep(0xFF);

class FirstHourTest : public DocumentFixture {
protected:
    /// Types into whatever has the keyboard in a window, as the user does.
    static void type(QWidget* window, const QString& text) {
        QWidget* focus = window->focusWidget();
        ASSERT_NE(focus, nullptr) << "nothing has the keyboard";
        QTest::keyClicks(focus, text);
    }
    static void press(QWidget* window, Qt::Key key) {
        QWidget* focus = window->focusWidget();
        ASSERT_NE(focus, nullptr) << "nothing has the keyboard";
        QTest::keyClick(focus, key);
    }
    /// Presses a key in the document's text, where the user's shortcuts start from.
    void pressInDocument(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        box->SetFocus();
        QTest::keyClick(box->view(), key, modifiers);
    }
    static WinColour colourAt(frmDocument* of, qsizetype position) {
        const CharStyle style = of->rtfText->styleAt(position);
        return style.hasColour ? style.colour : kWindowTextColour;
    }
    QString statusPanel(int panel) const { return main->sbStatusBar->panelText(panel); }
};

TEST_F(FirstHourTest, TypingRightAfterOpeningAFindDialogGoesIntoTheTextToFind) {
    // Each dialog: how the user opens it, and what its text to find then holds.
    using Opener = std::function<void()>;
    const Opener ctrlF = [this] { pressInDocument(Qt::Key_F, Qt::ControlModifier); };
    const Opener ctrlR = [this] { pressInDocument(Qt::Key_R, Qt::ControlModifier); };
    const struct {
        const char* dialog;
        Opener open;
        std::function<QString(QDialog*)> text;
    } rows[] = {
        {"Find", ctrlF,
         [](QDialog* d) { return dynamic_cast<frmFind*>(d)->cboFind->currentText(); }},
        {"Find again", ctrlF,
         [](QDialog* d) { return dynamic_cast<frmFind*>(d)->cboFind->currentText(); }},
        {"Replace", ctrlR,
         [](QDialog* d) { return dynamic_cast<frmReplace*>(d)->txtFind->text(); }},
        {"Extended Find", [this] { main->searchCommands->mnuSearchFindEx_Click(); },
         [](QDialog* d) { return dynamic_cast<frmFindEx*>(d)->txtFind->toPlainText(); }},
        {"Extended Replace", [this] { main->searchCommands->mnuSearchReplaceEx_Click(); },
         [](QDialog* d) { return dynamic_cast<frmReplaceEx*>(d)->txtFind->toPlainText(); }},
    };
    for (const auto& row : rows) {
        QString typed;
        bool caseTicked = true;
        whenShown<QDialog>([&](QDialog* dialog) {
            type(dialog, "int");
            type(dialog, " "); // a blank must not tick Case Sensitive
            typed = row.text(dialog);
            if (auto* find = dynamic_cast<FindDialog*>(dialog)) {
                caseTicked = find->chkCaseSensitive->isChecked();
                find->cmdClose_Click();
            } else if (auto* replace = dynamic_cast<ReplaceDialog*>(dialog)) {
                caseTicked = replace->chkCaseSensitive->isChecked();
                replace->cmdClose_Click();
            }
        });
        row.open();
        EXPECT_EQ(typed, "int ") << row.dialog;
        EXPECT_FALSE(caseTicked) << row.dialog;
    }
}

TEST_F(FirstHourTest, TypingRightAfterGoToLineGoesIntoTheField) {
    setInputBoxBackend(nullptr); // the real dialog, typed into
    load("one\r\ntwo\r\nthree");
    whenShown<frmInputBox>([](frmInputBox* dialog) {
        type(dialog, "2");
        press(dialog, Qt::Key_Return);
    });
    main->searchCommands->mnuSearchGotoLine_Click();
    EXPECT_EQ(box->SelStart(), 5);
    EXPECT_EQ(box->SelText(), "two");
}

TEST_F(FirstHourTest, TabsToSpacesTakesTheTypedNumberInsteadOfTheDefault) {
    load("\tx");
    whenShown<frmTabsToSpaces>([](frmTabsToSpaces* dialog) {
        type(dialog, "2");
        press(dialog, Qt::Key_Return);
    });
    boxes.answer(vbOK);
    main->formatCommands->mnuFormatTabsToSapces_Click();
    EXPECT_EQ(box->Text(), "  x") << "typing 2 over the shown 4 gives 2, not 42";
}

TEST_F(FirstHourTest, EnterInEditorOptionsPressesOkEvenAfterAddKeywordAndCancel) {
    inputs.queueAnswer("kw");
    whenShown<frmOptions>([](frmOptions* dialog) {
        QTest::mouseClick(dialog->cmdAdd, Qt::LeftButton);
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    pressInDocument(Qt::Key_F4);
    ASSERT_FALSE(frmOptions::instance()->isVisible());
    ASSERT_EQ(setting("AutoCode"), "<absent>") << "Cancel writes nothing";

    bool typedIntoTheDialog = false;
    whenShown<frmOptions>([&typedIntoTheDialog](frmOptions* dialog) {
        typedIntoTheDialog = dialog->focusWidget() && dialog->focusWidget() != dialog->cmdHelp;
        press(dialog, Qt::Key_Return);
        // Should Enter have pressed another button, the dialog would still be open.
        if (dialog->isVisible())
            dialog->cmdCancel_Click();
    });
    pressInDocument(Qt::Key_F4);
    EXPECT_TRUE(typedIntoTheDialog) << "the keyboard is in the dialog";
    EXPECT_EQ(setting("AutoCode"), "True") << "OK took the settings";
    EXPECT_TRUE(boxes.asked().empty()) << "Enter asked for Help";
}

TEST_F(FirstHourTest, TipOfTheDayStartsOnItsOkButton) {
    SaveSetting(kAppTitle, "Options", "Show Tips at Startup", "1");
    frmTip tip(main.get());
    tip.show();
    EXPECT_EQ(tip.focusWidget(), tip.cmdOK);
    press(&tip, Qt::Key_Space);
    EXPECT_TRUE(tip.chkLoadTipsAtStartup->isChecked()) << "a blank must not turn tips off";
    EXPECT_EQ(GetSetting(kAppTitle, "Options", "Show Tips at Startup", ""), "1");
}

TEST_F(FirstHourTest, CancelAtExitLeavesEveryWindowOpen) {
    frmDocument* first = document;
    frmDocument* second = NewDocument();
    second->rtfText->setText("changed");
    ASSERT_TRUE(second->Changed);
    ASSERT_FALSE(first->Changed);

    boxes.answer(vbCancel);
    main->fileCommands->action(u"mnuFileExit")->trigger();
    EXPECT_EQ(prompts(), QStringList{"Do you wish to save the changes you have made to the file "
                                     "File 2?"});
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "File 2"}));
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(second->rtfText->Text(), "changed");
}

TEST_F(FirstHourTest, ExitAsksAboutEveryChangedDocumentInOrderBeforeClosingAny) {
    frmDocument* first = document;
    first->rtfText->setText("one");
    frmDocument* second = NewDocument();
    second->rtfText->setText("two");
    // No to the first, Cancel at the second: both still open.
    boxes.answer(vbNo);
    boxes.answer(vbCancel);
    main->close();
    EXPECT_EQ(prompts().size(), 2);
    EXPECT_EQ(captions(), (std::vector<QString>{"File 1", "File 2"}));
    EXPECT_TRUE(first->Changed) << "an answer that did not end in Exit keeps the change marked";

    // No to both: everything closes.
    boxes.clear();
    boxes.answer(vbNo);
    boxes.answer(vbNo);
    EXPECT_TRUE(main->close());
    EXPECT_EQ(prompts().size(), 2);
    EXPECT_TRUE(captions().empty());
}

TEST_F(FirstHourTest, ClickingTheTabOfAMinimisedDocumentRestoresIt) {
    frmDocument* second = NewDocument();
    main->windowCommands->action(u"mnuWindowMinAll")->trigger();
    ASSERT_TRUE(document->subWindow()->isMinimized());

    KeyedTabBar* tabs = main->tabFiles;
    const QRect tab = tabs->tabRect(tabs->indexOfKey(document->tabKey()));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tab.center());
    EXPECT_FALSE(document->subWindow()->isMinimized());
    EXPECT_TRUE(second->subWindow()->isMinimized()) << "only the clicked one comes back";
    EXPECT_EQ(main->activeDocument(), document);
}

TEST_F(FirstHourTest, StatusBarShowsTheActivatedDocument) {
    load("a\r\nb\r\nc", 6, 1);
    ASSERT_EQ(statusPanel(3), "Line 3 of 3 ");

    // File > New asks blank or template: Enter takes a blank file.
    whenShown<frmNewFile>([](frmNewFile* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    main->fileCommands->action(u"mnuFileNew")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(statusPanel(3), "Line 1 of 1 ") << "File > New shows the new document's line";
    EXPECT_EQ(statusPanel(2), "0 bytes selected.");

    KeyedTabBar* tabs = main->tabFiles;
    QTest::mouseClick(tabs, Qt::LeftButton, {},
                      tabs->tabRect(tabs->indexOfKey(document->tabKey())).center());
    QApplication::processEvents();
    EXPECT_EQ(statusPanel(3), "Line 3 of 3 ");
    EXPECT_EQ(statusPanel(2), "1 bytes selected.");
}

TEST_F(FirstHourTest, OpeningAFileShowsItsLineAtOnce) {
    const QString path = scratch.write("lines.txt", "a\r\nb\r\n");
    dialogs.answerFile(path);
    main->fileCommands->action(u"mnuFileOpen")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(statusPanel(3), "Line 1 of 3 ");
}

TEST_F(FirstHourTest, UndoAfterReplaceAllColoursTheRestoredWords) {
    EditorSettings.Keywords0 = QString("int") + kSep + "char" + kSep;
    EditorSettings.KeywordCount = 2;
    EditorSettings.AutoCode = true;
    load("int a;\r\nchar b;\r\nint c;");
    main->viewCommands->action(u"mnuViewRefreshColors")->trigger();
    ASSERT_EQ(colourAt(document, 0), EditorSettings.KeywordColor0);

    {
        frmReplace dialog(*main);
        dialog.txtFind->setText("int");
        dialog.txtReplace->setText("long");
        boxes.answer(vbOK);
        dialog.cmdReplaceAll->click();
    }
    ASSERT_EQ(box->Text(), "long a;\r\nchar b;\r\nlong c;");
    main->viewCommands->action(u"mnuViewRefreshColors")->trigger();
    ASSERT_EQ(colourAt(document, 0), kWindowTextColour);

    box->setSelStart(0);
    pressInDocument(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(box->Text(), "int a;\r\nchar b;\r\nint c;");
    EXPECT_EQ(colourAt(document, 0), EditorSettings.KeywordColor0);
    EXPECT_EQ(colourAt(document, 17), EditorSettings.KeywordColor0) << "the last line too";
    EXPECT_EQ(colourAt(document, 8), EditorSettings.KeywordColor0);

    // Redo takes the words away again, and their colours with them.
    pressInDocument(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "long a;\r\nchar b;\r\nlong c;");
    EXPECT_EQ(colourAt(document, 0), kWindowTextColour);
}

/// Answers OK to every box after letting pending events run, as a real modal box does.
class ModalMsgBoxes : public MsgBoxBackend {
public:
    int ask(const MsgBoxRequest& request) override {
        asked.push_back(request);
        QApplication::processEvents();
        return vbOK;
    }
    std::vector<MsgBoxRequest> asked;
};

TEST_F(FirstHourTest, TheTabFollowsTheCaptionAfterABackupError) {
    const QString path = scratch.write("held.c", "int x;");
    QDir().mkpath(path + "~"); // the backup cannot be written over a folder
    dialogs.answerFile(path);
    ModalMsgBoxes modal;
    setMsgBoxBackend(&modal);
    main->fileCommands->action(u"mnuFileOpen")->trigger();
    QApplication::processEvents();
    setMsgBoxBackend(&boxes);
    ASSERT_EQ(modal.asked.size(), 1u);
    EXPECT_EQ(modal.asked.front().title, "File I/O Error");
    frmDocument* opened = main->activeDocument();
    EXPECT_EQ(opened->Caption(), "held.c");
    EXPECT_EQ(main->tabFiles->tabText(main->tabFiles->indexOfKey(opened->tabKey())), "held.c");
}

} // namespace
} // namespace kelvane::test
