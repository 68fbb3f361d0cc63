// The command table: each command declared once as an action, the menu built from them.
#include "platform/CommandGroup.h"
#include "support/MenuItems.h"

#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kelvane;
using kelvane::test::menuItems;

namespace {

class SampleCommands : public CommandGroup {
public:
    explicit SampleCommands(QWidget* parent) : CommandGroup(QStringLiteral("&Sample"), parent) {
        add({"mnuSampleOne", QStringLiteral("&One"), QKeySequence(Qt::CTRL | Qt::Key_1),
             QStringLiteral("kelvane"), QStringLiteral("Runs one")},
            [this] { runs << "one"; });
        addSeparator();
        add({"mnuSampleTwo", QStringLiteral("&Two")}, [this] { runs << "two"; });
        addUnlisted({"mnuSampleHidden", QStringLiteral("&Hidden")}, [this] { runs << "hidden"; });
        QMenu* more = addSubmenu(QStringLiteral("More"));
        more->addAction(QStringLiteral("Inside"));
    }
    QStringList runs;
};

} // namespace

TEST(CommandGroup, DeclaresEachCommandOnceAndBuildsItsMenu) {
    QWidget window;
    SampleCommands group(&window);

    EXPECT_EQ(group.menu()->title(), "&Sample");
    EXPECT_EQ(menuItems(group.menu(), false), (QStringList{"&One", "-", "&Two", "More"}));
    ASSERT_EQ(group.actions().size(), 3);

    QAction* one = group.action(u"mnuSampleOne");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->text(), "&One");
    EXPECT_EQ(one->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_1));
    EXPECT_EQ(one->toolTip(), "Runs one");
    EXPECT_EQ(group.menu()->actions().first(), one) << "the menu shows the very same action";
    EXPECT_EQ(group.action(u"mnuSampleNone"), nullptr);
}

TEST(CommandGroup, TriggeringAnActionRunsItsHandler) {
    QWidget window;
    SampleCommands group(&window);
    group.action(u"mnuSampleTwo")->trigger();
    group.action(u"mnuSampleHidden")->trigger();
    group.action(u"mnuSampleOne")->trigger();
    EXPECT_EQ(group.runs, (QStringList{"two", "hidden", "one"}));
}
