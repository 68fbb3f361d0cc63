// The Edit, Search and Format menus: their place, captions and shortcuts, and that each item
// runs its command.
#include "commands/DocumentFixture.h"
#include "support/MenuItems.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace kelvane::test {
namespace {

using CommandMenusTest = DocumentFixture;

QAction* itemOf(const QMenu* menu, const QString& caption) {
    for (QAction* action : menu->actions())
        if (action->text() == caption)
            return action;
    return nullptr;
}

TEST_F(CommandMenusTest, MenusStandInTheMenuTreesOrder) {
    QStringList titles;
    for (QAction* action : main->menuBar()->actions())
        titles << action->text();
    const qsizetype file = titles.indexOf("&File");
    ASSERT_GE(file, 0);
    EXPECT_EQ(titles.mid(file, 5), (QStringList{"&File", "&Edit", "&Search", "&Format", "&View"}));
}

TEST_F(CommandMenusTest, ItemsHaveTheirCaptionsAndShortcuts) {
    EXPECT_EQ(
        menuItems(main->mnuEdit),
        (QStringList{"&Undo [Alt+Backspace]", "-", "Cu&t [Shift+Del]", "&Copy [Ctrl+Ins]",
                     "&Paste [Shift+Ins]", "Paste as &New Document", "-", "Select All [Ctrl+A]"}));
    EXPECT_EQ(menuItems(main->mnuSearch),
              (QStringList{"&Find... [Ctrl+F]", "Find &Next [F3]", "&Replace... [Ctrl+R]", "-",
                           "Extended Find", "Extended Replace", "-", "&Word Count", "-",
                           "&Go to Line", "Go to Character"}));
    EXPECT_EQ(menuItems(main->mnuFormat),
              (QStringList{"Tabs to Spaces...", "-", "Indent Selection [Ctrl+I]",
                           "Unindent Selection [Ctrl+U]", "-", "To Upper Case", "To Lower Case",
                           "Capitalize First Letter", "-", "Trim Trailing Spaces",
                           "Trim Preceding Spaces", "Trim Spaces [Ctrl+T]"}));
}

TEST_F(CommandMenusTest, MenuItemsAndShortcutsRunTheirCommands) {
    load("  x  ", 0, 5);
    itemOf(main->mnuFormat, "Trim Spaces")->trigger();
    EXPECT_EQ(box->Text(), "x");
    itemOf(main->mnuEdit, "&Undo")->trigger();
    EXPECT_EQ(box->Text(), "  x  ");

    box->SetFocus();
    select(0, 0);
    QTest::keyClick(box->view(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "      x  ");
    QTest::keyClick(box->view(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "  x  ");
    select(0, 5);
    QTest::keyClick(box->view(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "x");

    load("ab ab", 0, 2);
    QTest::keyClick(box->view(), Qt::Key_F3);
    EXPECT_EQ(box->SelStart(), 3);

    itemOf(main->mnuSearch, "&Word Count")->trigger();
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].title, "Word Count");
}

TEST_F(CommandMenusTest, RightClickInTheDocumentPopsUpTheEditMenu) {
    bool shown = false;
    QObject::connect(main->mnuEdit, &QMenu::aboutToShow, [&] {
        shown = true;
        QTimer::singleShot(0, main->mnuEdit, &QMenu::close);
    });
    QTest::mouseClick(box->view()->viewport(), Qt::RightButton);
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace kelvane::test
