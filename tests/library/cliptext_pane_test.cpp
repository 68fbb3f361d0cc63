// The cliptext pane and Export as ClipText Library, through the real main window.
#include "LibraryFixture.h"

#include <QLabel>
#include <QListWidget>

namespace kelvane::test {
namespace {

class ClipTextTest : public LibraryFixture {
protected:
    void SetUp() override {
        LibraryFixture::SetUp();
        ship("CLIPTEXT", "Tags", "<b>\r\n</b>\r\n\r\n<i>");
        ship("CLIPTEXT", "Empty", "");
        start();
        pane = main->clipPane;
        document = main->activeDocument();
        ASSERT_NE(document, nullptr);
    }
    void choose(const QString& library) {
        const auto found = pane->lstClipFiles->findItems(library, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << library.toStdString();
        QTest::mouseClick(pane->lstClipFiles->viewport(), Qt::LeftButton, {},
                          pane->lstClipFiles->visualItemRect(found.first()).center());
    }
    void doubleClickRow(int row) {
        const QRect rect = pane->lstClip->visualItemRect(pane->lstClip->item(row));
        // The first click of a double click presses the row.
        QTest::mouseClick(pane->lstClip->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(pane->lstClip->viewport(), Qt::LeftButton, {}, rect.center());
    }

    ClipTextPane* pane = nullptr;
    frmDocument* document = nullptr;
};

TEST_F(ClipTextTest, PaneListsTheLibrariesUnderItsLabel) {
    EXPECT_EQ(pane->lblClipFiles->text(), "Clip Text Libraries:");
    EXPECT_EQ(pane->lblClipFiles->buddy(), pane->lstClipFiles);
    EXPECT_EQ(rows(pane->lstClipFiles), QStringList({"Empty", "Tags"}));
    EXPECT_FALSE(pane->lstClipFiles->accessibleName().isEmpty());
    EXPECT_FALSE(pane->lstClip->accessibleName().isEmpty());
    EXPECT_TRUE(pane->isVisibleTo(main.get()));
}

TEST_F(ClipTextTest, ChoosingALibraryShowsItsLinesAndAnEmptyOneShowsNone) {
    choose("Tags");
    EXPECT_EQ(rows(pane->lstClip), QStringList({"<b>", "</b>", "", "<i>"}));
    choose("Empty");
    EXPECT_EQ(pane->lstClip->count(), 0);
    QTest::keyClick(pane->lstClipFiles, Qt::Key_Down); // the keyboard chooses too
    EXPECT_EQ(rows(pane->lstClip), QStringList({"<b>", "</b>", "", "<i>"}));
}

TEST_F(ClipTextTest, DoubleClickReplacesTheSelectionWithTheRowAndAddsNoLineBreak) {
    document->rtfText->setText("say hello world");
    document->rtfText->setSelStart(4);
    document->rtfText->setSelLength(5);
    document->Changed = false;
    choose("Tags");
    doubleClickRow(1);
    EXPECT_EQ(document->rtfText->Text(), "say </b> world");
    EXPECT_TRUE(document->Changed);
    QTest::keyClick(pane->lstClip, Qt::Key_Home);
    QTest::keyClick(pane->lstClip, Qt::Key_Return); // Enter inserts the current row
    EXPECT_EQ(document->rtfText->Text(), "say </b><b> world");
}

TEST_F(ClipTextTest, DoubleClickWithNoDocumentDoesNothing) {
    document->subWindow()->close();
    ASSERT_EQ(main->activeDocument(), nullptr);
    choose("Tags");
    doubleClickRow(0);
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(ClipTextTest, ExportWritesOneRowPerLineAndTheListShowsItAtOnce) {
    document->rtfText->setText("first\r\n\r\n\tthird\r\nlast");
    inputs.queueAnswer("Mine");
    main->library->mnuFileExportClip_Click();
    ASSERT_EQ(inputs.asked().size(), 1);
    EXPECT_EQ(inputs.asked()[0].title, "Save Cliptext");
    EXPECT_EQ(inputs.asked()[0].prompt,
              "Please enter a descriptive name for your cliptext library. This name will appear "
              "on the 'Cliptext Libraries' list on the main window.");
    EXPECT_EQ(inputs.asked()[0].defaultText, "");
    EXPECT_EQ(readAll(userFile("CLIPTEXT", "Mine")), "first\r\n\r\n\tthird\r\nlast");
    EXPECT_EQ(rows(pane->lstClipFiles), QStringList({"Empty", "Mine", "Tags"}));
    choose("Mine");
    EXPECT_EQ(rows(pane->lstClip), QStringList({"first", "", "\tthird", "last"}));
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(ClipTextTest, ExportUnderAnExistingNameReplacesItAndTheShownRows) {
    choose("Tags");
    document->rtfText->setText("replaced");
    inputs.queueAnswer("Tags");
    main->library->mnuFileExportClip_Click();
    EXPECT_EQ(readAll(userFile("CLIPTEXT", "Tags")), "replaced");
    EXPECT_EQ(rows(pane->lstClipFiles), QStringList({"Empty", "Tags"}));
    EXPECT_EQ(rows(pane->lstClip), QStringList({"replaced"}));
}

TEST_F(ClipTextTest, CancelledOrEmptyNameWritesNothing) {
    document->rtfText->setText("text");
    inputs.queueAnswer("");
    main->library->mnuFileExportClip_Click();
    EXPECT_FALSE(QDir(scratch.file("userdata/CLIPTEXT")).exists());
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(ClipTextTest, NameAFileCannotHoldShowsTheReasonAndWritesNothing) {
    document->rtfText->setText("text");
    inputs.queueAnswer("a*b");
    main->library->mnuFileExportClip_Click();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].title, "File I/O Error");
    EXPECT_EQ(boxes.asked()[0].buttons(), vbOKOnly);
    EXPECT_TRUE(boxes.asked()[0].prompt.contains('*'));
    EXPECT_TRUE(QDir(scratch.file("userdata/CLIPTEXT")).entryList(QDir::Files).isEmpty());
}

TEST_F(ClipTextTest, ExportWithNoDocumentAsksNothing) {
    document->subWindow()->close();
    main->library->mnuFileExportClip_Click();
    EXPECT_TRUE(inputs.asked().isEmpty());
}

} // namespace
} // namespace kelvane::test
