// Tests of the help window and the program's help requests, on real widgets offscreen.
#include "platform/help/Help.h"
#include "platform/help/HelpWindow.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>
#include <gtest/gtest.h>

using namespace kelvane;

namespace {

const QString kHelpFile = QStringLiteral(KELVANE_RUNTIME_DIR "/KELVANE.HLP");

QString shownText(const HelpWindow* window) {
    return window->browser()->toPlainText();
}

bool activate(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Each test starts with no help window and the delivered help file set.
class HelpRequests : public ::testing::Test {
protected:
    void SetUp() override { setHelpFile(kHelpFile); }
    void TearDown() override {
        closeHelp();
        setHelpFile(QString());
    }
};

} // namespace

TEST_F(HelpRequests, NoHelpFileMeansNoRequestAndNoWindow) {
    setHelpFile(QString());
    EXPECT_EQ(helpFile(), QString());
    EXPECT_FALSE(ShowHelpContents(nullptr));
    EXPECT_FALSE(ShowHelpSearch(nullptr));
    EXPECT_FALSE(ShowHelpTopic(270));
    EXPECT_EQ(helpWindow(), nullptr);
}

TEST_F(HelpRequests, ContentsOpensOneWindowThatLaterRequestsReuse) {
    ASSERT_TRUE(ShowHelpContents(nullptr));
    HelpWindow* window = helpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentTopicId(), "contents");
    EXPECT_EQ(window->navigationTabs()->currentIndex(), 0);
    EXPECT_EQ(window->windowTitle(), "Kelvane Help") << "the contents page does not repeat it";
    EXPECT_GT(window->contentsTree()->topLevelItemCount(), 5);

    const std::pair<int, const char*> topics[] = {{40, "new-file"}, {90, "find"},
                                                  {100, "replace"}, {170, "compiler"},
                                                  {270, "options"}, {0, "page-setup"}};
    for (const auto& [context, id] : topics) {
        ASSERT_TRUE(ShowHelpTopic(context));
        EXPECT_EQ(helpWindow(), window) << context;
        EXPECT_EQ(window->currentTopicId(), id) << context;
        // The contents tree follows the topic on show.
        ASSERT_NE(window->contentsTree()->currentItem(), nullptr);
        EXPECT_EQ(window->contentsTree()->currentItem()->data(0, Qt::UserRole).toString(), id);
    }
    EXPECT_TRUE(shownText(window).contains("Margins") || shownText(window).contains("margins"));
    EXPECT_TRUE(window->windowTitle().endsWith("Page Setup"));
}

TEST_F(HelpRequests, TopicShowsTheDialogsOwnWords) {
    ASSERT_TRUE(ShowHelpTopic(40));
    const QString text = shownText(helpWindow());
    EXPECT_TRUE(text.startsWith("New File"));
    EXPECT_TRUE(text.contains("Create Blank File"));
    EXPECT_TRUE(text.contains("Use a Template:"));
}

TEST_F(HelpRequests, UnknownContextIsReportedInTheWindow) {
    ASSERT_TRUE(ShowHelpTopic(12345));
    HelpWindow* window = helpWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentTopicId(), QString());
    EXPECT_TRUE(shownText(window).contains("no topic with the context number 12345"));
}

TEST_F(HelpRequests, MissingOrDamagedFileIsReportedInTheWindow) {
    test::ScratchDir dir;
    setHelpFile(dir.file("KELVANE.HLP"));
    ASSERT_TRUE(ShowHelpContents(nullptr)); // a path is set: the window reports the problem
    EXPECT_TRUE(shownText(helpWindow()).contains("could not be opened"));
    EXPECT_TRUE(
        shownText(helpWindow()).contains(QDir::toNativeSeparators(dir.file("KELVANE.HLP"))) ||
        shownText(helpWindow()).contains(dir.file("KELVANE.HLP")));
    ASSERT_TRUE(ShowHelpTopic(90));
    EXPECT_TRUE(shownText(helpWindow()).contains("could not be opened"));
    EXPECT_EQ(helpWindow()->contentsTree()->topLevelItemCount(), 0);

    // Once a good file appears under that name, the next request uses it.
    dir.write("KELVANE.HLP", "KELVANE-HELP 1\n@@topic a\n@@title Alpha\n@@context 90\n<p>x</p>\n");
    ASSERT_TRUE(ShowHelpTopic(90));
    EXPECT_EQ(helpWindow()->currentTopicId(), "a");

    dir.write("KELVANE.HLP", QByteArray("\x00\x01garbage", 9));
    setHelpFile(dir.file("KELVANE.HLP") + "x"); // another path forces a reload
    ASSERT_TRUE(ShowHelpContents(nullptr));
    EXPECT_TRUE(shownText(helpWindow()).contains("could not be opened"));
}

TEST_F(HelpRequests, LinksBackAndForward) {
    ASSERT_TRUE(ShowHelpContents(nullptr));
    HelpWindow* window = helpWindow();
    emit window->browser()->anchorClicked(QUrl("topic:colouring"));
    EXPECT_EQ(window->currentTopicId(), "colouring");
    emit window->browser()->anchorClicked(QUrl("topic:options"));
    EXPECT_EQ(window->currentTopicId(), "options");
    EXPECT_TRUE(window->browser()->isBackwardAvailable());
    window->browser()->backward();
    EXPECT_EQ(window->currentTopicId(), "colouring");
    window->browser()->backward();
    EXPECT_EQ(window->currentTopicId(), "contents");
    window->browser()->forward();
    EXPECT_EQ(window->currentTopicId(), "colouring");
}

TEST_F(HelpRequests, SearchRequestFocusesAnEmptySearchField) {
    ASSERT_TRUE(ShowHelpSearch(nullptr));
    HelpWindow* window = helpWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(window->navigationTabs()->currentIndex(), 1);
    EXPECT_TRUE(window->searchField()->hasFocus());
    EXPECT_EQ(window->searchField()->text(), QString());

    QTest::keyClicks(window->searchField(), "Replace All");
    ASSERT_GT(window->searchResults()->count(), 0);
    EXPECT_EQ(window->searchResults()->item(0)->text(), "Replace");
    QTest::keyClick(window->searchField(), Qt::Key_Return);
    EXPECT_EQ(window->currentTopicId(), "replace");
    EXPECT_FALSE(window->browser()->extraSelections().isEmpty()); // the words are marked

    window->searchField()->clear();
    QTest::keyClicks(window->searchField(), "qqqq");
    ASSERT_EQ(window->searchResults()->count(), 1);
    EXPECT_EQ(window->searchResults()->item(0)->text(), "No topics found.");
    QTest::keyClick(window->searchField(), Qt::Key_Return); // nothing to open
    EXPECT_EQ(window->currentTopicId(), "replace");
}

TEST_F(HelpRequests, KeyboardOfTheHelpWindow) {
    ASSERT_TRUE(ShowHelpContents(nullptr));
    HelpWindow* window = helpWindow();
    ASSERT_TRUE(activate(window));
    QTest::keyClick(window, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(window->navigationTabs()->currentIndex(), 1);
    EXPECT_TRUE(window->searchField()->hasFocus());
    QTest::keyClick(window->searchField(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(window->navigationTabs()->currentIndex(), 0);
    EXPECT_TRUE(window->contentsTree()->hasFocus());

    // Down then Enter in the contents opens the next topic.
    QTest::keyClick(window->contentsTree(), Qt::Key_Down);
    QTest::keyClick(window->contentsTree(), Qt::Key_Return);
    EXPECT_EQ(window->currentTopicId(), "starting");
    QTest::keyClick(window->contentsTree(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(window->currentTopicId(), "contents");

    QTest::keyClick(window->searchField(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    // Closing only hides it: the next request brings the same window back.
    ASSERT_TRUE(ShowHelpTopic(90));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(helpWindow(), window);
}

TEST_F(HelpRequests, HelpWindowStaysUsableWhileTheAskingDialogIsModal) {
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    ASSERT_TRUE(activate(&dialog));
    ASSERT_TRUE(ShowHelpSearch(&dialog));
    HelpWindow* window = helpWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowHandle()->transientParent(), dialog.windowHandle());
    // Keys that go through the window system reach the help window despite the modal dialog.
    QTest::keyClick(window->windowHandle(), Qt::Key_F);
    QTest::keyClick(window->windowHandle(), Qt::Key_I);
    EXPECT_EQ(window->searchField()->text(), "fi");
}

TEST_F(HelpRequests, F1InADialogShowsItsTopic) {
    QDialog dialog;
    installContextHelp(&dialog, 100);
    EXPECT_EQ(helpContextOf(&dialog), 100);
    ASSERT_TRUE(activate(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->currentTopicId(), "replace");

    // Installing again replaces the number; one F1 shortcut remains.
    installContextHelp(&dialog, 270);
    ASSERT_TRUE(activate(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(helpWindow()->currentTopicId(), "options");
}

TEST_F(HelpRequests, F1DoesNothingWithoutContextOrHelpFile) {
    QDialog noContext;
    installContextHelp(&noContext, 0);
    EXPECT_EQ(helpContextOf(&noContext), 0);
    ASSERT_TRUE(activate(&noContext));
    QTest::keyClick(&noContext, Qt::Key_F1);
    EXPECT_EQ(helpWindow(), nullptr);

    QDialog withContext;
    installContextHelp(&withContext, 90);
    installContextHelp(&withContext, 0); // taking the number away removes F1 too
    ASSERT_TRUE(activate(&withContext));
    QTest::keyClick(&withContext, Qt::Key_F1);
    EXPECT_EQ(helpWindow(), nullptr);

    setHelpFile(QString());
    QDialog noFile;
    installContextHelp(&noFile, 90);
    ASSERT_TRUE(activate(&noFile));
    QTest::keyClick(&noFile, Qt::Key_F1);
    EXPECT_EQ(helpWindow(), nullptr);
}

TEST_F(HelpRequests, WindowDrawsTopicTextAndSavesAScreenshot) {
    ASSERT_TRUE(ShowHelpContents(nullptr));
    HelpWindow* window = helpWindow();
    window->resize(900, 620);
    window->showTopic("colouring");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QImage image = window->grab().toImage();
    // The topic view must hold drawn text: count dark pixels inside it.
    const QRect view(window->browser()->mapTo(window, QPoint(0, 0)), window->browser()->size());
    int dark = 0;
    for (int y = view.top(); y < view.bottom(); y += 2)
        for (int x = view.left(); x < view.right(); x += 2)
            dark += qGray(image.pixel(x, y)) < 96;
    EXPECT_GT(dark, 500);
    QDir().mkpath(KELVANE_RUNTIME_DIR "/../screenshots");
    EXPECT_TRUE(image.save(KELVANE_RUNTIME_DIR "/../screenshots/help-window.png"));
}
