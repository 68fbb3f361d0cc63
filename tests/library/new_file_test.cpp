// File > New with the New File dialog, templates and Export as Template.
#include "LibraryFixture.h"

#include "library/frmNewFile.h"
#include "platform/help/Help.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kelvane::test {
namespace {

class NewFileTest : public LibraryFixture {
protected:
    void SetUp() override {
        LibraryFixture::SetUp();
        ship("TEMPLATE", "Memo", "To:\r\nFrom:\r\n");
        ship("TEMPLATE", "Broken", "");
        start();
        EditorSettings.Keywords0 = QString("int") + QChar(0xFF);
        EditorSettings.KeywordCount = 1;
        EditorSettings.KeywordColor0 = 0x0000FF;
        EditorSettings.AutoCode = true;
    }
    int untitled() const { return DocumentRegistry.UntitledCounter; }
};

TEST_F(NewFileTest, DialogOpensOnBlankWithTheListDisabledUntilTemplateIsChosen) {
    frmNewFile dialog(main.get());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "New File");
    EXPECT_TRUE(dialog.optBlank->isChecked());
    EXPECT_FALSE(dialog.lstTemplates->isEnabled());
    EXPECT_EQ(rows(dialog.lstTemplates), QStringList({"Broken", "Memo"}));
    EXPECT_TRUE(dialog.cmdOK->isDefault());
    EXPECT_EQ(dialog.focusWidget(), dialog.optBlank);
    dialog.optTemplate->click();
    EXPECT_TRUE(dialog.lstTemplates->isEnabled());
    dialog.optBlank->click();
    EXPECT_FALSE(dialog.lstTemplates->isEnabled());
    EXPECT_EQ(helpContextOf(&dialog), frmNewFile::kHelpContext);
}

TEST_F(NewFileTest, BlankGivesOneEmptyUntitledDocument) {
    const int before = untitled();
    whenShown<frmNewFile>([](frmNewFile* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    main->mnuFileNew_Click();
    EXPECT_EQ(untitled(), before + 1);
    EXPECT_EQ(main->activeDocument()->Caption(), "File " + QString::number(before + 1));
    EXPECT_EQ(main->activeDocument()->rtfText->Text(), "");
}

TEST_F(NewFileTest, CancelCreatesNothingAndLeavesTheCounter) {
    const int before = untitled();
    const auto open = DocumentRegistry.openDocuments().size();
    whenShown<frmNewFile>(
        [](frmNewFile* dialog) { QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton); });
    main->mnuFileNew_Click();
    whenShown<frmNewFile>([](frmNewFile* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    main->mnuFileNew_Click();
    EXPECT_EQ(untitled(), before);
    EXPECT_EQ(DocumentRegistry.openDocuments().size(), open);
}

TEST_F(NewFileTest, TemplateWithNoneSelectedOrUnreadableGivesAnEmptyDocument) {
    whenShown<frmNewFile>([](frmNewFile* dialog) {
        dialog->optTemplate->setChecked(true);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    main->mnuFileNew_Click();
    EXPECT_EQ(main->activeDocument()->rtfText->Text(), "");
    main->library->createFromTemplate("Gone");
    EXPECT_EQ(main->activeDocument()->rtfText->Text(), "");
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(NewFileTest, DoubleClickOnATemplateIsOk) {
    const int before = untitled();
    whenShown<frmNewFile>([](frmNewFile* dialog) {
        dialog->optTemplate->click();
        QListWidgetItem* memo = dialog->lstTemplates->findItems("Memo", Qt::MatchExactly)[0];
        const QPoint at = dialog->lstTemplates->visualItemRect(memo).center();
        QTest::mouseClick(dialog->lstTemplates->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dialog->lstTemplates->viewport(), Qt::LeftButton, {}, at);
    });
    main->mnuFileNew_Click();
    EXPECT_EQ(untitled(), before + 1);
    frmDocument* document = main->activeDocument();
    EXPECT_EQ(document->rtfText->Text(), "To:\r\nFrom:\r\n");
    EXPECT_TRUE(document->isUntitled());
    EXPECT_TRUE(document->Tag.isEmpty());
    EXPECT_FALSE(document->Changed);
}

TEST_F(NewFileTest, LetterHeadExportedComesBackColouredAndUnchanged) {
    frmDocument* source = main->activeDocument();
    source->rtfText->setText("int letter;\r\nDear reader,\r\n");
    const QString caption = source->Caption();
    inputs.queueAnswer("LetterHead");
    main->library->mnuFileExportTPL_Click();
    ASSERT_EQ(inputs.asked().size(), 1);
    EXPECT_EQ(inputs.asked()[0].title, "Save Template");
    EXPECT_EQ(inputs.asked()[0].prompt,
              "Please enter a descriptive name for your template. This name will appear on the "
              "'Templates' list on the New File dialog.");
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(QFileInfo::exists(userFile("TEMPLATE", "LetterHead")));
    EXPECT_EQ(source->Caption(), caption) << "the document itself is not renamed";
    EXPECT_TRUE(source->Changed);

    whenShown<frmNewFile>([](frmNewFile* dialog) {
        EXPECT_EQ(dialog->lstTemplates->findItems("LetterHead", Qt::MatchExactly).size(), 1);
        dialog->optTemplate->setChecked(true);
        dialog->lstTemplates->setCurrentItem(
            dialog->lstTemplates->findItems("LetterHead", Qt::MatchExactly)[0]);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    main->mnuFileNew_Click();
    frmDocument* copy = main->activeDocument();
    ASSERT_NE(copy, source);
    EXPECT_EQ(copy->rtfText->Text(), "int letter;\r\nDear reader,\r\n");
    EXPECT_TRUE(copy->isUntitled());
    EXPECT_FALSE(copy->Changed);
    EXPECT_FALSE(copy->ChangedHighLight);
    EXPECT_EQ(copy->rtfText->styleAt(0).colour, 0x0000FFu) << "keyword coloured";
    EXPECT_NE(copy->rtfText->styleAt(4).colour, 0x0000FFu);
}

TEST_F(NewFileTest, ExportUnderABadNameOrWithoutAFolderShowsTheErrorAndWritesNothing) {
    main->activeDocument()->rtfText->setText("text");
    inputs.queueAnswer("a*b");
    main->library->mnuFileExportTPL_Click();
    // The user's data folder is a file: no template folder can be made under it.
    setUserDataFolderOverride(scratch.write("blocked", "a file where the folder should be"));
    inputs.queueAnswer("Fine");
    main->library->mnuFileExportTPL_Click();
    ASSERT_EQ(boxes.asked().size(), 2u);
    for (const MsgBoxRequest& box : boxes.asked()) {
        EXPECT_TRUE(box.prompt.startsWith("There was an error saving the template.\r\n"));
        EXPECT_GT(box.prompt.size(), 42);
        EXPECT_EQ(box.title, "File I/O Error");
        EXPECT_EQ(box.buttons(), vbOKOnly);
    }
    EXPECT_FALSE(QFileInfo::exists(scratch.file("userdata/TEMPLATE")));
    EXPECT_FALSE(QFileInfo::exists(scratch.file("blocked/TEMPLATE")));
}

TEST_F(NewFileTest, ExportUnderAnExistingNameReplacesItAndCancelWritesNothing) {
    main->activeDocument()->rtfText->setText("new memo");
    inputs.queueAnswer("Memo");
    main->library->mnuFileExportTPL_Click();
    inputs.queueAnswer("");
    main->library->mnuFileExportTPL_Click();
    EXPECT_EQ(QDir(scratch.file("userdata/TEMPLATE")).entryList(QDir::Files),
              QStringList({"Memo"}));
    main->library->createFromTemplate("Memo");
    EXPECT_EQ(main->activeDocument()->rtfText->Text(), "new memo");
}

} // namespace
} // namespace kelvane::test
