// The main window's frame: the two side panes in their splitters, the open-files strip and
// the widths of the panes kept between runs.
#include "app/SidePaneLayout.h"
#include "app/frmMain.h"

#include "app/MainToolbar.h"
#include "platform/AppPaths.h"
#include "platform/KeyedTabBar.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "settings/EditorSettings.h"
#include "splitter/Splitter.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <cmath>

namespace kelvane {

namespace {

/// Design widths of the side panes (twips) before the user drags them.
constexpr int kBrowserPaneWidth = 2265;
constexpr int kClipPaneWidth = 2280;

double twipsOf(int pixels) {
    return pixelsToTwips(pixels);
}

TwipsRect twipsRect(const QRect& r) {
    return {twipsOf(r.x()), twipsOf(r.y()), twipsOf(r.width()), twipsOf(r.height())};
}

/// Places a widget at a rectangle in twips, both edges converted so neighbours meet.
void place(QWidget* widget, const TwipsRect& r) {
    const int left = twipsToPixels(r.left);
    const int top = twipsToPixels(r.top);
    widget->setGeometry(left, top, std::max(0, twipsToPixels(r.right()) - left),
                        std::max(0, twipsToPixels(r.bottom()) - top));
    widget->update();
}

PaneSizes paneSizes(const QWidget* pane) {
    const QRect inner = pane->contentsRect();
    return {twipsOf(inner.width()), twipsOf(inner.height()), twipsOf(pane->width()),
            twipsOf(pane->height())};
}

/// A list the pane holds, found by its name; nullptr until the pane's contents exist.
QWidget* paneChild(QWidget* pane, const char* name) {
    return pane->findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

/// The width stored for a pane, or its design width.
int storedPaneWidth(const QString& key, int designWidth) {
    bool ok = false;
    const double width = GetSetting(kAppTitle, kSettingsSection, key).toDouble(&ok);
    return ok && width > 0 ? int(std::lround(width)) : designWidth;
}

} // namespace

void frmMain::buildSidePanes(QWidget* central) {
    // The browser pane: one pane with its bar along the right edge.
    SplitterLeft = new Splitter(central, QSize(kBrowserPaneWidth, 6000));
    SplitterLeft->setObjectName(QStringLiteral("SplitterLeft"));
    SplitterLeft->setAccessibleName(QStringLiteral("File browser pane"));
    SplitterLeft->LetStyle(SinglePaneRight);
    auto* browser = new QFrame(SplitterLeft);
    browser->setObjectName(QStringLiteral("picBrowser"));
    browser->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    picBrowser = browser;

    // The cliptext pane: one pane with its bar along the left edge.
    SplitterRight = new Splitter(central, QSize(kClipPaneWidth, 6000));
    SplitterRight->setObjectName(QStringLiteral("SplitterRight"));
    SplitterRight->setAccessibleName(QStringLiteral("Cliptext pane"));
    SplitterRight->LetStyle(SinglePaneLeft);
    auto* clip = new QFrame(SplitterRight);
    clip->setObjectName(QStringLiteral("picClip"));
    clip->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    picClip = clip;

    setPaneWidth(SplitterLeft, kBrowserPaneWidth);
    setPaneWidth(SplitterRight, kClipPaneWidth);

    connect(SplitterLeft, &Splitter::Resize, this, &frmMain::SplitterLeft_Resize);
    connect(SplitterRight, &Splitter::Resize, this, &frmMain::SplitterRight_Resize);
    connect(SplitterLeft, &Splitter::Paint, this, &frmMain::picBrowser_Layout);
    connect(SplitterRight, &Splitter::Paint, this, &frmMain::picClip_Layout);
    connect(SplitterLeft, &Splitter::MouseUp, this,
            [this] { picBrowser->resize(picBrowser->width(), SplitterLeft->height()); });
    picBrowser->installEventFilter(this);
    picClip->installEventFilter(this);
}

void frmMain::buildOpenFilesStrip(QWidget* central) {
    picTabs = new QWidget(central);
    picTabs->setObjectName(QStringLiteral("picTabs"));
    lblOpenFiles = new QLabel(QStringLiteral("Opened Files:"), picTabs);
    lblOpenFiles->setObjectName(QStringLiteral("lblOpenFiles"));
    lblOpenFiles->setCursor(Qt::PointingHandCursor);
    lblOpenFiles->setToolTip(QStringLiteral("Lists the open windows"));
    lblOpenFiles->setAccessibleName(QStringLiteral("Opened Files:"));
    lblOpenFiles->adjustSize();
    lblOpenFiles->installEventFilter(this);
    tabFiles = new KeyedTabBar(picTabs);
    tabFiles->setObjectName(QStringLiteral("tabFiles"));
    tabFiles->setAccessibleName(QStringLiteral("Open files"));
    connect(tabFiles, &KeyedTabBar::keyClicked, this, &frmMain::tabFiles_Click);
    // The strip is 360 twips high, or as high as the tabs need with this desktop's font.
    picTabs->setFixedHeight(
        std::max(twipsToPixels(360), twipsToPixels(30) + tabFiles->sizeHint().height()));
    lblOpenFiles->move(twipsToPixels(60), twipsToPixels(90));
    picTabs->installEventFilter(this);
}

void frmMain::picTabs_Resize() {
    const double labelWidth = twipsOf(lblOpenFiles->width());
    const double innerWidth = twipsOf(picTabs->contentsRect().width());
    place(tabFiles, {labelWidth + 60, 30, std::max(0.0, innerWidth - labelWidth - 60),
                     twipsOf(picTabs->height()) - 30});
}

bool frmMain::framePartEvent(QObject* watched, QEvent* event) {
    if (watched == picTabs && event->type() == QEvent::Resize) {
        picTabs_Resize();
        return false;
    }
    if (watched == picBrowser && event->type() == QEvent::Resize) {
        picBrowser_Layout();
        return false;
    }
    if (watched == picClip && event->type() == QEvent::Resize) {
        picClip_Layout();
        return false;
    }
    // "Opened Files:" works as a button that lists the open windows.
    if (watched == lblOpenFiles) {
        if (event->type() == QEvent::MouseButtonPress) {
            lblOpenFiles->move(twipsToPixels(75), twipsToPixels(105)); // pressed look
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            lblOpenFiles->move(twipsToPixels(60), twipsToPixels(90));
            mnuWindow->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
    }
    return false;
}

// --- side panes ---

void frmMain::setPaneWidth(Splitter* pane, double widthTwips) {
    pane->setFixedWidth(std::max(0, twipsToPixels(widthTwips)));
}

double frmMain::paneWidth(const Splitter* pane) const {
    return twipsOf(pane->width());
}

void frmMain::squeezePane(Splitter* pane, const Splitter* other) {
    // A hidden pane leaves its room to the document area.
    const double otherWidth = other->isHidden() ? 0 : paneWidth(other);
    if (const std::optional<double> narrowed =
            squeezedPaneWidth(twipsOf(width()), otherWidth, paneWidth(pane)))
        setPaneWidth(pane, *narrowed);
}

void frmMain::SplitterLeft_Resize() {
    squeezePane(SplitterLeft, SplitterRight);
    picBrowser_Layout();
}

void frmMain::SplitterRight_Resize() {
    squeezePane(SplitterRight, SplitterLeft);
    picClip_Layout();
}

void frmMain::picBrowser_Layout() {
    // A pane whose contents bring their own layout is placed by it.
    if (picBrowser->layout())
        return;
    QWidget* drives = paneChild(picBrowser, "lstDrives");
    QWidget* dirs = paneChild(picBrowser, "lstDirs");
    QWidget* files = paneChild(picBrowser, "lstFiles");
    if (!drives || !dirs || !files)
        return;
    const BrowserLists placed = layoutBrowserPane(
        paneSizes(picBrowser),
        {twipsRect(drives->geometry()), twipsRect(dirs->geometry()), twipsRect(files->geometry())});
    place(drives, placed.drives);
    place(dirs, placed.dirs);
    place(files, placed.files);
    picBrowser->update();
}

void frmMain::picClip_Layout() {
    if (picClip->layout())
        return;
    QWidget* libraries = paneChild(picClip, "lstClipFiles");
    QWidget* items = paneChild(picClip, "lstClip");
    if (!libraries || !items)
        return;
    const ClipLists placed = layoutClipPane(
        paneSizes(picClip), {twipsRect(libraries->geometry()), twipsRect(items->geometry())});
    place(libraries, placed.libraries);
    place(items, placed.items);
    picClip->update();
}

void frmMain::layoutSidePanes() {
    picBrowser_Layout();
    picClip_Layout();
}

void frmMain::readPaneWidths() {
    setPaneWidth(SplitterLeft,
                 storedPaneWidth(QStringLiteral("FileBrowserWidth"), kBrowserPaneWidth));
    setPaneWidth(SplitterRight, storedPaneWidth(QStringLiteral("ClipTextWidth"), kClipPaneWidth));
}

void frmMain::writePaneWidths() {
    SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("FileBrowserWidth"),
                QString::number(std::lround(paneWidth(SplitterLeft))));
    SaveSetting(kAppTitle, kSettingsSection, QStringLiteral("ClipTextWidth"),
                QString::number(std::lround(paneWidth(SplitterRight))));
}

} // namespace kelvane
