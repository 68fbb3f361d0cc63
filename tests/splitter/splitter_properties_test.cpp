// The splitter's stored properties: values equal to their writing defaults are left out, missing
// values take their reading defaults, and names match without regard to case.
#include "splitter/SplitterPropertyBag.h"

#include "support/TestSupport.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(SplitterProperties, DefaultsStoreOnlyTheStyle) {
    MemoryPropertyBag bag;
    WriteSplitterProperties(SplitterProperties{}, bag);
    EXPECT_EQ(bag.names(), QStringList{"style"});
    EXPECT_EQ(bag.read("Style"), "0");
}

TEST(SplitterProperties, ZeroBarTopIsNotStoredAndReadsBackAsHalfTheHeight) {
    SplitterProperties p = SplitterProperties::defaults(1500, 1000);
    p.SplitterTop = 0;
    MemoryPropertyBag bag;
    WriteSplitterProperties(p, bag);
    EXPECT_FALSE(bag.read("SplitterTop"));
    const SplitterProperties back = ReadSplitterProperties(bag, 1500, 1000);
    EXPECT_EQ(back.SplitterTop, 1000);
    EXPECT_EQ(back.SplitterLeft, 1500);
}

TEST(SplitterProperties, EveryChangedValueRoundTrips) {
    SplitterProperties p;
    p.BackColor = 0x00336699;
    p.Enabled = false;
    p.BorderStyle = 1;
    p.Style = SinglePaneRight;
    p.SplitterOrientation = VerticalBar;
    p.SplitterTop = 700;
    p.SplitterLeft = 2265;
    p.SplitterHeight = 90;
    p.SplitterWidth = 75;
    p.MinHorizontalSize = 450;
    p.MinVerticalSize = 500;
    MemoryPropertyBag bag;
    WriteSplitterProperties(p, bag);
    EXPECT_EQ(bag.names().size(), 11);
    EXPECT_EQ(ReadSplitterProperties(bag, 1, 1), p);
}

TEST(SplitterProperties, WritingADefaultAgainRemovesTheOldValue) {
    MemoryPropertyBag bag;
    SplitterProperties p;
    p.SplitterWidth = 120;
    WriteSplitterProperties(p, bag);
    EXPECT_EQ(bag.read("splitterwidth"), "120");
    p.SplitterWidth = 60;
    WriteSplitterProperties(p, bag);
    EXPECT_FALSE(bag.read("SplitterWidth"));
}

TEST(SplitterProperties, UnreadableValuesTakeTheirReadingDefaults) {
    MemoryPropertyBag bag;
    bag.write("SPLITTERWIDTH", "wide");
    bag.write("Style", "9");
    bag.write("Enabled", "False");
    const SplitterProperties p = ReadSplitterProperties(bag, 100, 200);
    EXPECT_EQ(p.SplitterWidth, 60);
    EXPECT_EQ(p.Style, TwoPanes);
    EXPECT_FALSE(p.Enabled);
    EXPECT_EQ(p.BackColor, kButtonFaceColour);
}

TEST(SplitterProperties, SettingsGroupMatchesNamesWithoutCase) {
    test::ScratchDir scratch;
    const QString path = scratch.file("host.ini");
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue("frmMain.SplitterLeft/splitterleft", "10");
        SettingsPropertyBag bag(settings, "frmMain.SplitterLeft");
        SplitterProperties p;
        p.Style = SinglePaneRight;
        p.SplitterLeft = 2000;
        p.SplitterOrientation = VerticalBar;
        WriteSplitterProperties(p, bag);
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup("frmMain.SplitterLeft");
    EXPECT_EQ(settings.childKeys(), (QStringList{"SplitterLeft", "SplitterOrientation", "Style"}));
    settings.endGroup();
    SettingsPropertyBag bag(settings, "frmMain.SplitterLeft");
    EXPECT_EQ(bag.read("SPLITTERLEFT"), "2000");
    const SplitterProperties back = ReadSplitterProperties(bag, 5, 6);
    EXPECT_EQ(back.Style, SinglePaneRight);
    EXPECT_EQ(back.SplitterTop, 6);
}

} // namespace
} // namespace kelvane
