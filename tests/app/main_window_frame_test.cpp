// The main window's frame through its real widgets: the menu tree, the View toggles, the
// Window menu and the open-files strip, the side panes in their splitters and the toolbar.
#include "app/AppFixture.h"
#include "support/MenuItems.h"

#include "app/MainToolbar.h"
#include "library/ClipTextPane.h"
#include "library/FileBrowserPane.h"
#include "platform/KeyedTabBar.h"
#include "platform/PanelStatusBar.h"
#include "platform/Twips.h"
#include "splitter/BarDrag.h"
#include "splitter/Splitter.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace kelvane::test {
namespace {

/// One item of the menu tree: command name, caption and shortcut; "-" for a separator.
struct TreeItem {
    const char* command;
    const char* caption;
    const char* shortcut;
};

const TreeItem kSeparator{"-", "-", ""};

// clang-format off
const std::vector<std::pair<QString, std::vector<TreeItem>>> kMenuTree = {
    {"&File", {
        {"mnuFileNew", "&New...", "Ctrl+N"}, {"mnuFileOpen", "&Open...", "Ctrl+O"},
        {"mnuFileOpenImage", "&Open Image...", ""}, {"mnuFileClose", "&Close", ""}, kSeparator,
        {"mnuFileSave", "&Save", "Ctrl+S"}, {"mnuFileSaveAs", "Save &As...", ""},
        {"mnuFileSaveAll", "Sa&ve All", ""}, {"mnuFileReload", "&Reload", ""}, kSeparator,
        {"mnuFilePrint", "&Print...", "Ctrl+P"}, {"mnuFilePrinterSetup", "Printer Setup...", ""},
        {"mnuFilePageSetup", "Page Setup...", ""}, kSeparator,
        {"mnuFileExportRTF", "Export as RTF...", ""},
        {"mnuFileExportClip", "Export as ClipText Library...", ""},
        {"mnuFileExportTPL", "Export as Template...", ""}, kSeparator,
        {"Preferences", "Preferences", ""}, kSeparator,
        {"mnuFileExit", "E&xit", "Ctrl+X"}}},
    {"&Edit", {
        {"mnuEditUndo", "&Undo", "Alt+Backspace"}, kSeparator,
        {"mnuEditCut", "Cu&t", "Shift+Del"}, {"mnuEditCopy", "&Copy", "Ctrl+Ins"},
        {"mnuEditPaste", "&Paste", "Shift+Ins"},
        {"mnuEditPasteNew", "Paste as &New Document", ""}, kSeparator,
        {"mnuEditSelectAll", "Select All", "Ctrl+A"}}},
    {"&Search", {
        {"mnuSearchFind", "&Find...", "Ctrl+F"}, {"mnuSearchFindNext", "Find &Next", "F3"},
        {"mnuSearchReplace", "&Replace...", "Ctrl+R"}, kSeparator,
        {"mnuSearchFindEx", "Extended Find", ""}, {"mnuSearchReplaceEx", "Extended Replace", ""},
        kSeparator, {"mnuEditWordCount", "&Word Count", ""}, kSeparator,
        {"mnuSearchGotoLine", "&Go to Line", ""}, {"mnuSearchGotoChar", "Go to Character", ""}}},
    {"&Format", {
        {"mnuFormatTabsToSapces", "Tabs to Spaces...", ""}, kSeparator,
        {"mnuFormatIndent", "Indent Selection", "Ctrl+I"},
        {"mnuFormatUnindent", "Unindent Selection", "Ctrl+U"}, kSeparator,
        {"mnuFOrmatUpper", "To Upper Case", ""}, {"mnuFormatLower", "To Lower Case", ""},
        {"mnuFormatCapSentence", "Capitalize First Letter", ""}, kSeparator,
        {"mnuFormatTrimTrailing", "Trim Trailing Spaces", ""},
        {"mnuFormatTrimPreceding", "Trim Preceding Spaces", ""},
        {"mnuFOrmatTrim", "Trim Spaces", "Ctrl+T"}}},
    {"&View", {
        {"mnuViewToolbar", "&Toolbar", ""}, {"mnuViewStatusBar", "Status &Bar", ""},
        {"mnuViewBrowser", "&File Browser", ""}, {"mnuViewCliptext", "&Cliptext Browser", ""},
        kSeparator, {"mnuViewRefresh", "&Refresh", "F12"},
        {"mnuViewRefreshColors", "Refresh Color Coding", "F11"}}},
    {"&Advanced", {
        {"mnuAdvancedConfigure", "Configure Compiler/Viewer...", ""},
        {"mnuAdvancedRunCompiler", "&Run Compiler/Viewer...", "F5"}, kSeparator,
        {"mnuAdvancedSaveProject", "&Save Project/Workspace...", ""},
        {"mnuAdvancedRestoreProject", "R&estore Project/Workspace...", ""}, kSeparator,
        {"mnuAdvancedOpenViewer", "&Open in Default Viewer", "Ctrl+F5"}}},
    {"&Window", {
        {"mnuWindowNewWindow", "&New Window", ""}, kSeparator,
        {"mnuWindowCascade", "&Cascade", ""}, {"mnuWindowTileHorizontal", "Tile &Horizontal", ""},
        {"mnuWindowTileVertical", "Tile &Vertical", ""},
        {"mnuWindowArrangeIcons", "&Arrange Icons", ""}, kSeparator,
        {"mnuWindowMinAll", "&Minimize All Windows", ""}}},
    {"&Help", {
        {"mnuHelpContents", "&Contents", "F1"},
        {"mnuHelpSearchForHelpOn", "&Search For Help On...", ""}, kSeparator,
        {"mnuHelpAbout", "&About ", ""}, {"mnuHelpTipofDay", "&Tip of the Day", ""}}},
};

const std::vector<TreeItem> kPreferences = {
    {"mnuPrefsEditorSetup", "Editor Setup", "F4"},
    {"mnuPrefsCompilerSetup", "Compiler/Viewer Setup", ""},
    {"mnuPrefsAssocs", "File Associations", ""}};
// clang-format on

/// Drops separators that would stand first, last or next to another one.
QStringList collapseSeparators(const QStringList& items) {
    QStringList result;
    for (const QString& item : items) {
        if (item == "-" && (result.isEmpty() || result.last() == "-"))
            continue;
        result << item;
    }
    if (!result.isEmpty() && result.last() == "-")
        result.removeLast();
    return result;
}

class MainWindowFrameTest : public AppFixture {
protected:
    /// The items a menu shows: visible actions, separators collapsed as the menu draws them.
    static QStringList shownItems(const QMenu* menu) {
        QStringList items;
        for (const QAction* action : menu->actions())
            if (action->isVisible())
                items << menuItemText(action);
        return collapseSeparators(items);
    }
    /// The items the tree lists for a menu; every command it names must exist.
    QStringList expectedItems(const std::vector<TreeItem>& tree) {
        QStringList items;
        for (const TreeItem& item : tree) {
            if (QLatin1String(item.command) == "-") {
                items << "-";
            } else if (QLatin1String(item.command) == "Preferences") {
                items << "Preferences";
            } else {
                EXPECT_NE(main->command(QString::fromLatin1(item.command)), nullptr)
                    << "no command " << item.command;
                QString text = item.caption;
                if (*item.shortcut)
                    text += QStringLiteral(" [%1]").arg(item.shortcut);
                items << text;
            }
        }
        return collapseSeparators(items);
    }
    frmDocument* documentInSlot(int slot) { return DocumentRegistry.openDocument(slot); }
    void pressAndRelease(QWidget* widget, QPoint at) {
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        pressedAt = widget->pos();
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }
    QPoint pressedAt;
};

TEST_F(MainWindowFrameTest, MenuTreeShowsEveryItemInOrder) {
    start();
    QStringList titles;
    for (const QAction* action : main->menuBar()->actions())
        titles << action->text();
    QStringList treeTitles;
    for (const auto& [title, items] : kMenuTree)
        treeTitles << title;
    EXPECT_EQ(titles, treeTitles);

    const QList<QAction*> bar = main->menuBar()->actions();
    for (size_t i = 0; i < kMenuTree.size() && i < size_t(bar.size()); ++i) {
        const QMenu* menu = bar[qsizetype(i)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(shownItems(menu), expectedItems(kMenuTree[i].second))
            << kMenuTree[i].first.toStdString();
    }
    EXPECT_EQ(shownItems(main->mnuFilePreferences), expectedItems(kPreferences));
    // Every listed command is the very action its menu item shows.
    for (const auto& [title, items] : kMenuTree) {
        for (const TreeItem& item : items) {
            if (QAction* command = main->command(QString::fromLatin1(item.command))) {
                EXPECT_EQ(command->objectName(), item.command);
            }
        }
    }
}

TEST_F(MainWindowFrameTest, ViewTogglesShowWhatTheyCheck) {
    SaveSetting(kAppTitle, "Settings", "ToolBar", "False");
    start();
    ASSERT_TRUE(main->tbToolBar->isHidden());
    ASSERT_FALSE(main->mnuViewToolbar->isChecked());
    main->mnuViewToolbar->trigger();
    EXPECT_FALSE(main->tbToolBar->isHidden());
    EXPECT_TRUE(main->mnuViewToolbar->isChecked());

    for (QAction* toggle : {main->mnuViewStatusBar, main->mnuViewBrowser, main->mnuViewCliptext})
        toggle->trigger();
    EXPECT_TRUE(main->sbStatusBar->isHidden());
    EXPECT_TRUE(main->SplitterLeft->isHidden());
    EXPECT_TRUE(main->SplitterRight->isHidden());
    EXPECT_FALSE(main->mnuViewCliptext->isChecked());
}

TEST_F(MainWindowFrameTest, RightClickOnTheBarsOffersNoMenuOfTheirOwn) {
    start();
    // A menu that popped up would run its own loop: the watch notes it and closes it.
    QStringList offered;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&offered] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            for (const QAction* action : popup->actions())
                offered << action->text();
            popup->close();
        }
    });
    watch.start();
    for (QWidget* bar :
         {static_cast<QWidget*>(main->tbToolBar), static_cast<QWidget*>(main->menuBar())}) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                bar->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(bar, &click);
        QApplication::processEvents();
    }
    EXPECT_TRUE(offered.isEmpty()) << offered.join(", ").toStdString();
    EXPECT_FALSE(main->tbToolBar->isHidden());
    EXPECT_TRUE(main->mnuViewToolbar->isChecked());
}

TEST_F(MainWindowFrameTest, AmpersandInACaptionShowsAsWrittenInTheTabAndWindowMenu) {
    start();
    const QString path = scratch.write("R&D.txt", "notes\r\n");
    dialogs.answerFile(path);
    main->mnuFileOpen_Click();
    ASSERT_EQ(main->activeDocument()->Caption(), "R&D.txt");

    // What is shown, as a screen reader reads it: access-key marks are not part of it.
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(main->tabFiles);
    ASSERT_NE(strip, nullptr);
    QStringList tabs;
    for (int i = 0; i < strip->childCount(); ++i)
        tabs << strip->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(tabs.contains("R&D.txt")) << tabs.join(", ").toStdString();

    main->mnuWindow->popup(QPoint(0, 0));
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(main->mnuWindow);
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (int i = 0; i < menu->childCount(); ++i)
        items << menu->child(i)->text(QAccessible::Name);
    main->mnuWindow->hide();
    EXPECT_TRUE(items.contains("2 R&D.txt")) << items.join(", ").toStdString();
}

TEST_F(MainWindowFrameTest, TabClickAfterClosingSlotTwoActivatesSlotThree) {
    start();
    NewDocument();
    NewDocument();
    ASSERT_NE(documentInSlot(3), nullptr);
    documentInSlot(2)->subWindow()->close();
    QApplication::processEvents();
    ASSERT_EQ(documentInSlot(2), nullptr);
    main->mdiArea->setActiveSubWindow(documentInSlot(1)->subWindow());

    const int last = main->tabFiles->count() - 1;
    ASSERT_EQ(main->tabFiles->keyAt(last), "Tab3");
    QTest::mouseClick(main->tabFiles, Qt::LeftButton, {}, main->tabFiles->tabRect(last).center());
    EXPECT_EQ(main->activeDocument(), documentInSlot(3));
}

TEST_F(MainWindowFrameTest, MinimizeAllWithoutDocumentsDoesNothingAndWithThemMinimizesEach) {
    start();
    main->command(u"mnuFileClose")->trigger();
    ASSERT_TRUE(DocumentRegistry.openDocuments().empty());
    main->command(u"mnuWindowMinAll")->trigger();
    EXPECT_TRUE(main->mdiArea->subWindowList().isEmpty());

    NewDocument();
    NewDocument();
    main->command(u"mnuWindowMinAll")->trigger();
    for (frmDocument* document : DocumentRegistry.openDocuments())
        EXPECT_TRUE(document->subWindow()->isMinimized());
}

TEST_F(MainWindowFrameTest, OpenedFilesLabelLooksPressedThenShowsTheWindowMenu) {
    start();
    NewDocument(); // File 2, active
    QLabel* label = main->lblOpenFiles;
    EXPECT_EQ(label->pos(), QPoint(twipsToPixels(60), twipsToPixels(90)));
    pressAndRelease(label, QPoint(3, 3));
    EXPECT_EQ(pressedAt, QPoint(twipsToPixels(75), twipsToPixels(105)));
    EXPECT_EQ(label->pos(), QPoint(twipsToPixels(60), twipsToPixels(90)));
    ASSERT_TRUE(main->mnuWindow->isVisible());
    QStringList checked;
    QStringList listed;
    for (const QAction* action : main->mnuWindow->actions()) {
        if (action->text().startsWith("&1 ") || action->text().startsWith("&2 "))
            listed << action->text();
        if (action->isChecked())
            checked << action->text();
    }
    EXPECT_EQ(listed, (QStringList{"&1 File 1", "&2 File 2"}));
    EXPECT_EQ(checked, QStringList{"&2 File 2"});
    main->mnuWindow->hide();
}

TEST_F(MainWindowFrameTest, TabStripSitsRightOfTheLabel) {
    start();
    QWidget* strip = main->picTabs;
    const QRect tabs = main->tabFiles->geometry();
    EXPECT_EQ(tabs.left(), twipsToPixels(pixelsToTwips(main->lblOpenFiles->width()) + 60));
    EXPECT_EQ(tabs.top(), twipsToPixels(30));
    EXPECT_NEAR(tabs.right() + 1, strip->contentsRect().width(), 1);
    main->resize(main->width() + 100, main->height());
    QApplication::processEvents();
    EXPECT_NEAR(main->tabFiles->geometry().right() + 1, strip->contentsRect().width(), 1);
}

/// Drags a splitter's bar by dx pixels and lets it go.
void dragBar(Splitter* splitter, int dx) {
    kelvane::dragBar(*splitter, dx, 0);
    kelvane::releaseBar(*splitter, dx, 0);
    QApplication::processEvents();
}

TEST_F(MainWindowFrameTest, SidePanesAreSplittersWithTheirBarsInward) {
    start();
    EXPECT_EQ(main->SplitterLeft->Style(), SinglePaneRight);
    EXPECT_EQ(main->SplitterRight->Style(), SinglePaneLeft);
    EXPECT_EQ(main->SplitterLeft->SplitterOrientation(), VerticalBar);
    EXPECT_EQ(main->picBrowser->parentWidget(), main->SplitterLeft);
    EXPECT_EQ(main->picClip->parentWidget(), main->SplitterRight);
    EXPECT_EQ(main->SplitterLeft->width(), twipsToPixels(2265));
    EXPECT_EQ(main->SplitterRight->width(), twipsToPixels(2280));
    EXPECT_EQ(main->picBrowser->height(), main->SplitterLeft->height());
}

TEST_F(MainWindowFrameTest, DraggedLeftPaneWidthIsStoredAndReadBack) {
    start();
    main->resize(1000, 700);
    QApplication::processEvents();
    const int before = main->SplitterLeft->width();
    dragBar(main->SplitterLeft, 60);
    EXPECT_EQ(main->SplitterLeft->width(), before + 60);
    EXPECT_EQ(main->picBrowser->height(), main->SplitterLeft->height());
    main->ShutdownSequence();
    EXPECT_EQ(setting("FileBrowserWidth"),
              QString::number(std::lround(pixelsToTwips(before + 60))));
    EXPECT_EQ(setting("ClipTextWidth"), "2280");

    main.reset();
    start();
    EXPECT_EQ(main->SplitterLeft->width(), before + 60);
}

TEST_F(MainWindowFrameTest, RightPaneWidenedOverTheDocumentAreaSnapsBackToLeave600) {
    start();
    main->resize(1000, 700);
    QApplication::processEvents();
    dragBar(main->SplitterRight, -900); // to the central widget's left edge
    const double mainWidth = pixelsToTwips(main->width());
    const double leftWidth = pixelsToTwips(main->SplitterLeft->width());
    EXPECT_NEAR(pixelsToTwips(main->SplitterRight->width()), mainWidth - leftWidth - 600, 15);
    EXPECT_GT(main->mdiArea->width(), 0);
}

TEST_F(MainWindowFrameTest, SidePaneListsFollowThePaneWhenItIsDragged) {
    start();
    main->resize(1200, 800);
    QApplication::processEvents();
    FileBrowserPane* browser = main->browserPane;
    ClipTextPane* clip = main->clipPane;
    const int driveTop = browser->lstDrives->y();
    dragBar(main->SplitterLeft, 45);
    dragBar(main->SplitterRight, -45);
    QApplication::processEvents();

    // The drive list keeps its corner; the folder list takes four tenths of the pane's height
    // below it; the file list reaches the pane's right edge and stops 60 twips above its bottom.
    const QRect inner = browser->contentsRect();
    const int drivesLeft = browser->lstDrives->x();
    EXPECT_EQ(browser->lstDrives->y(), driveTop);
    EXPECT_NEAR(browser->lstDrives->geometry().right() + 1, inner.width(), 1);
    EXPECT_EQ(browser->lstDirs->x(), drivesLeft);
    EXPECT_NEAR(browser->lstDirs->y(),
                browser->lstDrives->geometry().bottom() + 1 + twipsToPixels(60), 1);
    EXPECT_NEAR(browser->lstDirs->height(), 0.4 * browser->height(), 1);
    EXPECT_NEAR(browser->lstFiles->geometry().right() + 1, browser->width(), 1);
    EXPECT_NEAR(browser->lstFiles->geometry().bottom() + 1, inner.height() - twipsToPixels(60), 1);

    // The entry list fills the cliptext pane below the library list, whose height stays.
    const QRect clipInner = clip->contentsRect();
    EXPECT_NEAR(clip->lstClipFiles->width(), clipInner.width() - twipsToPixels(60), 1);
    EXPECT_NEAR(clip->lstClip->y(), clip->lstClipFiles->geometry().bottom() + 1 + twipsToPixels(60),
                1);
    EXPECT_NEAR(clip->lstClip->geometry().bottom() + 1, clipInner.height() - twipsToPixels(60), 1);
    EXPECT_GT(clip->lstClip->height(), clip->lstClipFiles->height());
}

TEST_F(MainWindowFrameTest, ColorCodeButtonRecoloursAnUnchangedDocument) {
    const QChar sep(0xFF);
    SaveSetting(kAppTitle, "Settings", "Keywords0", QString("return") + sep);
    SaveSetting(kAppTitle, "Settings", "KeywordCount", "1");
    start();
    frmDocument* document = main->activeDocument();
    document->rtfText->setText("return");
    document->ColorCode();
    document->rtfText->setSelStart(0);
    document->rtfText->setSelLength(3);
    document->rtfText->setSelColor(0x123456);
    document->ChangedHighLight = false;
    auto* toolbar = qobject_cast<MainToolbar*>(main->tbToolBar);
    QTest::mouseClick(toolbar->widgetForAction(toolbar->button("ColorCode")), Qt::LeftButton);
    const CharStyle style = document->rtfText->styleAt(0);
    EXPECT_TRUE(style.hasColour);
    EXPECT_EQ(style.colour, EditorSettings.KeywordColor0);
}

} // namespace
} // namespace kelvane::test
