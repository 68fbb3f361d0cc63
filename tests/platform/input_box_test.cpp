// Tests of the input box: the character rule, the answers it gives and the scripted back end.
#include "platform/InputBox.h"
#include "platform/frmInputBox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kelvane;

namespace {

// A real input box shown without a modal loop, with the field focused.
class InputBoxDialog : public ::testing::Test {
protected:
    void open(const QString& defaultText) {
        dialog.setup("Enter a name.", "Name", defaultText);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        ASSERT_TRUE(dialog.txtResponse->hasFocus());
    }
    QLineEdit* field() { return dialog.txtResponse; }

    frmInputBox dialog;
};

} // namespace

TEST_F(InputBoxDialog, ShowsPromptTitleAndSelectedDefault) {
    open("10");
    EXPECT_EQ(dialog.windowTitle(), "Name");
    EXPECT_EQ(dialog.lblCaption->text(), "Enter a name.");
    EXPECT_EQ(dialog.Command1->text(), "OK");
    EXPECT_EQ(dialog.Command2->text(), "Cancel");
    EXPECT_TRUE(dialog.Command1->isDefault());
    EXPECT_EQ(field()->selectedText(), "10");
    QTest::keyClick(field(), Qt::Key_2);
    EXPECT_EQ(field()->text(), "2");
}

TEST_F(InputBoxDialog, FocusSelectsTheWholeText) {
    open("abc");
    field()->setCursorPosition(1); // caret inside, nothing selected
    QPushButton* ok = dialog.Command1;
    ok->setFocus(Qt::MouseFocusReason);
    field()->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(field()->selectedText(), "abc");
}

TEST_F(InputBoxDialog, TypedCharactersOutsideTheSetAreDiscarded) {
    open("");
    QTest::keyClicks(field(), "#include");
    EXPECT_EQ(field()->text(), "#include");
    QTest::keyClick(field(), Qt::Key_Space, Qt::NoModifier);
    QTest::keyClick(field(), Qt::Key_Period);
    EXPECT_EQ(field()->text(), "#include");

    field()->clear();
    QTest::keyClicks(field(), "a b.c,d:e;f/g\\h\"i'j<k>l?m~n`o|p{q}r[s]t");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9"));
    QApplication::sendEvent(field(), &accented);
    EXPECT_EQ(field()->text(), "abcdefghijklmnopqrst");
    field()->clear();
    QTest::keyClicks(field(), "!@#$%^&*()-_+=AZaz09");
    EXPECT_EQ(field()->text(), "!@#$%^&*()-_+=AZaz09");
}

TEST_F(InputBoxDialog, EditingKeysStillWork) {
    open("");
    QTest::keyClicks(field(), "abcd");
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(field()->text(), "abc");
    QTest::keyClick(field(), Qt::Key_Home);
    QTest::keyClick(field(), Qt::Key_Delete);
    EXPECT_EQ(field()->text(), "bc");
    QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field()->selectedText(), "bc");
}

TEST_F(InputBoxDialog, PastedTextFollowsTheSameRule) {
    open("");
    QApplication::clipboard()->setText("my file.txt");
    QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field()->text(), "myfiletxt");
    QApplication::clipboard()->setText("#define X(a) a+1");
    QTest::keyClick(field(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(field()->text(), "myfiletxt#defineX(a)a+1");
}

TEST_F(InputBoxDialog, OkGivesTheTextAndEnterPressesOk) {
    open("Old");
    QTest::keyClicks(field(), "LetterHead");
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Tag(), "LetterHead");

    open("42");
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Tag(), "42");
}

TEST_F(InputBoxDialog, EveryWayOutButOkGivesTheEmptyText) {
    open("10");
    QTest::keyClicks(field(), "55");
    QTest::mouseClick(dialog.Command2, Qt::LeftButton);
    EXPECT_EQ(dialog.Tag(), QString()) << "Cancel after editing";

    open("10");
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Tag(), QString()) << "Esc";

    open("10");
    dialog.close();
    EXPECT_EQ(dialog.Tag(), QString()) << "close box";

    open("10");
    QTest::keyClick(field(), Qt::Key_Backspace);
    ASSERT_EQ(field()->text(), QString());
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(dialog.Tag(), QString()) << "OK on an empty field";
}

// InputBoxEx through the real modal dialog, answered by a timer that types and clicks.
TEST(InputBoxEx, RealDialogAnswersAndCancels) {
    QString seenTitle, seenPrompt, seenDefault;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<frmInputBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenPrompt = box->lblCaption->text();
        seenDefault = box->txtResponse->selectedText();
        QTest::keyClicks(box->txtResponse, "My Template.1");
        QTest::mouseClick(box->Command1, Qt::LeftButton);
    });
    EXPECT_EQ(InputBoxEx("Please enter a descriptive name.", "Save Template", "Draft"),
              "MyTemplate1");
    EXPECT_EQ(seenTitle, "Save Template");
    EXPECT_EQ(seenPrompt, "Please enter a descriptive name.");
    EXPECT_EQ(seenDefault, "Draft");

    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<frmInputBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->close(); // the close box
    });
    EXPECT_EQ(InputBoxEx("Go to line:", "Go To", "10"), QString());
}

TEST(InputBoxEx, ScriptedBackendAnswersInOrderAndRecordsQuestions) {
    ScriptedInputBox script;
    script.queueAnswer("while");
    script.queueAnswer("");
    setInputBoxBackend(&script);
    EXPECT_EQ(InputBoxEx("Enter the Keyword", "Add Keyword", ""), "while");
    EXPECT_EQ(InputBoxEx("Enter the Keyword", "Add Keyword", "x"), "");
    EXPECT_EQ(InputBoxEx("Profile name", "Export Settings as Profile", ""), "") << "queue empty";
    setInputBoxBackend(nullptr);

    ASSERT_EQ(script.asked().size(), 3);
    EXPECT_EQ(script.asked()[0].title, "Add Keyword");
    EXPECT_EQ(script.asked()[1].defaultText, "x");
    EXPECT_EQ(script.asked()[2].prompt, "Profile name");
    EXPECT_EQ(script.pendingAnswers(), 0);

    // With the back end removed, the real dialog answers again.
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<frmInputBox*>(QApplication::activeModalWidget()))
            box->Command2->click();
    });
    EXPECT_EQ(InputBoxEx("p", "t", "d"), QString());
    EXPECT_EQ(script.asked().size(), 3);
}

TEST(InputBoxField, CharacterRule) {
    EXPECT_TRUE(InputBoxField::isAllowed('a'));
    EXPECT_TRUE(InputBoxField::isAllowed('='));
    EXPECT_FALSE(InputBoxField::isAllowed(' '));
    EXPECT_FALSE(InputBoxField::isAllowed('.'));
    EXPECT_FALSE(InputBoxField::isAllowed(QChar(0x00FF)));
    EXPECT_EQ(InputBoxField::filtered("C:\\x y\n.z"), "Cxyz");
}
