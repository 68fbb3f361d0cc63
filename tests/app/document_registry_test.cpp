// The table of open documents: slots, untitled numbers, tabs.
#include "AppFixture.h"

#include "platform/KeyedTabBar.h"

#include <QMdiSubWindow>

namespace kelvane::test {
namespace {

using DocumentRegistryTest = AppFixture;

TEST_F(DocumentRegistryTest, FreeIndexIsLowestFreeSlotAndTableGrowsByOne) {
    DocumentTable table;
    table.reset();
    EXPECT_EQ(table.FindFreeIndex(), 1);
    EXPECT_EQ(table.FindFreeIndex(), 2);
    EXPECT_EQ(table.FindFreeIndex(), 3);
    table.release(2);
    EXPECT_EQ(table.FindFreeIndex(), 2);
    EXPECT_EQ(table.upperBound(), 3);
    EXPECT_EQ(table.FindFreeIndex(), 4);
}

TEST(TabKeyTest, OnlyTheKeysOfSlotsNameASlot) {
    EXPECT_EQ(DocumentTable::slotOfTabKey(tabKeyOf(1)), 1);
    EXPECT_EQ(DocumentTable::slotOfTabKey(tabKeyOf(12)), 12);
    // Anything else names no slot, rather than slot 0 or a slot read from half the key.
    for (const char* key :
         {"", "Tab", "tab3", "Tab-3", "Tab 3", "Tab3a", "Tab+3", "File3", "Tab99999999999999"})
        EXPECT_EQ(DocumentTable::slotOfTabKey(QString::fromLatin1(key)), 0) << key;
}

TEST_F(DocumentRegistryTest, StartShowsOneUntitledDocument) {
    start();
    EXPECT_EQ(captions(), std::vector<QString>{"File 1"});
    ASSERT_NE(main->activeDocument(), nullptr);
    EXPECT_EQ(main->activeDocument()->FormIndex, 1);
    EXPECT_EQ(main->tabFiles->count(), 1);
    EXPECT_EQ(main->tabFiles->keyAt(0), "Tab1");
    EXPECT_FALSE(main->activeDocument()->Changed);
}

TEST_F(DocumentRegistryTest, ClosingFileOneThenNewReusesSlotOneWithRisingNumber) {
    start();
    NewDocument();
    NewDocument();
    frmDocument* first = DocumentRegistry.openDocument(1);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(first->subWindow()->close());
    frmDocument* fresh = NewDocument();
    EXPECT_EQ(fresh->FormIndex, 1);
    EXPECT_EQ(fresh->Caption(), "File 4");
    EXPECT_EQ(fresh->tabKey(), "Tab1");
    ASSERT_EQ(main->tabFiles->count(), 3);
    EXPECT_EQ(main->tabFiles->keyAt(2), "Tab1") << "the new tab stands last";
    EXPECT_EQ(main->activeDocument(), fresh);
}

TEST_F(DocumentRegistryTest, ClickingTabActivatesItsSlotsDocument) {
    start();
    NewDocument();
    frmDocument* third = NewDocument();
    DocumentRegistry.openDocument(2)->subWindow()->close();
    main->mdiArea->setActiveSubWindow(DocumentRegistry.openDocument(1)->subWindow());
    const int last = main->tabFiles->count() - 1;
    ASSERT_EQ(main->tabFiles->keyAt(last), "Tab3");
    emit main->tabFiles->tabBarClicked(last);
    EXPECT_EQ(main->activeDocument(), third);
    EXPECT_EQ(main->tabFiles->currentIndex(), last);
}

TEST_F(DocumentRegistryTest, ClosePromptCancelKeepsDocumentAndText) {
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("keep me");
    ASSERT_TRUE(document->Changed);
    boxes.answer(vbCancel);
    EXPECT_FALSE(document->subWindow()->close());
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].prompt,
              "Do you wish to save the changes you have made to the file File 1?");
    EXPECT_EQ(boxes.asked()[0].title, "Save Changes?");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbYesNoCancel);
    EXPECT_EQ(DocumentRegistry.openDocument(1), document);
    EXPECT_EQ(document->rtfText->Text(), "keep me");
}

TEST_F(DocumentRegistryTest, UnchangedDocumentClosesWithoutAskingAndFreesSlotAndTab) {
    start();
    frmDocument* document = main->activeDocument();
    EXPECT_TRUE(document->subWindow()->close());
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(DocumentRegistry.SlotFree[1]);
    EXPECT_EQ(main->tabFiles->count(), 0);
}

TEST_F(DocumentRegistryTest, YesWithCancelledSaveDialogKeepsTheDocument) {
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("unsaved work");
    boxes.answer(vbYes);
    dialogs.answerFile(std::nullopt);
    EXPECT_FALSE(document->subWindow()->close());
    EXPECT_EQ(DocumentRegistry.openDocument(1), document);
}

TEST_F(DocumentRegistryTest, MinimizeAllMinimizesEveryDocument) {
    start();
    NewDocument();
    main->mnuWindowMinAll_Click();
    for (frmDocument* document : DocumentRegistry.openDocuments())
        EXPECT_TRUE(document->subWindow()->isMinimized());
}

} // namespace
} // namespace kelvane::test
