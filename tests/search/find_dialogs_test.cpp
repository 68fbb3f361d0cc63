// Find, Extended Find and the menu's Find Next on a real document, the dialogs driven with
// their buttons.
#include "commands/DocumentFixture.h"

#include "platform/help/Help.h"
#include "search/DocumentSearch.h"
#include "search/FindDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace kelvane::test {
namespace {

class FindDialogsTest : public DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        SearchStart = 0;
    }
    /// The 1-based start and the length of the selection.
    std::pair<qsizetype, qsizetype> selection() const {
        return {box->SelStart() + 1, box->SelLength()};
    }
};

using Selection = std::pair<qsizetype, qsizetype>;

TEST_F(FindDialogsTest, FindThenFindNextWalksOverlappingMatchesUntilNotFound) {
    load("aaaa");
    frmFind dialog(*main, main.get());
    dialog.cboFind->setEditText("aa");
    QTest::mouseClick(dialog.cmdFind, Qt::LeftButton);
    EXPECT_EQ(selection(), Selection(1, 2));
    QTest::mouseClick(dialog.cmdFindNext, Qt::LeftButton);
    EXPECT_EQ(selection(), Selection(2, 2));
    QTest::mouseClick(dialog.cmdFindNext, Qt::LeftButton);
    EXPECT_EQ(selection(), Selection(3, 2));
    EXPECT_TRUE(prompts().isEmpty());
    QTest::mouseClick(dialog.cmdFindNext, Qt::LeftButton);
    EXPECT_EQ(prompts(), QStringList{"Search Text not found."});
    EXPECT_EQ(boxes.asked()[0].title, kAppTitle) << "the program title";
    QTest::mouseClick(dialog.cmdFindNext, Qt::LeftButton);
    EXPECT_EQ(prompts().size(), 2) << "the same message until Find starts over";
    EXPECT_EQ(SearchStart, 4);
}

TEST_F(FindDialogsTest, CaseSensitiveBoxChoosesTheComparison) {
    load("xx abc");
    frmFind dialog(*main, main.get());
    dialog.cboFind->setEditText("ABC");
    QTest::mouseClick(dialog.cmdFind, Qt::LeftButton);
    EXPECT_EQ(selection(), Selection(4, 3));
    dialog.chkCaseSensitive->setChecked(true);
    select(0, 0);
    QTest::mouseClick(dialog.cmdFind, Qt::LeftButton);
    EXPECT_EQ(prompts(), QStringList{"Search Text not found."});
    EXPECT_EQ(selection(), Selection(1, 0));
}

TEST_F(FindDialogsTest, FindKeepsEveryTextSearchedInTheHistory) {
    load("one two");
    frmFind dialog(*main, main.get());
    for (const char* text : {"one", "two", "one"}) {
        dialog.cboFind->setEditText(text);
        QTest::mouseClick(dialog.cmdFind, Qt::LeftButton);
    }
    ASSERT_EQ(dialog.cboFind->count(), 3);
    EXPECT_EQ(dialog.cboFind->itemText(0), "one");
    EXPECT_EQ(dialog.cboFind->itemText(1), "two");
    EXPECT_EQ(dialog.cboFind->itemText(2), "one");
    EXPECT_EQ(dialog.cboFind->currentText(), "one");
}

TEST_F(FindDialogsTest, FindDialogIsKeptBetweenUsesAndCarriesHelpContext90) {
    load("abc abc");
    QPointer<frmFind> first;
    whenShown<frmFind>([&first](frmFind* dialog) {
        first = dialog;
        EXPECT_EQ(dialog->windowTitle(), "Find");
        EXPECT_EQ(dialog->Label1->text(), "Text to Find");
        EXPECT_EQ(helpContextOf(dialog), 90);
        dialog->cboFind->setEditText("abc");
        dialog->chkCaseSensitive->setChecked(true);
        QTest::mouseClick(dialog->cmdFind, Qt::LeftButton);
        QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    });
    main->searchCommands->mnuSearchFind_Click();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(selection(), Selection(1, 3));
    whenShown<frmFind>([&first](frmFind* dialog) {
        EXPECT_EQ(dialog, first.data());
        EXPECT_EQ(dialog->cboFind->currentText(), "abc");
        EXPECT_TRUE(dialog->chkCaseSensitive->isChecked());
        EXPECT_EQ(dialog->cboFind->count(), 1);
        QTest::mouseClick(dialog->cmdFindNext, Qt::LeftButton);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    main->searchCommands->mnuSearchFind_Click();
    EXPECT_EQ(selection(), Selection(5, 3));
}

TEST(FindDialogPlace, CentredAFifthOfTheWidthDownFromTheScreensOwnCorner) {
    EXPECT_EQ(findDialogPlace(QRect(0, 0, 1280, 800), QSize(300, 100)), QPoint(490, 256));
    EXPECT_EQ(findDialogPlace(QRect(1280, 0, 1920, 1080), QSize(300, 100)), QPoint(2090, 384));
    EXPECT_EQ(findDialogPlace(QRect(-1024, -768, 1024, 768), QSize(200, 100)), QPoint(-612, -564));
}

// Run with two screens (the search.two_screens test); skipped on one.
TEST_F(FindDialogsTest, SecondScreenFindDialogOpensOnTheScreenOfTheMainWindow) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        GTEST_SKIP() << "needs a second screen";
    QScreen* second = screens[1];
    main->setScreen(second);
    main->move(second->geometry().topLeft() + QPoint(40, 40));
    QApplication::processEvents();
    ASSERT_EQ(main->screen(), second);
    load("abc");
    QRect placed;
    whenShown<frmFind>([&placed](frmFind* dialog) {
        placed = dialog->frameGeometry();
        QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    });
    main->searchCommands->mnuSearchFind_Click();
    EXPECT_TRUE(second->geometry().contains(placed.topLeft())) << placed.x() << "," << placed.y();
    EXPECT_EQ(placed.y(), second->geometry().y() + second->geometry().width() / 5);
}

TEST_F(FindDialogsTest, ExtendedFindMatchesAcrossALineBreakAndIsUnloadedOnClose) {
    load("first line\r\nsecond line");
    QPointer<frmFindEx> shown;
    whenShown<frmFindEx>([&shown](frmFindEx* dialog) {
        shown = dialog;
        EXPECT_EQ(dialog->windowTitle(), "Extended Find");
        EXPECT_EQ(dialog->Label1->text(), "Extended Text to Find");
        EXPECT_EQ(helpContextOf(dialog), 90);
        dialog->txtFind->setPlainText("line\nsecond");
        QTest::mouseClick(dialog->cmdFind, Qt::LeftButton);
        QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    });
    main->searchCommands->mnuSearchFindEx_Click();
    EXPECT_EQ(selection(), Selection(7, 12)) << "the break counts as CR LF";
    EXPECT_EQ(box->SelText(), "line\r\nsecond");
    EXPECT_EQ(SearchStart, 8);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shown) << "its text is lost";
}

TEST_F(FindDialogsTest, FindNextAfterAMatchThatBeginsWithALineBreakMovesOn) {
    load("a\r\nb\r\nb");
    frmFindEx dialog(*main, main.get());
    dialog.txtFind->setPlainText("\nb");
    QTest::mouseClick(dialog.cmdFind, Qt::LeftButton);
    EXPECT_EQ(selection(), Selection(2, 3));
    QTest::mouseClick(dialog.cmdFindNext, Qt::LeftButton);
    EXPECT_EQ(selection(), Selection(5, 3));
    QTest::mouseClick(dialog.cmdFindNext, Qt::LeftButton);
    EXPECT_EQ(prompts(), QStringList{"Search Text not found."});
}

TEST_F(FindDialogsTest, MenuFindNextIgnoresCaseAndStartsAtTheSecondSelectedCharacter) {
    load("abcABCabc", 0, 3);
    main->searchCommands->mnuSearchFindNext_Click();
    EXPECT_EQ(selection(), Selection(4, 3));
    EXPECT_EQ(SearchStart, 5);
    select(6, 3);
    main->searchCommands->mnuSearchFindNext_Click();
    EXPECT_EQ(selection(), Selection(7, 3)) << "nothing further: the selection stays";
    EXPECT_EQ(SearchStart, 1);
    EXPECT_TRUE(prompts().isEmpty()) << "the menu's Find Next is silent";
    select(2, 0);
    main->searchCommands->mnuSearchFindNext_Click();
    EXPECT_EQ(selection(), Selection(3, 0)) << "an empty selection finds nothing";
}

TEST_F(FindDialogsTest, SearchCommandsDoNothingWithoutADocument) {
    document->subWindow()->close();
    main->searchCommands->mnuSearchFind_Click(); // would block if a dialog opened
    main->searchCommands->mnuSearchFindEx_Click();
    main->searchCommands->mnuSearchReplace_Click();
    main->searchCommands->mnuSearchReplaceEx_Click();
    main->searchCommands->mnuSearchFindNext_Click();
    main->searchCommands->mnuSearchGotoLine_Click();
    main->searchCommands->mnuSearchGotoChar_Click();
    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_TRUE(inputs.asked().isEmpty());
}

} // namespace
} // namespace kelvane::test
