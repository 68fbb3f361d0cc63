// The Tip of the Day dialog, driven directly, and the tips file the build ships.
#include "dialogs/TipFile.h"
#include "dialogs/frmTip.h"

#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"
#include "platform/TextEncoding.h"
#include "settings/EditorSettings.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>

namespace kelvane::test {
namespace {

const QString kNotFound = "That the Kelvane.dat file was not found? ";

class TipTest : public ::testing::Test {
protected:
    void SetUp() override {
        setAppPathOverride(scratch.path());
        setSettingsFileOverride(scratch.file("settings.ini"));
    }
    void TearDown() override {
        setSettingsFileOverride(QString());
        setAppPathOverride(QString());
    }
    void writeTips(const QByteArray& bytes) { scratch.write("Kelvane.dat", bytes); }
    QString showTips() {
        return GetSetting(kAppTitle, "Options", "Show Tips at Startup", "<absent>");
    }

    ScratchDir scratch;
};

TEST(TipFileTest, LinesAreTipsAndOnlyTheLastLineBreakEndsTheFile) {
    EXPECT_EQ(tipsFromBytes("one\r\ntwo\r\n"), (QStringList{"one", "two"}));
    EXPECT_EQ(tipsFromBytes("one\ntwo"), (QStringList{"one", "two"})) << "LF and no last break";
    EXPECT_EQ(tipsFromBytes("\r\nafter a blank\r\n"), (QStringList{"", "after a blank"}));
    EXPECT_EQ(tipsFromBytes(""), QStringList{});
    EXPECT_EQ(tipsFromBytes("caf\xe9\r\n"), QStringList{"caf\u00e9"}) << "Windows-1252";
}

TEST(TipFileTest, EightBitTextIsNeverGuessedAsUtf8ButAByteOrderMarkDecides) {
    // "Ã©" in Windows-1252 is the two bytes C3 A9, which also read as UTF-8 "é".
    EXPECT_EQ(tipsFromBytes("\xc3\xa9t\xc3\xa9\r\n"), QStringList{"\u00c3\u00a9t\u00c3\u00a9"});
    EXPECT_EQ(tipsFromBytes("\xef\xbb\xbf\xc3\xa9t\xc3\xa9\r\n"), QStringList{"\u00e9t\u00e9"})
        << "UTF-8 with its mark";
    EXPECT_EQ(tipsFromBytes(QByteArray("\xff\xfe"
                                       "A\0\r\0\n\0B\0",
                                       10)),
              (QStringList{"A", "B"}))
        << "UTF-16 with its mark";
}

TEST_F(TipTest, OneLineFileAlwaysShowsThatLine) {
    writeTips("Press F1 for help.\r\n");
    frmTip tip;
    EXPECT_EQ(tip.windowTitle(), "Tip of the Day");
    EXPECT_EQ(tip.Label1->text(), "Did you know...");
    EXPECT_EQ(tip.lblTipText->text(), "Press F1 for help.");
    for (int i = 0; i < 20; ++i) {
        tip.cmdNextTip->click();
        EXPECT_EQ(tip.CurrentTipIndex, 1);
        EXPECT_EQ(tip.lblTipText->text(), "Press F1 for help.");
    }
}

TEST_F(TipTest, EmptyFileShowsNothingAndNoNotFoundText) {
    writeTips("");
    frmTip tip;
    EXPECT_TRUE(tip.TipList.isEmpty());
    EXPECT_EQ(tip.lblTipText->text(), "");
    tip.cmdNextTip->click();
    EXPECT_EQ(tip.lblTipText->text(), "");
}

TEST_F(TipTest, MissingFileShowsNotFoundTextAndNextTipKeepsIt) {
    frmTip tip;
    EXPECT_EQ(tip.lblTipText->text(), kNotFound);
    tip.cmdNextTip->click();
    EXPECT_EQ(tip.lblTipText->text(), kNotFound);
    EXPECT_FALSE(tip.LoadTips(QString())) << "an empty path";
    tip.chkLoadTipsAtStartup->click();
    EXPECT_EQ(showTips(), "0") << "the check box still works";
}

TEST_F(TipTest, CheckBoxWritesTheSettingAtOnce) {
    writeTips("a\r\n");
    {
        frmTip tip;
        EXPECT_TRUE(tip.chkLoadTipsAtStartup->isChecked()) << "the default is 1";
        EXPECT_EQ(tip.chkLoadTipsAtStartup->text(), "&Show Tips at Startup");
        EXPECT_EQ(showTips(), "<absent>") << "loading writes nothing";
        tip.chkLoadTipsAtStartup->click();
        EXPECT_EQ(showTips(), "0");
        EXPECT_FALSE(showTipsAtStartup());
        tip.chkLoadTipsAtStartup->click();
        EXPECT_EQ(showTips(), "1");
        tip.chkLoadTipsAtStartup->click();
    }
    frmTip again;
    EXPECT_FALSE(again.chkLoadTipsAtStartup->isChecked());
}

TEST_F(TipTest, EveryTipIncludingBlankLinesCanBeDrawn) {
    writeTips("first\r\n\r\nthird\r\n");
    frmTip tip;
    QSet<QString> seen;
    for (int i = 0; i < 300 && seen.size() < 3; ++i) {
        tip.cmdNextTip->click();
        ASSERT_GE(tip.CurrentTipIndex, 1);
        ASSERT_LE(tip.CurrentTipIndex, 3);
        seen.insert(tip.lblTipText->text());
    }
    EXPECT_EQ(seen, (QSet<QString>{"first", "", "third"}));
}

TEST_F(TipTest, SettingThatIsNotANumberCountsAsOn) {
    SaveSetting(kAppTitle, "Options", "Show Tips at Startup", "0");
    EXPECT_FALSE(showTipsAtStartup());
    SaveSetting(kAppTitle, "Options", "Show Tips at Startup", "2");
    EXPECT_TRUE(showTipsAtStartup());
    SaveSetting(kAppTitle, "Options", "Show Tips at Startup", "yes please");
    EXPECT_TRUE(showTipsAtStartup());
}

TEST(ShippedTipsTest, TipsFileBesideTheProgramIsWindows1252CrLfWithTwentyTips) {
    const QByteArray source = readAll(KELVANE_SOURCE_DIR "/editor/resources/Kelvane.dat");
    EXPECT_EQ(readAll(KELVANE_RUNTIME_DIR "/Kelvane.dat"), source) << "copied by the build";
    ASSERT_FALSE(source.isEmpty());
    EXPECT_TRUE(source.endsWith("\r\n"));
    EXPECT_EQ(source.count("\n"), source.count("\r\n")) << "every line ends in CR LF";
    const bool ascii =
        std::all_of(source.begin(), source.end(), [](char c) { return uchar(c) < 0x80; });
    EXPECT_TRUE(ascii || !isValidUtf8(source)) << "Windows-1252, not UTF-8";
    const QStringList tips = tipsFromBytes(source);
    EXPECT_GE(tips.size(), 20);
    for (const QString& tip : tips) {
        EXPECT_FALSE(tip.trimmed().isEmpty());
        EXPECT_LT(tip.size(), 220) << "fits the dialog: " << tip.toStdString();
    }
}

} // namespace
} // namespace kelvane::test
