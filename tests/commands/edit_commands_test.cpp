// The Edit menu on real document windows: undo, the clipboard's two formats, colours carried
// between documents, select all, and the editor's own keys running the same commands.
#include "commands/DocumentFixture.h"

#include "commands/Clipboard.h"
#include "platform/richtext/TextView.h"

#include <QAction>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

namespace kelvane::test {
namespace {

using EditCommandsTest = DocumentFixture;

constexpr WinColour kBlue = 0xFF0000;

void setClipboardText(const QString& text) {
    auto* data = new QMimeData;
    data->setText(text);
    QApplication::clipboard()->setMimeData(data);
}

TEST_F(EditCommandsTest, CopyPutsPlainTextAndRichTextOnTheClipboard) {
    load("red\r\nplain", 0, 8);
    select(0, 3);
    box->setSelColor(kBlue);
    select(0, 8);
    main->editCommands->mnuEditCopy_Click();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), "red\npla") << "other programs receive the text, not markup";
    EXPECT_TRUE(data->data(kRtfMimeType).startsWith("{\\rtf"));
    EXPECT_EQ(box->Text(), "red\r\nplain") << "copy changes nothing";
}

TEST_F(EditCommandsTest, CopyAndPasteIntoAnotherDocumentKeepsTheColours) {
    load("blue text", 0, 4);
    box->setSelColor(kBlue);
    select(0, 9);
    main->editCommands->mnuEditCopy_Click();
    frmDocument* other = NewDocument();
    ASSERT_EQ(main->activeDocument(), other);
    main->editCommands->mnuEditPaste_Click();
    EXPECT_EQ(other->rtfText->Text(), "blue text");
    EXPECT_EQ(other->rtfText->styleAt(1).colour, kBlue);
    EXPECT_TRUE(other->rtfText->styleAt(1).hasColour);
    EXPECT_FALSE(other->rtfText->styleAt(6).hasColour);
    EXPECT_TRUE(other->Changed);
}

TEST_F(EditCommandsTest, PastePlainTextUnformattedAndRtfMarkupTextFormatted) {
    load("ab", 1);
    setClipboardText("{not rtf}\n");
    main->editCommands->mnuEditPaste_Click();
    EXPECT_EQ(box->Text(), "a{not rtf}\r\nb");
    load("");
    setClipboardText("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 Hot\\cf0  cold}");
    main->editCommands->mnuEditPaste_Click();
    EXPECT_EQ(box->Text(), "Hot cold");
    EXPECT_EQ(box->styleAt(0).colour, 0x0000FFu);
    EXPECT_FALSE(box->styleAt(5).hasColour);
}

TEST_F(EditCommandsTest, PasteFromAnotherProgramLeavesItsRichTextFormattingBehind) {
    // A word processor offers its text both plain and as rich text with a font, size and bold.
    const QByteArray word = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red0\\green0"
                            "\\blue255;}\\f0\\fs48\\b\\cf1 Bold words}";
    load("ab", 1);
    auto* data = new QMimeData;
    data->setText("Bold words");
    data->setData(kRtfMimeType, word);
    QApplication::clipboard()->setMimeData(data);
    main->editCommands->mnuEditPaste_Click();
    EXPECT_EQ(box->Text(), "aBold wordsb");
    for (qsizetype at : {1, 5, 10}) {
        EXPECT_FALSE(box->styleAt(at).hasColour) << at;
        EXPECT_FALSE(box->styleAt(at).bold) << at;
    }

    // Rich text alone, without its plain form: the words arrive, without their formatting.
    load("");
    data = new QMimeData;
    data->setData("application/rtf", word);
    QApplication::clipboard()->setMimeData(data);
    main->editCommands->mnuEditPaste_Click();
    EXPECT_EQ(box->Text(), "Bold words");
    EXPECT_FALSE(box->styleAt(0).bold);
    EXPECT_FALSE(box->styleAt(0).hasColour);
}

TEST_F(EditCommandsTest, CutRemovesTheSelectionAndCutOfNothingChangesNothing) {
    load("keep cut", 4, 4);
    main->editCommands->mnuEditCut_Click();
    EXPECT_EQ(box->Text(), "keep");
    EXPECT_EQ(QApplication::clipboard()->text(), " cut");
    document->Changed = false;
    select(2, 0);
    main->editCommands->mnuEditCut_Click();
    EXPECT_EQ(box->Text(), "keep");
    EXPECT_FALSE(document->Changed);
    EXPECT_EQ(QApplication::clipboard()->text(), " cut") << "the clipboard keeps its text";
    main->editCommands->mnuEditUndo_Click();
    EXPECT_EQ(box->Text(), "keep cut");
}

TEST_F(EditCommandsTest, PasteAsNewDocumentOpensAnUntitledDocument) {
    load("x");
    setClipboardText("pasted");
    main->editCommands->mnuEditPasteNew_Click();
    frmDocument* pasted = main->activeDocument();
    ASSERT_NE(pasted, document);
    EXPECT_EQ(pasted->Caption(), "File 2");
    EXPECT_EQ(pasted->rtfText->Text(), "pasted");
    EXPECT_EQ(box->Text(), "x");
}

TEST_F(EditCommandsTest, SelectAllSelectsTheWholeText) {
    load("one\r\ntwo", 2);
    main->editCommands->mnuEditSelectAll_Click();
    EXPECT_EQ(box->SelStart(), 0);
    EXPECT_EQ(box->SelLength(), 8);
}

TEST_F(EditCommandsTest, EditorKeysRunTheEditCommandsAndCtrlXIsNotACut) {
    load("blue", 0, 4);
    box->setSelColor(kBlue);
    box->SetFocus();
    QWidget* view = box->view();
    QApplication::clipboard()->clear();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(kRtfMimeType))
        << "Ctrl+C copies the rich text as Copy does";
    EXPECT_EQ(box->Text(), "blue");
    QApplication::clipboard()->clear();
    QTest::keyClick(view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(kRtfMimeType));

    EXPECT_EQ(box->Text(), "blue");
    select(4, 0);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "blueblue");
    EXPECT_EQ(box->styleAt(6).colour, kBlue);
    QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box->Text(), "blueblueblue") << "Shift+Ins pastes once";
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "blueblue");
    QTest::keyClick(view, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(box->Text(), "blue");

    // Ctrl+X is left to the main window (Exit): the view does not claim it, and does not cut.
    QKeyEvent ctrlX(QEvent::ShortcutOverride, Qt::Key_X, Qt::ControlModifier);
    ctrlX.setAccepted(false);
    QApplication::sendEvent(view, &ctrlX);
    EXPECT_FALSE(ctrlX.isAccepted());
    QAction* exitItem = main->mnuFile->actions().last();
    ASSERT_EQ(exitItem->text(), "E&xit");
    exitItem->setEnabled(false); // so the key reaches the view instead of ending the test
    select(0, 2);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "blue") << "Ctrl+X is not a cut";
    exitItem->setEnabled(true);
    select(0, 2);
    QTest::keyClick(view, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(box->Text(), "ue");
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box->SelLength(), 2);
}

TEST_F(EditCommandsTest, WordCountReportsBlanksFollowedByACharacter) {
    load("a b  c \r\nd ");
    main->editCommands->mnuEditWordCount_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt,
              "Words counted in document: 4.\r\n\r\nNOTE: This is only approximate.");
    EXPECT_EQ(boxes.asked()[0].title, "Word Count");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbOKOnly);
}

TEST_F(EditCommandsTest, EditCommandsDoNothingWithoutADocument) {
    document->subWindow()->close();
    setClipboardText("x");
    main->editCommands->mnuEditPasteNew_Click();
    main->editCommands->mnuEditPaste_Click();
    main->editCommands->mnuEditUndo_Click();
    main->editCommands->mnuEditSelectAll_Click();
    main->editCommands->mnuEditWordCount_Click();
    EXPECT_EQ(main->activeDocument(), nullptr);
    EXPECT_TRUE(boxes.asked().empty());
}

} // namespace
} // namespace kelvane::test
