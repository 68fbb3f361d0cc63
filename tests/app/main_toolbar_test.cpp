// The main toolbar: every button is the very action of its menu item (icon, tool tip and
// enabled state declared once on the command), keys compare exactly, unknown keys do nothing,
// and keys appear only with their commands.
#include "AppFixture.h"

#include "app/MainToolbar.h"
#include "app/Resources.h"
#include "library/frmNewFile.h"

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <memory>

namespace kelvane::test {
namespace {

/// The buttons left to right with the tool tips they show.
const std::pair<const char*, const char*> kToolTips[] = {
    {"New", "New"},
    {"Open", "Open"},
    {"Save", "Save"},
    {"SaveAll", "Save All"},
    {"Print", "Print"},
    {"Copy", "Copy"},
    {"Cut", "Cut"},
    {"Paste", "Paste"},
    {"Undo", "Undo"},
    {"Indent", "Indent Selection"},
    {"Unindent", "Unindent Selection"},
    {"CapAll", "Raise to Upper Case"},
    {"CapNone", "Change to Lower Case"},
    {"CapFirst", "Capitalize first letter"},
    {"Find", "Find"},
    {"Replace", "Replace"},
    {"ColorCode", "Color Code Entire Document"},
    {"Options", "Options"},
    {"Run", "Run Compiler"},
    {"ConfigCompiler", "Configure Compiler/Viewer"},
    {"DefaultViewer", "Show in Default Viewer"},
    {"Help", "Help Contents"},
};

bool menuShows(const QMenu* menu, const QAction* action) {
    for (const QAction* item : menu->actions()) {
        if (item == action)
            return true;
        if (item->menu() && menuShows(item->menu(), action))
            return true;
    }
    return false;
}

class MainToolbarTest : public AppFixture {
protected:
    MainToolbar* toolbar() const { return qobject_cast<MainToolbar*>(main->tbToolBar); }
    bool inMenuBar(const QAction* action) const {
        for (const QAction* top : main->menuBar()->actions())
            if (top->menu() && menuShows(top->menu(), action))
                return true;
        return false;
    }
};

TEST_F(MainToolbarTest, EveryButtonIsItsMenuItemsOwnActionWithTheButtonsToolTipAndIcon) {
    start();
    QStringList keys;
    for (const auto& [key, toolTip] : kToolTips)
        keys << key;
    ASSERT_EQ(toolbar()->keys(), keys);
    for (const ToolbarButtonInfo& info : toolbarButtons()) {
        QAction* command = main->command(QString::fromLatin1(info.command));
        ASSERT_NE(command, nullptr) << info.command;
        EXPECT_EQ(toolbar()->button(info.key), command) << info.key << " is not its command";
        EXPECT_TRUE(inMenuBar(command)) << info.command << " is on no menu";
        EXPECT_FALSE(command->icon().isNull()) << info.key;
        QWidget* widget = toolbar()->widgetForAction(command);
        ASSERT_NE(widget, nullptr) << info.key;
        EXPECT_EQ(widget->accessibleName(), command->toolTip());
    }
    for (const auto& [key, toolTip] : kToolTips)
        EXPECT_EQ(toolbar()->button(key)->toolTip(), toolTip) << key;
    // Each button runs the very action of its menu item; what the commands ask is answered by
    // closing it.
    const ModalCloser closer;
    for (const ToolbarButtonInfo& info : toolbarButtons()) {
        QSignalSpy spy(main->command(QString::fromLatin1(info.command)), &QAction::triggered);
        toolbar()->tbToolBar_ButtonClick(info.key);
        EXPECT_EQ(spy.size(), 1) << info.key;
    }
}

TEST_F(MainToolbarTest, KeysCompareExactlyAndUnknownKeysDoNothing) {
    start();
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;
    for (const ToolbarButtonInfo& info : toolbarButtons())
        spies[info.key] =
            std::make_unique<QSignalSpy>(toolbar()->button(info.key), &QAction::triggered);
    const auto total = [&spies] {
        int sum = 0;
        for (const auto& [key, spy] : spies)
            sum += int(spy->size());
        return sum;
    };
    for (const char* key : {"Bogus", "new", "", "Save ", "undo"})
        toolbar()->tbToolBar_ButtonClick(key);
    EXPECT_EQ(total(), 0);
    toolbar()->tbToolBar_ButtonClick("Undo");
    EXPECT_EQ(spies["Undo"]->size(), 1);
    EXPECT_EQ(total(), 1);
}

TEST_F(MainToolbarTest, WithoutADocumentMenuItemAndButtonAreDisabledAlike) {
    start();
    main->activeDocument()->subWindow()->close();
    QApplication::processEvents();
    ASSERT_EQ(main->activeDocument(), nullptr);
    for (const char* key : {"Save", "SaveAll", "Print", "Copy", "Cut", "Paste", "Undo", "Indent",
                            "CapFirst", "Find", "Replace", "ColorCode", "Run", "DefaultViewer"}) {
        QAction* button = toolbar()->button(key);
        EXPECT_FALSE(button->isEnabled()) << key;
        EXPECT_TRUE(inMenuBar(button)) << key;
    }
    for (const char* key : {"New", "Open", "Options", "ConfigCompiler", "Help"})
        EXPECT_TRUE(toolbar()->button(key)->isEnabled()) << key;
    QSignalSpy save(toolbar()->button("Save"), &QAction::triggered);
    toolbar()->tbToolBar_ButtonClick("Save");
    EXPECT_EQ(save.size(), 0);
    EXPECT_TRUE(dialogs.fileRequests().empty()) << "no save dialog without a document";

    // A click on New makes a document: the document's buttons and items come back.
    whenShown<frmNewFile>([](frmNewFile* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    QTest::mouseClick(toolbar()->widgetForAction(toolbar()->button("New")), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(main->command(u"mnuFileSave")->isEnabled());
    EXPECT_TRUE(toolbar()->button("Save")->isEnabled());
}

TEST(ToolbarRebuild, KeyAppearsOnlyOnceItsCommandExists) {
    QMainWindow window;
    std::map<QString, QAction*> commands;
    for (const ToolbarButtonInfo& info : toolbarButtons()) {
        if (QLatin1String(info.command) == QLatin1String("mnuFilePrint"))
            continue;
        commands[info.command] = new QAction(info.command, &window);
    }
    auto* toolbar = new MainToolbar(&window, [&commands](const QString& name) -> QAction* {
        const auto found = commands.find(name);
        return found == commands.end() ? nullptr : found->second;
    });
    window.addToolBar(toolbar);
    EXPECT_EQ(toolbar->button("Print"), nullptr);
    EXPECT_EQ(toolbar->keys().size(), 21);
    toolbar->tbToolBar_ButtonClick("Print"); // a missing command is not run

    commands["mnuFilePrint"] = new QAction("print", &window);
    QSignalSpy print(commands["mnuFilePrint"], &QAction::triggered);
    toolbar->Rebuild();
    EXPECT_EQ(toolbar->keys().indexOf("Print"), 4);
    EXPECT_EQ(toolbar->keys().size(), 22) << "rebuilding adds no button twice";
    toolbar->tbToolBar_ButtonClick("Print");
    EXPECT_EQ(print.size(), 1);
}

TEST_F(MainToolbarTest, EveryButtonIconDrawsSomething) {
    start();
    for (const ToolbarButtonInfo& info : toolbarButtons()) {
        const QImage image = toolbar()->button(info.key)->icon().pixmap(16, 16).toImage();
        ASSERT_FALSE(image.isNull()) << info.key;
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(drawn, 20) << info.key;
    }
}

} // namespace
} // namespace kelvane::test
