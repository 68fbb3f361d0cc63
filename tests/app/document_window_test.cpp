// The document window: colouring passes on the live control, change flags, status texts, keys.
#include "app/AppFixture.h"

#include "platform/PanelStatusBar.h"
#include "platform/richtext/TextView.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QTest>

namespace kelvane::test {
namespace {

const QChar kSep(0xFF);

class DocumentWindowTest : public AppFixture {
protected:
    frmDocument* startWithLists() {
        SaveSetting(kAppTitle, "Settings", "Keywords0", QString("int") + kSep + "return" + kSep);
        SaveSetting(kAppTitle, "Settings", "Keywords1", QString("in") + kSep);
        SaveSetting(kAppTitle, "Settings", "Delimiters", "10"); // C comments and double quotes
        SaveSetting(kAppTitle, "Settings", "KeywordCount", "3");
        start();
        return main->activeDocument();
    }
    static WinColour colourAt(frmDocument* document, qsizetype position) {
        const CharStyle style = document->rtfText->styleAt(position);
        return style.hasColour ? style.colour : kWindowTextColour;
    }
};

TEST_F(DocumentWindowTest, ColorCodePaintsKeywordsAndDelimitersAndKeepsChanged) {
    frmDocument* document = startWithLists();
    document->rtfText->setText("int x; /* return */\r\nprinter(\"int\");");
    ASSERT_TRUE(document->ChangedHighLight);
    document->Changed = false;
    document->ColorCode();
    EXPECT_FALSE(document->ChangedHighLight);
    EXPECT_FALSE(document->Changed) << "a pass leaves Changed as it was";
    // "int": list 0's word, with list 1's "in" painted over its first two letters.
    EXPECT_EQ(colourAt(document, 0), EditorSettings.KeywordColor1);
    EXPECT_EQ(colourAt(document, 2), EditorSettings.KeywordColor0);
    EXPECT_EQ(colourAt(document, 4), kWindowTextColour);
    EXPECT_EQ(colourAt(document, 10), EditorSettings.DelimitColor)
        << "CodeOrder true: delimiters win";
    // "printer": "in" colours its 3rd and 4th letters, "int" its 3rd to 5th.
    const qsizetype print = document->rtfText->Text().indexOf("printer");
    EXPECT_EQ(colourAt(document, print + 1), kWindowTextColour);
    EXPECT_EQ(colourAt(document, print + 2), EditorSettings.KeywordColor1);
    EXPECT_EQ(colourAt(document, print + 3), EditorSettings.KeywordColor1);
    EXPECT_EQ(colourAt(document, print + 4), EditorSettings.KeywordColor0);
    EXPECT_EQ(colourAt(document, print + 5), kWindowTextColour);
    EXPECT_EQ(colourAt(document, print + 9), EditorSettings.DelimitColor);
    EXPECT_EQ(main->sbStatusBar->panelText(1), "Finished.");
    EXPECT_TRUE(document->rtfText->isVisible());
}

TEST_F(DocumentWindowTest, UnchangedDocumentIsNotColouredAgain) {
    frmDocument* document = startWithLists();
    document->rtfText->setText("return");
    document->ColorCode();
    document->rtfText->setSelStart(0);
    document->rtfText->setSelLength(3);
    document->rtfText->setSelColor(0x123456);
    document->ColorCode(); // ChangedHighLight is false: nothing happens
    EXPECT_EQ(colourAt(document, 0), 0x123456u);
    main->mnuViewRefreshColors_Click(); // F11 forces a pass
    EXPECT_EQ(colourAt(document, 0), EditorSettings.KeywordColor0);
}

TEST_F(DocumentWindowTest, UndoAfterTypingAndColouringUndoesTheTyping) {
    frmDocument* document = startWithLists();
    document->rtfText->setSelStart(0);
    QTest::keyClicks(document->rtfText->view(), "return");
    document->ColorCode();
    EXPECT_EQ(colourAt(document, 0), EditorSettings.KeywordColor0);
    document->rtfText->undo();
    EXPECT_EQ(document->rtfText->Text(), "");
}

TEST_F(DocumentWindowTest, EnterColoursTheLineBeingLeft) {
    frmDocument* document = startWithLists();
    document->rtfText->setSelStart(0);
    QTest::keyClicks(document->rtfText->view(), "return 1; // int");
    EXPECT_EQ(colourAt(document, 0), kWindowTextColour) << "typing alone colours nothing";
    QTest::keyClick(document->rtfText->view(), Qt::Key_Return);
    EXPECT_EQ(colourAt(document, 0), EditorSettings.KeywordColor0);
    EXPECT_EQ(colourAt(document, 5), EditorSettings.KeywordColor0);
    EXPECT_EQ(colourAt(document, 15), EditorSettings.KeywordColor0)
        << "the line comment kind is off, so int is a keyword";
    EXPECT_TRUE(document->ChangedHighLight)
        << "the line break typed after the pass changed the text";
    EXPECT_TRUE(document->Changed);
    EXPECT_EQ(document->rtfText->Text(), "return 1; // int\r\n");
}

TEST_F(DocumentWindowTest, UpAndDownThroughUnchangedTextRecolourNothing) {
    frmDocument* document = startWithLists();
    document->rtfText->setText("int\r\nint");
    document->ColorCode();
    document->rtfText->setSelStart(0);
    document->rtfText->setSelLength(3);
    document->rtfText->setSelColor(0x00FF00);
    document->rtfText->setSelStart(0);
    QTest::keyClick(document->rtfText->view(), Qt::Key_Down);
    EXPECT_EQ(colourAt(document, 0), 0x00FF00u);
}

TEST_F(DocumentWindowTest, LineCommentOnLastLineIsColouredOnlyWithItsLineBreak) {
    SaveSetting(kAppTitle, "Settings", "Delimiters", "32");
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("a // note");
    document->ColorCode();
    EXPECT_EQ(colourAt(document, 3), kWindowTextColour);
    document->rtfText->setText("a // note\r\nb");
    document->ColorCode();
    EXPECT_EQ(colourAt(document, 3), EditorSettings.DelimitColor);
}

TEST_F(DocumentWindowTest, StatusBarShowsSelectionAndLine) {
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("");
    document->rtfText->setText("one\r\ntwo\r\nthree");
    document->rtfText->setSelStart(5);
    document->rtfText->setSelLength(3);
    EXPECT_EQ(main->sbStatusBar->panelText(2), "3 bytes selected.");
    EXPECT_EQ(main->sbStatusBar->panelText(3), "Line 2 of 3 ");
    document->rtfText->setText("");
    document->rtfText->setSelStart(0);
    document->Form_GotFocus();
    EXPECT_EQ(main->sbStatusBar->panelText(2), "0 bytes selected.");
}

TEST_F(DocumentWindowTest, AltEndAndAltHomeSpanOverSentenceMarks) {
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("Stop?! Go");
    document->rtfText->setSelStart(4);
    QTest::keyClick(document->rtfText->view(), Qt::Key_End, Qt::AltModifier);
    EXPECT_EQ(document->rtfText->SelText(), "?!");
    document->rtfText->setSelStart(6);
    QTest::keyClick(document->rtfText->view(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(document->rtfText->SelLength(), 0) << "Ctrl+End moves, it does not span";
}

TEST_F(DocumentWindowTest, WordWrapWrapsAtTheWindowWidth) {
    SaveSetting(kAppTitle, "Settings", "WordWrap", "True");
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText(QString("wrap me ").repeated(100));
    EXPECT_GT(document->rtfText->lineCount(), 1);
}

TEST_F(DocumentWindowTest, RefreshOfEveryDocumentColoursChangedOnes) {
    frmDocument* first = startWithLists();
    first->rtfText->setText("return");
    frmDocument* second = NewDocument();
    second->rtfText->setText("return");
    main->mnuViewRefresh_Click();
    EXPECT_EQ(colourAt(first, 0), EditorSettings.KeywordColor0);
    EXPECT_EQ(colourAt(second, 0), EditorSettings.KeywordColor0);
}

// Changed is the text's distance from the saved file, kept by the undo history: typed keys set
// it, undoing them back to the saved text clears it (no question on closing), redo sets it again.
TEST_F(DocumentWindowTest, UndoBackToTheSavedTextClearsChangedAndRedoSetsIt) {
    start();
    const QString path = scratch.write("saved.txt", "saved");
    dialogs.answerFile(path);
    main->mnuFileOpen_Click();
    frmDocument* document = main->activeDocument();
    TextView* view = document->rtfText->view();
    ASSERT_FALSE(document->Changed);
    document->rtfText->setSelStart(5);
    QTest::keyClicks(view, " text");
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_TRUE(document->Changed);

    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier); // the line break
    EXPECT_TRUE(document->Changed);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier); // the typing
    EXPECT_EQ(document->rtfText->Text(), "saved");
    EXPECT_FALSE(document->Changed) << "undone back to the saved text";
    EXPECT_EQ(document->Caption(), "saved.txt");

    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(document->Changed) << "redone away from it";
    boxes.answer(vbCancel);
    EXPECT_FALSE(document->subWindow()->close());
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].title, "Save Changes?");

    // Saved with the typing in: undoing it now is a change from the file on disk.
    main->mnuFileSave_Click();
    EXPECT_FALSE(document->Changed);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(document->Changed);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(document->Changed);
    EXPECT_TRUE(document->subWindow()->close());
    EXPECT_EQ(boxes.asked().size(), 1u) << "closed without asking";
}

// Formatting (a colouring pass, the font applied again) is no change; a flag set by the program
// (a file gone from disk) holds until the text is saved, whatever is undone.
TEST_F(DocumentWindowTest, ChangedSetByTheProgramSurvivesUndoAndColouring) {
    frmDocument* document = startWithLists();
    TextView* view = document->rtfText->view();
    QTest::keyClicks(view, "int");
    ASSERT_TRUE(document->Changed);
    document->Changed = false; // as a save leaves it
    document->ColorCode();
    document->RefreshDisplay();
    EXPECT_FALSE(document->Changed);
    document->Changed = true;
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document->rtfText->Text(), "");
    EXPECT_TRUE(document->Changed);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(document->Changed);
}

using OpenedDocumentTest = DocumentWindowTest;

TEST_F(OpenedDocumentTest, FileOpenedIntoANewWindowIsColouredWhenItsWindowActivates) {
    startWithLists();
    const QString path = scratch.write("c.c", "return 0;\r\n");
    dialogs.answerFile(path);
    main->mnuFileOpen_Click();
    QCoreApplication::processEvents();
    frmDocument* document = main->activeDocument();
    EXPECT_EQ(document->Caption(), "c.c");
    EXPECT_EQ(colourAt(document, 0), EditorSettings.KeywordColor0);
    EXPECT_FALSE(document->Changed);
    EXPECT_TRUE(readAll(path + "~").startsWith("{\\rtf"))
        << "the backup was written before the colouring";
}

// Activation among the document windows refreshes and colours; leaving the program for another
// window and coming back to the same document does neither.
TEST_F(OpenedDocumentTest, SwitchingToAnotherWindowAndBackLeavesTypedTextUncoloured) {
    frmDocument* document = startWithLists();
    QCoreApplication::processEvents();
    document->rtfText->setSelStart(0);
    QTest::keyClicks(document->rtfText->view(), "int");
    main->sbStatusBar->setPanelText(1, QString());

    // What the document area reports when another program takes the focus and gives it back
    // (the end-to-end test does it with a real window of another program).
    emit main->mdiArea->subWindowActivated(nullptr);
    emit main->mdiArea->subWindowActivated(document->subWindow());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    EXPECT_EQ(main->activeDocument(), document);
    EXPECT_EQ(colourAt(document, 2), kWindowTextColour) << "no colouring pass";
    EXPECT_TRUE(document->ChangedHighLight);
    EXPECT_EQ(main->sbStatusBar->panelText(1), "") << "no \"Finished.\"";

    // A second document taking over is an activation: it is refreshed, and coming back to the
    // first colours what was typed there.
    NewDocument();
    QCoreApplication::processEvents();
    ASSERT_NE(main->activeDocument(), document);
    main->mdiArea->setActiveSubWindow(document->subWindow());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(colourAt(document, 2), EditorSettings.KeywordColor0);
    EXPECT_EQ(main->sbStatusBar->panelText(1), "Finished.");
}

} // namespace
} // namespace kelvane::test
