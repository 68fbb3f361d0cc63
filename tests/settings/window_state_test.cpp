// The main window's state record: the texts earlier runs stored read as they always did, what
// is written reads back, and a minimised window leaves its stored place alone.
#include "platform/SettingsStore.h"
#include "settings/EditorSettings.h"
#include "settings/WindowState.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

class WindowStateTest : public ::testing::Test {
protected:
    void SetUp() override { setSettingsFileOverride(scratch.file("settings.ini")); }
    void TearDown() override { setSettingsFileOverride(QString()); }
    static void store(const char* key, const char* text) {
        SaveSetting(kAppTitle, kSettingsSection, key, text);
    }
    static QString stored(const char* key) {
        return GetSetting(kAppTitle, kSettingsSection, key, QStringLiteral("<absent>"));
    }
    ScratchDir scratch;
};

TEST_F(WindowStateTest, StoredTextsReadAsTheyAlwaysDid) {
    // Texts as earlier versions wrote them, and damaged ones.
    const struct {
        const char* key;
        const char* text;
        WindowStateRecord expected;
    } cases[] = {
        {"MainLeft", "1234.5", WindowStateRecord{.MainLeft = 1234.5f}},
        {"MainWidth", "abc", WindowStateRecord{.MainWidth = 9000}},
        {"ToolBar", "False", WindowStateRecord{.ToolBar = false}},
        {"StatusBar", "0", WindowStateRecord{.StatusBar = false}},
        {"ClipText", "maybe", WindowStateRecord{}},
        {"FileBrowserWidth", "3000", WindowStateRecord{.FileBrowserWidth = 3000}},
        {"FileBrowserWidth", "2999.5", WindowStateRecord{.FileBrowserWidth = 3000}},
        {"ClipTextWidth", "0", WindowStateRecord{}},
        {"ClipTextWidth", "-40", WindowStateRecord{}},
        {"ClipTextWidth", "1e300", WindowStateRecord{}},
    };
    for (const auto& c : cases) {
        setSettingsFileOverride(scratch.file(QString("case-%1.ini").arg(&c - cases)));
        store(c.key, c.text);
        WindowStateRecord read;
        read.MainWidth = 9000; // the caller's screen size, kept when the store has none
        readWindowState(read);
        WindowStateRecord expected = c.expected;
        if (QLatin1String(c.key) != QLatin1String("MainWidth") || expected.MainWidth == 0)
            expected.MainWidth = 9000;
        EXPECT_EQ(read.MainLeft, expected.MainLeft) << c.key << "=" << c.text;
        EXPECT_EQ(read.MainWidth, expected.MainWidth) << c.key << "=" << c.text;
        EXPECT_EQ(read.ToolBar, expected.ToolBar) << c.key << "=" << c.text;
        EXPECT_EQ(read.StatusBar, expected.StatusBar) << c.key << "=" << c.text;
        EXPECT_EQ(read.ClipText, expected.ClipText) << c.key << "=" << c.text;
        EXPECT_EQ(read.FileBrowserWidth, expected.FileBrowserWidth) << c.key << "=" << c.text;
        EXPECT_EQ(read.ClipTextWidth, expected.ClipTextWidth) << c.key << "=" << c.text;
    }
}

TEST_F(WindowStateTest, WrittenStateReadsBackAndAMinimisedWindowKeepsItsStoredPlace) {
    WindowStateRecord written;
    written.MainLeft = 15.5f;
    written.MainTop = 30;
    written.MainWidth = 12000;
    written.MainHeight = 8000;
    written.ToolBar = false;
    written.ClipText = false;
    written.FileBrowserWidth = 3100;
    written.ClipTextWidth = 1900;
    saveWindowState(written, true);
    EXPECT_EQ(stored("MainLeft"), "15.5");
    EXPECT_EQ(stored("MainWidth"), "12000");
    EXPECT_EQ(stored("ToolBar"), "False");
    EXPECT_EQ(stored("StatusBar"), "True");
    EXPECT_EQ(stored("FileBrowserWidth"), "3100");

    WindowStateRecord read;
    readWindowState(read);
    EXPECT_EQ(read.MainLeft, 15.5f);
    EXPECT_EQ(read.MainTop, 30.0f);
    EXPECT_EQ(read.MainWidth, 12000.0f);
    EXPECT_EQ(read.MainHeight, 8000.0f);
    EXPECT_FALSE(read.ToolBar);
    EXPECT_TRUE(read.StatusBar);
    EXPECT_TRUE(read.FileBrowser);
    EXPECT_FALSE(read.ClipText);
    EXPECT_EQ(read.FileBrowserWidth, 3100);
    EXPECT_EQ(read.ClipTextWidth, 1900);

    WindowStateRecord minimised = written;
    minimised.MainLeft = -32000; // where a minimised window is
    minimised.ToolBar = true;
    saveWindowState(minimised, false);
    EXPECT_EQ(stored("MainLeft"), "15.5") << "the place is written only for a window shown";
    EXPECT_EQ(stored("ToolBar"), "True") << "the bars and panes are written all the same";
}

} // namespace
} // namespace kelvane::test
