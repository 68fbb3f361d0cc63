// The main window's frame: the two side panes in their splitters, the open-files strip and
// the widths of the panes kept between runs.
#include "app/SidePaneLayout.h"
#include "app/frmMain.h"

#include "library/ClipTextPane.h"
#include "library/FileBrowserPane.h"
#include "library/PaneLayout.h"

#include "app/MainToolbar.h"
#include "platform/AppPaths.h"
#include "platform/KeyedTabBar.h"
#include "platform/Twips.h"
#include "settings/WindowState.h"
#include "splitter/Splitter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace kelvane {

namespace {

double twipsOf(int pixels) {
    return pixelsToTwips(pixels);
}

} // namespace

void frmMain::buildSidePanes(QWidget* central) {
    // The browser pane: one pane with its bar along the right edge.
    SplitterLeft = new Splitter(central, QSize(kBrowserPaneWidth, 6000));
    SplitterLeft->setObjectName(QStringLiteral("SplitterLeft"));
    SplitterLeft->setAccessibleName(QStringLiteral("File browser pane"));
    SplitterLeft->LetStyle(SinglePaneRight);
    browserPane = new FileBrowserPane(SplitterLeft);
    picBrowser = browserPane;

    // The cliptext pane: one pane with its bar along the left edge.
    SplitterRight = new Splitter(central, QSize(kClipPaneWidth, 6000));
    SplitterRight->setObjectName(QStringLiteral("SplitterRight"));
    SplitterRight->setAccessibleName(QStringLiteral("Cliptext pane"));
    SplitterRight->LetStyle(SinglePaneLeft);
    clipPane = new ClipTextPane(SplitterRight);
    picClip = clipPane;

    setPaneWidth(SplitterLeft, kBrowserPaneWidth);
    setPaneWidth(SplitterRight, kClipPaneWidth);

    connect(SplitterLeft, &Splitter::Resize, this, &frmMain::SplitterLeft_Resize);
    connect(SplitterRight, &Splitter::Resize, this, &frmMain::SplitterRight_Resize);
    connect(SplitterLeft, &Splitter::MouseUp, this,
            [this] { picBrowser->resize(picBrowser->width(), SplitterLeft->height()); });
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
    placeInTwips(*tabFiles, {labelWidth + 60, 30, std::max(0.0, innerWidth - labelWidth - 60),
                             twipsOf(picTabs->height()) - 30});
}

bool frmMain::framePartEvent(QObject* watched, QEvent* event) {
    if (watched == picTabs && event->type() == QEvent::Resize) {
        picTabs_Resize();
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
    browserPane->layoutLists();
}

void frmMain::picClip_Layout() {
    clipPane->layoutLists();
}

void frmMain::layoutSidePanes() {
    picBrowser_Layout();
    picClip_Layout();
}

} // namespace kelvane
