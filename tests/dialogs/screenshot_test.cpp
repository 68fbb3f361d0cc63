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
        tip.lblTipText->setText(tip.TipList.value(2));
        grabDialog(tip, "tip-of-the-day.png");
        frmAbout about;
        grabDialog(about, "about-box.png");
    }
    setSettingsFileOverride(QString());
    setAppPathOverride(QString());
}

} // namespace
} // namespace kelvane::test
