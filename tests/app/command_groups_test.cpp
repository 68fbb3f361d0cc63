// The command table as the main window shows it: no group builds a menu that is not on the menu
// bar, every command stands somewhere a person can reach it, and the Window group's generated
// list follows the open windows.
#include "AppFixture.h"

#include "platform/CommandGroup.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace kelvane::test {
namespace {

using CommandGroupsTest = AppFixture;

void collect(const QMenu* menu, QList<const QMenu*>& menus, QList<const QAction*>& items) {
    menus << menu;
    for (const QAction* item : menu->actions()) {
        items << item;
        if (item->menu())
            collect(item->menu(), menus, items);
    }
}

TEST_F(CommandGroupsTest, EveryGroupMenuIsShownAndEveryCommandIsOnAMenu) {
    start();
    QList<const QMenu*> menus;
    QList<const QAction*> items;
    for (const QAction* top : main->menuBar()->actions())
        if (top->menu())
            collect(top->menu(), menus, items);
    const QList<CommandGroup*> groups = main->findChildren<CommandGroup*>();
    ASSERT_GE(groups.size(), 12);
    for (const CommandGroup* group : groups) {
        if (group->menu()) {
            EXPECT_TRUE(menus.contains(group->menu()))
                << group->metaObject()->className()
                << " builds a menu nobody shows: " << group->menu()->title().toStdString();
        }
        for (const QAction* command : group->actions())
            EXPECT_TRUE(items.contains(command))
                << command->objectName().toStdString() << " is on no menu";
    }
}

TEST_F(CommandGroupsTest, WindowListIsRebuiltEachTimeTheMenuOpens) {
    start();
    main->newDocument();
    main->newDocument();
    const auto listed = [this] {
        emit main->mnuWindow->aboutToShow();
        QStringList texts;
        for (const QAction* item : main->mnuWindow->actions())
            if (item->isCheckable())
                texts << item->text() + (item->isChecked() ? "*" : "");
        return texts;
    };
    EXPECT_EQ(listed(), (QStringList{"&1 File 1", "&2 File 2", "&3 File 3*"}));

    // The first item brings its window forward; the list then checks it instead.
    for (QAction* item : main->mnuWindow->actions())
        if (item->text() == "&1 File 1")
            item->trigger();
    ASSERT_EQ(main->activeDocument()->Caption(), "File 1");
    main->activeDocument()->subWindow()->close();
    const QString active = main->activeDocument()->Caption();
    const QStringList after = listed();
    EXPECT_EQ(after.size(), 2) << "a closed window leaves the list, and the list is never doubled";
    EXPECT_TRUE(after.contains("&1 File 2" + QString(active == "File 2" ? "*" : "")));
    EXPECT_TRUE(after.contains("&2 File 3" + QString(active == "File 3" ? "*" : "")));
}

} // namespace
} // namespace kelvane::test
