// Draws each tab of the Options dialog offscreen and saves it as a screenshot.
#include "OptionsFixture.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

namespace kelvane::test {
namespace {

using OptionsScreenshotsTest = OptionsFixture;

TEST_F(OptionsScreenshotsTest, EveryTabDrawsItsControls) {
    // The delivered profiles, so that the last tab lists them; the C profile applied.
    QDir().mkpath(frmOptions::profileFolder());
    const QDir built(QStringLiteral(KELVANE_RUNTIME_DIR "/PROFILES"));
    for (const QString& name : built.entryList(QDir::Files))
        QFile::copy(built.filePath(name), frmOptions::profileFolder() + name);
    EditorSettings.EditorFont = QStringLiteral("DejaVu Sans Mono");
    start();
    frmOptions* d = frmOptions::load(*main);
    d->Form_Activate();
    d->lstProfiles->setCurrentRow(int(d->lstProfiles->row(
        d->lstProfiles->findItems(QStringLiteral("C"), Qt::MatchExactly).value(0))));
    d->cmdApplyProfile_Click();
    d->lstKeywords[0]->setCurrentRow(2);
    d->lstProfiles->setCurrentRow(1);
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));

    const char* names[] = {"keywords", "bracers", "preferences", "colors", "profiles"};
    QDir().mkpath(KELVANE_RUNTIME_DIR "/../screenshots");
    for (int tab = 0; tab < 5; ++tab) {
        d->tabs->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const QImage image = d->grab().toImage();
        // Every tab holds text: count dark pixels on its page.
        const QWidget* page = d->tabs->currentWidget();
        const QRect area(page->mapTo(d, QPoint(0, 0)), page->size());
        int dark = 0;
        for (int y = area.top(); y < area.bottom(); y += 2)
            for (int x = area.left(); x < area.right(); x += 2)
                dark += qGray(image.pixel(x, y)) < 96;
        EXPECT_GT(dark, 200) << names[tab];
        EXPECT_TRUE(image.save(QStringLiteral(KELVANE_RUNTIME_DIR "/../screenshots/options-%1.png")
                                   .arg(QLatin1String(names[tab]))));
    }
    d->hide();
}

} // namespace
} // namespace kelvane::test
