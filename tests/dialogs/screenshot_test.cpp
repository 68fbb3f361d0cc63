// Renders the tip dialog and the About box offscreen; with KELVANE_SCREENSHOT_DIR set, the
// pictures are saved there (docs/screenshots/ keeps the current ones).
#include "dialogs/frmAbout.h"
#include "dialogs/frmTip.h"

#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kelvane::test {
namespace {

TEST(DialogScreenshotTest, TipOfTheDayAndAboutBoxRender) {
    ScratchDir scratch;
    setAppPathOverride(KELVANE_RUNTIME_DIR);
    setSettingsFileOverride(scratch.file("settings.ini"));
    {
        frmTip tip;
        // A fixed tip, so that the picture does not change from run to run.
        const QString shown = tip.TipList.value(2);
        ASSERT_FALSE(shown.isEmpty()) << "the tips file was read";
        tip.lblTipText->setText(shown);
        const QImage tipShot = grabDialog(tip, "tip-of-the-day.png");
        EXPECT_EQ(tip.windowTitle(), "Tip of the Day");
        EXPECT_GT(inkIn(tipShot, tip, *tip.lblTipText), 50) << "the tip's text is drawn";
        EXPECT_GT(inkIn(tipShot, tip, *tip.cmdNextTip), 20) << "the Next Tip button's caption";
        frmAbout about;
        const QImage aboutShot = grabDialog(about, "about-box.png");
        EXPECT_GT(inkIn(aboutShot, about, *about.lblVersion), 20) << "the version is drawn";
        EXPECT_GT(inkIn(aboutShot, about, *about.lblDisclaimer), 100) << "the warranty text";
        EXPECT_GT(inkIn(aboutShot, about, *about.cmdOK), 5) << "the OK button's caption";
    }
    setSettingsFileOverride(QString());
    setAppPathOverride(QString());
}

} // namespace
} // namespace kelvane::test
