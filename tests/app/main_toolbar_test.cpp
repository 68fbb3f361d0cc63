// The main toolbar over a command table of spied actions: every key runs its command, unknown
// keys do nothing, keys appear only with their commands, and every button can be named.
#include "app/MainToolbar.h"
#include "app/Resources.h"

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace kelvane {
namespace {

const QStringList kKeys = {"New",           "Open",      "Save",    "SaveAll",  "Print",
                           "Copy",          "Cut",       "Paste",   "Undo",     "Indent",
                           "Unindent",      "CapAll",    "CapNone", "CapFirst", "Find",
                           "Replace",       "ColorCode", "Options", "Run",      "ConfigCompiler",
                           "DefaultViewer", "Help"};

/// A command table of plain actions, one per command name, each with a spy.
class ToolbarTest : public testing::Test {
protected:
    void SetUp() override {
        loadResources();
        for (const ToolbarButtonInfo& info : toolbarButtons())
            addCommand(info.command);
    }
    void addCommand(const QString& name) {
        auto* action = new QAction(name, &window);
        action->setObjectName(name);
        commands[name] = action;
        spies[name] = std::make_unique<QSignalSpy>(action, &QAction::triggered);
    }
    MainToolbar* makeToolbar() {
        auto* toolbar = new MainToolbar(&window, [this](const QString& name) -> QAction* {
            const auto found = commands.find(name);
            return found == commands.end() ? nullptr : found->second;
        });
        window.addToolBar(toolbar);
        window.show();
        return toolbar;
    }
    int triggeredTotal() const {
        int total = 0;
        for (const auto& [name, spy] : spies)
            total += int(spy->size());
        return total;
    }
    QMainWindow window;
    std::map<QString, QAction*> commands;
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;
};

TEST_F(ToolbarTest, ShowsTheTwentyTwoButtonsInOrderWithToolTipsAndNames) {
    MainToolbar* toolbar = makeToolbar();
    EXPECT_EQ(toolbar->keys(), kKeys);
    for (const ToolbarButtonInfo& info : toolbarButtons()) {
        QAction* button = toolbar->button(info.key);
        ASSERT_NE(button, nullptr) << info.key;
        EXPECT_EQ(button->toolTip(), info.toolTip);
        QWidget* widget = toolbar->widgetForAction(button);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->accessibleName(), info.toolTip);
        EXPECT_FALSE(button->icon().isNull()) << info.key;
    }
    EXPECT_EQ(toolbar->button("CapAll")->toolTip(), "Raise to Upper Case");
    EXPECT_EQ(toolbar->button("ColorCode")->toolTip(), "Color Code Entire Document");
}

TEST_F(ToolbarTest, ClickingEachButtonRunsExactlyItsCommand) {
    MainToolbar* toolbar = makeToolbar();
    for (const ToolbarButtonInfo& info : toolbarButtons()) {
        const int before = triggeredTotal();
        QTest::mouseClick(toolbar->widgetForAction(toolbar->button(info.key)), Qt::LeftButton);
        EXPECT_EQ(spies[info.command]->size(), 1) << info.key << " runs " << info.command;
        EXPECT_EQ(triggeredTotal(), before + 1) << info.key << " runs one command";
    }
}

TEST_F(ToolbarTest, KeysCompareExactlyAndUnknownKeysDoNothing) {
    MainToolbar* toolbar = makeToolbar();
    toolbar->tbToolBar_ButtonClick("Bogus");
    toolbar->tbToolBar_ButtonClick("new");
    toolbar->tbToolBar_ButtonClick("");
    toolbar->tbToolBar_ButtonClick("Save ");
    EXPECT_EQ(triggeredTotal(), 0);
    toolbar->tbToolBar_ButtonClick("Replace");
    EXPECT_EQ(spies["mnuSearchReplace"]->size(), 1);
}

TEST_F(ToolbarTest, KeyAppearsOnlyOnceItsCommandExists) {
    commands.erase("mnuFilePrint");
    commands.erase("mnuAdvancedRunCompiler");
    MainToolbar* toolbar = makeToolbar();
    EXPECT_EQ(toolbar->button("Print"), nullptr);
    EXPECT_EQ(toolbar->keys().size(), 20);
    toolbar->tbToolBar_ButtonClick("Print"); // a missing command is not run
    EXPECT_EQ(triggeredTotal(), 0);

    addCommand("mnuFilePrint");
    toolbar->Rebuild();
    EXPECT_EQ(toolbar->keys().indexOf("Print"), 4);
    toolbar->tbToolBar_ButtonClick("Print");
    EXPECT_EQ(spies["mnuFilePrint"]->size(), 1);
}

TEST_F(ToolbarTest, WithoutADocumentTheDocumentButtonsLookDisabledAndDoNothing) {
    MainToolbar* toolbar = makeToolbar();
    toolbar->setDocumentOpen(false);
    for (const char* key : {"Save", "Copy", "Indent", "Find", "ColorCode", "Run"})
        EXPECT_FALSE(toolbar->button(key)->isEnabled()) << key;
    for (const char* key : {"New", "Open", "Options", "ConfigCompiler", "Help"})
        EXPECT_TRUE(toolbar->button(key)->isEnabled()) << key;
    toolbar->tbToolBar_ButtonClick("Save");
    EXPECT_EQ(spies["mnuFileSave"]->size(), 0);
    toolbar->tbToolBar_ButtonClick("New");
    EXPECT_EQ(spies["mnuFileNew"]->size(), 1);

    toolbar->Rebuild(); // a rebuilt toolbar keeps the look
    EXPECT_FALSE(toolbar->button("Save")->isEnabled());
    toolbar->setDocumentOpen(true);
    EXPECT_TRUE(toolbar->button("Save")->isEnabled());
}

TEST(ToolbarIcons, EveryFallbackIconDrawsSomething) {
    loadResources();
    for (const ToolbarButtonInfo& info : toolbarButtons()) {
        const QIcon icon(QStringLiteral(":/icons/toolbar/%1.svg").arg(info.iconFile));
        const QImage image = icon.pixmap(16, 16).toImage();
        ASSERT_FALSE(image.isNull()) << info.iconFile;
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(drawn, 20) << info.iconFile;
    }
}

} // namespace
} // namespace kelvane
