// Settings read at start-up and written at shut-down.
#include "AppFixture.h"

#include "app/MainToolbar.h"
#include "app/RecentFiles.h"
#include "splitter/Splitter.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>

namespace kelvane::test {
namespace {

using SettingsTest = AppFixture;

TEST_F(SettingsTest, EmptyStoreGivesDefaultsAndOneStartWritesOnlyShellKeys) {
    start();
    EXPECT_FALSE(main->tbToolBar->isHidden());
    EXPECT_FALSE(main->SplitterLeft->isHidden());
    EXPECT_TRUE(main->mnuViewBrowser->isChecked());
    EXPECT_EQ(main->browserFolder, AppPath());
    EXPECT_EQ(EditorSettings.KeywordColor0, 12582912u);
    EXPECT_EQ(EditorSettings.DelimitColor, 24576u);
    EXPECT_TRUE(EditorSettings.AutoCode);
    EXPECT_TRUE(EditorSettings.CodeOrder);
    EXPECT_TRUE(EditorSettings.Backup);
    EXPECT_FALSE(EditorSettings.CaseSensitive);
    EXPECT_EQ(EditorSettings.EditorFont, "Courier New");
    EXPECT_EQ(PageMargins.LeftMargin, 1.5f);
    EXPECT_EQ(setting("First Load"), "False");
    main->close();
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "ToolBar",
                            "StatusBar", "FileBrowser", "ClipText", "LastDir"})
        EXPECT_NE(setting(key), "<absent>") << key;
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(setting("RecentFile" + QString::number(i)), "");
    for (const char* key :
         {"Keywords0", "KeywordColor0", "Wordwrap", "Delimiters", "AutoCode", "EditorFont"})
        EXPECT_EQ(setting(key), "<absent>") << key;
}

TEST_F(SettingsTest, KeysMatchWithoutRegardToCase) {
    SaveSetting(kAppTitle, "Settings", "WordWrap", "True");
    EXPECT_EQ(GetSetting(kAppTitle, "settings", "Wordwrap"), "True");
    SaveSetting(kAppTitle, "SETTINGS", "wordwrap", "False");
    EXPECT_EQ(GetSetting(kAppTitle, "Settings", "WordWrap"), "False");
    start();
    EXPECT_FALSE(EditorSettings.WordWrap);
}

TEST_F(SettingsTest, KeywordListsWithSeparatorCharacterRoundTrip) {
    const QString list = QString("if") + QChar(0xFF) + "else" + QChar(0xFF) + "wh,ile" +
                         QChar(0xFF) + QString::fromUtf8("grüße") + QChar(0xFF);
    SaveSetting(kAppTitle, "Settings", "Keywords1", list);
    SaveSetting(kAppTitle, "Settings", "KeywordCount", "4");
    start();
    EXPECT_EQ(EditorSettings.Keywords1, list);
    EXPECT_EQ(EditorSettings.KeywordCount, 4);
}

TEST_F(SettingsTest, UnreadableValuesTakeDefaultsAndOffScreenWindowComesBack) {
    SaveSetting(kAppTitle, "Settings", "MainLeft", "abc");
    SaveSetting(kAppTitle, "Settings", "EditorSize", "big");
    SaveSetting(kAppTitle, "Settings", "Delimiters", "lots");
    SaveSetting(kAppTitle, "Settings", "MainTop", "-900000");
    start();
    EXPECT_EQ(EditorSettings.EditorSize, 10.0f);
    EXPECT_EQ(EditorSettings.Delimiters, 0);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(main->geometry()));
}

TEST_F(SettingsTest, PaneStateIsWrittenBackAndRestored) {
    start();
    main->mnuViewBrowser->setChecked(false);
    main->mnuViewBrowser_Click();
    EXPECT_TRUE(main->SplitterLeft->isHidden());
    main->close();
    EXPECT_EQ(setting("FileBrowser"), "False");
    EXPECT_EQ(setting("ToolBar"), "True");
    main.reset();
    start();
    EXPECT_TRUE(main->SplitterLeft->isHidden());
    EXPECT_FALSE(main->mnuViewBrowser->isChecked());
    main->mnuViewBrowser->setChecked(true);
    main->mnuViewBrowser_Click();
    EXPECT_FALSE(main->SplitterLeft->isHidden());
}

TEST_F(SettingsTest, ClosingWhileMinimizedKeepsLastPosition) {
    SaveSetting(kAppTitle, "Settings", "MainWidth", "9000");
    start();
    main->showMinimized();
    if (!main->isMinimized())
        GTEST_SKIP() << "this platform does not minimise windows";
    main->close();
    EXPECT_EQ(setting("MainWidth"), "9000");
}

TEST_F(SettingsTest, CancelAtSavePromptStopsShutdown) {
    start();
    main->activeDocument()->rtfText->setText("unsaved");
    boxes.answer(vbCancel);
    EXPECT_FALSE(main->close());
    EXPECT_EQ(setting("ToolBar"), "<absent>") << "nothing is written when the shut-down stops";
}

TEST_F(SettingsTest, RecentFilesAreReadAtStartAndWrittenAtExit) {
    SaveSetting(kAppTitle, "Settings", "RecentFile1", "/x/one.txt");
    SaveSetting(kAppTitle, "Settings", "RecentFile2", "/x/two.txt");
    SaveSetting(kAppTitle, "Settings", "RecentFile3", "/x/three.txt");
    start();
    EXPECT_TRUE(main->mnuFileRecent[0]->isVisible());
    EXPECT_TRUE(main->mnuFileRecent[3]->isVisible());
    EXPECT_FALSE(main->mnuFileRecent[4]->isVisible());
    EXPECT_EQ(main->mnuFileRecent[2]->text(), "/x/two.txt");
    RecentFiles.cycle("/x/new.txt");
    main->close();
    EXPECT_EQ(setting("RecentFile1"), "/x/new.txt");
    EXPECT_EQ(setting("RecentFile4"), "/x/three.txt");
}

} // namespace
} // namespace kelvane::test
