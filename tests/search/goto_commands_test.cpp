// Go to Line and Go to Character with scripted answers to the input box.
#include "commands/DocumentFixture.h"

#include "settings/EditorSettings.h"

namespace kelvane::test {
namespace {

using GotoCommandsTest = DocumentFixture;

const QString kNoLine = QStringLiteral("That line does not exist in the current file.");
const QString kNoCharacter = QStringLiteral("That character does not exist in the current file.");

TEST_F(GotoCommandsTest, GoToLineShowsTheCountAndSelectsTheWholeLine) {
    load("first\r\nsecond\r\nthird");
    inputs.queueAnswer("3");
    main->searchCommands->mnuSearchGotoLine_Click();
    ASSERT_EQ(inputs.asked().size(), 1);
    EXPECT_EQ(inputs.asked()[0].prompt, "Enter the number of the line you wish to jump to. "
                                        "There are currently 3 lines displayed.");
    EXPECT_EQ(inputs.asked()[0].title, "Go To Line");
    EXPECT_EQ(inputs.asked()[0].defaultText, "");
    EXPECT_EQ(box->SelText(), "third");
    inputs.queueAnswer("2");
    main->searchCommands->mnuSearchGotoLine_Click();
    EXPECT_EQ(box->SelText(), "second") << "without its line break";
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(GotoCommandsTest, GoToLineOutOfRangeOrCancelledReportsNoSuchLine) {
    load("a\r\nb\r\nc", 1);
    for (const char* answer : {"4", "0", "abc", ""}) {
        if (*answer)
            inputs.queueAnswer(answer);
        main->searchCommands->mnuSearchGotoLine_Click();
    }
    ASSERT_EQ(boxes.asked().size(), 4u);
    for (const MsgBoxRequest& request : boxes.asked()) {
        EXPECT_EQ(request.prompt, kNoLine);
        EXPECT_EQ(request.title, "Error");
        EXPECT_EQ(request.buttons(), vbOKOnly);
    }
    EXPECT_EQ(box->SelStart(), 1) << "nothing else changes";
}

TEST_F(GotoCommandsTest, GoToLineReadsNumbersAsTyped) {
    QString text;
    for (int i = 1; i <= 20; ++i)
        text += QStringLiteral("line%1\r\n").arg(i);
    load(text);
    inputs.queueAnswer("12abc");
    main->searchCommands->mnuSearchGotoLine_Click();
    EXPECT_EQ(box->SelText(), "line12");
    inputs.queueAnswer("&H10");
    main->searchCommands->mnuSearchGotoLine_Click();
    EXPECT_EQ(box->SelText(), "line16");
}

TEST_F(GotoCommandsTest, EmptyDocumentHasOneLineAndLineOneIsTheCaretAtTheStart) {
    load("");
    inputs.queueAnswer("1");
    main->searchCommands->mnuSearchGotoLine_Click();
    EXPECT_TRUE(inputs.asked()[0].prompt.contains("There are currently 1 lines displayed."));
    EXPECT_EQ(box->SelStart(), 0);
    EXPECT_EQ(box->SelLength(), 0);
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(GotoCommandsTest, WithWordWrapTheLinesAreScreenLines) {
    EditorSettings.WordWrap = true;
    document->subWindow()->resize(400, 300);
    document->RefreshDisplay();
    const QString paragraph = QString("word ").repeated(60).trimmed();
    load(paragraph);
    const qsizetype lines = box->lineCount();
    ASSERT_GE(lines, 3) << "the paragraph wraps";
    inputs.queueAnswer("2");
    main->searchCommands->mnuSearchGotoLine_Click();
    EXPECT_TRUE(inputs.asked()[0].prompt.contains(QString::number(lines) + " lines displayed."));
    EXPECT_EQ(box->SelStart(), box->lineIndex(1));
    EXPECT_GT(box->SelLength(), 0);
    EXPECT_LT(box->SelLength(), paragraph.size() / 2) << "only that screen line";
    EditorSettings.WordWrap = false;
}

TEST_F(GotoCommandsTest, GoToCharacterSelectsOneCharacter) {
    load("abc");
    inputs.queueAnswer("1");
    main->searchCommands->mnuSearchGotoChar_Click();
    EXPECT_EQ(inputs.asked()[0].prompt, "Enter the index of the character you want to jump to.");
    EXPECT_EQ(inputs.asked()[0].title, "Go To Character");
    EXPECT_EQ(box->SelText(), "a");
    inputs.queueAnswer("3");
    main->searchCommands->mnuSearchGotoChar_Click();
    EXPECT_EQ(box->SelText(), "c");
    inputs.queueAnswer("4");
    main->searchCommands->mnuSearchGotoChar_Click();
    inputs.queueAnswer("-1");
    main->searchCommands->mnuSearchGotoChar_Click();
    main->searchCommands->mnuSearchGotoChar_Click(); // cancelled: reads as 0
    ASSERT_EQ(boxes.asked().size(), 3u);
    for (const MsgBoxRequest& request : boxes.asked()) {
        EXPECT_EQ(request.prompt, kNoCharacter);
        EXPECT_EQ(request.title, "Error");
    }
    EXPECT_EQ(box->SelText(), "c");
}

TEST_F(GotoCommandsTest, GoToCharacterCountsALineBreakAsTwo) {
    load("ab\r\ncd");
    inputs.queueAnswer("5");
    main->searchCommands->mnuSearchGotoChar_Click();
    EXPECT_EQ(box->SelText(), "c");
    EXPECT_EQ(box->SelStart(), 4);
}

} // namespace
} // namespace kelvane::test
