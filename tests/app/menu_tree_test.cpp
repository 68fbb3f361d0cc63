// The declared menu tables: every name they hold is a command of the command table and stands
// in its menu, in the declared order.
#include "AppFixture.h"

#include "app/MenuTree.h"

#include <QAction>
#include <QMenu>

#include <span>

namespace kelvane::test {
namespace {

using MenuTreeTest = AppFixture;

/// The commands a menu shows, separators and submenus left out.
std::vector<QAction*> commandsOf(const QMenu* menu) {
    std::vector<QAction*> shown;
    for (QAction* item : menu->actions())
        if (!item->isSeparator() && !item->menu() && !item->objectName().isEmpty())
            shown.push_back(item);
    return shown;
}

TEST_F(MenuTreeTest, EveryDeclaredNameIsACommandShownInItsMenuInOrder) {
    start();
    const struct {
        const char* menu;
        QMenu* shown;
        std::span<const char* const> names;
    } menus[] = {{"File", main->mnuFile, kFileMenuHead},
                 {"File", main->mnuFile, kFileMenuTail},
                 {"Preferences", main->mnuFilePreferences, kPreferencesMenu},
                 {"Advanced", main->mnuAdvanced, kAdvancedMenu}};
    for (const auto& menu : menus) {
        const std::vector<QAction*> shown = commandsOf(menu.shown);
        qsizetype previous = -1;
        for (const char* name : menu.names) {
            if (QLatin1String(name) == QLatin1String("-"))
                continue;
            QAction* command = main->command(QString::fromLatin1(name));
            ASSERT_NE(command, nullptr) << menu.menu << " names " << name << ", no command";
            const auto at = std::find(shown.begin(), shown.end(), command);
            ASSERT_NE(at, shown.end()) << name << " is missing from " << menu.menu;
            EXPECT_GT(at - shown.begin(), previous) << name << " out of order in " << menu.menu;
            previous = at - shown.begin();
        }
    }
}

} // namespace
} // namespace kelvane::test
