// The tip dialog at start-up and both dialogs from the Help menu, through real modal loops
// that a timer closes.
#include "app/AppFixture.h"
#include "support/MenuItems.h"

#include "app/Startup.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmTip.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace kelvane::test {
namespace {

/// Closes every modal dialog that opens while it lives and records their titles.
class ModalCloser {
public:
    ModalCloser() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            titles << modal->windowTitle();
            if (auto* tip = qobject_cast<frmTip*>(modal)) {
                tipText = tip->lblTipText->text();
                tip->cmdOK->click();
            } else if (auto* about = qobject_cast<frmAbout*>(modal)) {
                about->cmdOK->click();
            } else {
                modal->close();
            }
        });
        timer_.start();
    }
    QStringList titles;
    QString tipText;

private:
    QTimer timer_;
};

class StartupTipTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        scratch.write("program/Kelvane.dat", "The only tip.\r\n");
    }
    /// Runs the whole start-up sequence; the main window is owned by the fixture.
    QStringList startUp() {
        ModalCloser closer;
        main.reset(StartupSequence(QString()));
        tipText = closer.tipText;
        return closer.titles;
    }
    QString tipText;
};

TEST_F(StartupTipTest, FirstStartShowsTheTipOverTheMainWindow) {
    EXPECT_EQ(startUp(), QStringList{"Tip of the Day"});
    EXPECT_EQ(tipText, "The only tip.");
    EXPECT_TRUE(main->isVisible());
}

TEST_F(StartupTipTest, ClearedCheckBoxStopsTheTipAtTheNextStart) {
    {
        frmTip tip;
        tip.chkLoadTipsAtStartup->click();
    }
    EXPECT_TRUE(startUp().isEmpty());
    EXPECT_TRUE(main->isVisible());
}

TEST_F(StartupTipTest, HelpMenuOpensAboutAndTipOfTheDay) {
    SaveSetting(kAppTitle, "Options", "Show Tips at Startup", "0");
    startUp();
    EXPECT_EQ(menuItems(main->mnuHelp, false), (QStringList{"&Contents", "&Search For Help On...",
                                                            "-", "&About ", "&Tip of the Day"}));
    ModalCloser closer;
    main->mnuHelp->actions()[3]->trigger();
    main->mnuHelp->actions()[4]->trigger();
    EXPECT_EQ(closer.titles, (QStringList{"About Kelvane", "Tip of the Day"}));
    EXPECT_EQ(closer.tipText, "The only tip.");
}

} // namespace
} // namespace kelvane::test
