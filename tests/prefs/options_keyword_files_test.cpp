// Import and export of keyword-list files, and OK recolouring the open documents.
#include "OptionsFixture.h"

#include <QTabWidget>

namespace kelvane::test {
namespace {

using OptionsKeywordFilesTest = OptionsFixture;

const QString kFilter = "Keyword Lists (*.kwd)|*.kwd|All Files (*.*)|*.*";

TEST_F(OptionsKeywordFilesTest, ExportWritesTheListsAsShownAndClearsTheDefaultExtension) {
    frmOptions* d = open();
    d->lstKeywords[0]->addItems({"if", "  else"});
    d->lstKeywords[2]->addItem("x");
    const QString path = scratch.file("lists.kwd");
    dialogs.answerFile(path);
    d->cmdExportList->click();
    ASSERT_EQ(dialogs.fileRequests().size(), 1u);
    const FileDialogRequest& asked = dialogs.fileRequests()[0];
    EXPECT_EQ(asked.kind, FileDialogRequest::Save);
    EXPECT_EQ(asked.title, "Export Keyword List");
    EXPECT_EQ(asked.filter, kFilter);
    EXPECT_EQ(asked.defaultExt, ".kwd");
    EXPECT_EQ(readAll(path), "if\r\n  else\r\n\\NL\\\r\n\\NL\\\r\nx\r\n\\NL\\\r\n");
    EXPECT_EQ(main->dlgCommonDialog.DefaultExt, "");
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(EditorSettings.Keywords0, "") << "exporting does not take the lists back";
}

TEST_F(OptionsKeywordFilesTest, ExportOfEmptyListsAndItsFailures) {
    frmOptions* d = open();
    const QString path = scratch.file("empty.kwd");
    dialogs.answerFile(path);
    d->cmdExportList_Click();
    EXPECT_EQ(readAll(path), "\\NL\\\r\n\\NL\\\r\n\\NL\\\r\n");

    dialogs.answerFile(std::nullopt); // cancelled: silent
    d->cmdExportList_Click();
    EXPECT_TRUE(boxes.asked().empty());

    dialogs.answerFile(scratch.file("no-such-folder/x.kwd"));
    d->cmdExportList_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.startsWith(
        "There was an error when trying to export the keyword file.\r\n"));
    EXPECT_GT(boxes.asked()[0].prompt.size(), 62) << "with the system's description";
    EXPECT_EQ(boxes.asked()[0].title, "File I/O Error");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbOKCancel);
}

TEST_F(OptionsKeywordFilesTest, ImportReplacesAllThreeListsUntilOk) {
    frmOptions* d = open();
    d->lstKeywords[1]->addItem("old");
    const QString path = scratch.write(
        "in.kwd", "~ a comment\r\n  while\r\n\\NL\\\r\nb\r\n\\NL\\\r\nc\r\n\\NL\\\r\nd\r\n");
    dialogs.answerFile(path);
    d->cmdImport->click();
    EXPECT_EQ(dialogs.fileRequests()[0].title, "Import Keyword List");
    EXPECT_EQ(dialogs.fileRequests()[0].kind, FileDialogRequest::Open);
    EXPECT_EQ(dialogs.fileRequests()[0].filter, kFilter);
    EXPECT_EQ(items(d->lstKeywords[0]), QStringList{"  while"});
    EXPECT_EQ(items(d->lstKeywords[1]), QStringList{"b"});
    EXPECT_EQ(items(d->lstKeywords[2]), (QStringList{"c", "d"}));
    EXPECT_EQ(EditorSettings.Keywords0, "");
    d->cmdOK_Click();
    EXPECT_EQ(EditorSettings.KeywordCount, 4);
}

TEST_F(OptionsKeywordFilesTest, ImportFailuresKeepOrEmptyTheLists) {
    frmOptions* d = open();
    d->lstKeywords[0]->addItem("kept");
    dialogs.answerFile(std::nullopt);
    d->cmdImport_Click();
    dialogs.answerFile(scratch.file("missing.kwd"));
    d->cmdImport_Click();
    EXPECT_EQ(items(d->lstKeywords[0]), QStringList{"kept"}) << "not emptied before the file opens";
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(boxes.asked()[0].prompt.startsWith(
        "There was an error when trying to open the keyword file.\r\n"));
    EXPECT_EQ(boxes.asked()[0].title, "File I/O Error");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbOKCancel);

    dialogs.answerFile(scratch.write("empty.kwd", ""));
    d->cmdImport_Click();
    EXPECT_EQ(boxes.asked().size(), 2u) << "an empty file has no line to read";
    for (const QListWidget* list : d->lstKeywords)
        EXPECT_EQ(list->count(), 0);
}

TEST_F(OptionsKeywordFilesTest, OkRecoloursEveryOpenDocumentWithTheNewLists) {
    start();
    EditorSettings.AutoCode = true;
    frmDocument* first = main->activeDocument();
    first->rtfText->setText("int while;\r\n");
    frmDocument* second = NewDocument();
    second->rtfText->setText("do while x\r\n");
    // Both are coloured with the lists in force now (no keywords yet).
    for (frmDocument* document : {first, second}) {
        document->ChangedHighLight = true;
        document->RefreshDisplay();
    }
    first->Changed = false;
    frmOptions* d = open();
    d->lstKeywords[0]->addItem("while");
    d->lblKeywordColor[0]->setBackColor(0x0000FF);
    d->cmdOK_Click();
    EXPECT_EQ(main->activeDocument(), second);
    const std::pair<frmDocument*, qsizetype> words[] = {{first, 4}, {second, 3}};
    for (const auto& [document, at] : words) {
        const CharStyle style = document->rtfText->styleAt(at);
        EXPECT_TRUE(style.hasColour) << document->Caption().toStdString();
        EXPECT_EQ(style.colour, 0x0000FFu) << document->Caption().toStdString();
        EXPECT_FALSE(document->rtfText->styleAt(0).hasColour &&
                     document->rtfText->styleAt(0).colour == 0x0000FFu);
    }
    EXPECT_FALSE(first->Changed) << "recolouring is not a change of the text";
}

} // namespace
} // namespace kelvane::test
