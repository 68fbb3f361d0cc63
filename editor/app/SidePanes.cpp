// The side panes in their splitters.
#include "app/SidePanes.h"

#include "app/SidePaneLayout.h"
#include "library/ClipTextPane.h"
#include "library/FileBrowserPane.h"
#include "platform/Twips.h"
#include "settings/WindowState.h"
#include "splitter/Splitter.h"

namespace kelvane {

namespace {
void setWidth(Splitter* pane, double widthTwips) {
    pane->setFixedWidth(std::max(0, twipsToPixels(widthTwips)));
}
} // namespace

SidePanes::SidePanes(QWidget* frame, QWidget* central) : QObject(frame), frame_(frame) {
    SplitterLeft = new Splitter(central, QSize(kBrowserPaneWidth, 6000));
    SplitterLeft->setObjectName(QStringLiteral("SplitterLeft"));
    SplitterLeft->setAccessibleName(QStringLiteral("File browser pane"));
    SplitterLeft->LetStyle(SinglePaneRight);
    browserPane = new FileBrowserPane(SplitterLeft);

    SplitterRight = new Splitter(central, QSize(kClipPaneWidth, 6000));
    SplitterRight->setObjectName(QStringLiteral("SplitterRight"));
    SplitterRight->setAccessibleName(QStringLiteral("Cliptext pane"));
    SplitterRight->LetStyle(SinglePaneLeft);
    clipPane = new ClipTextPane(SplitterRight);

    setWidths(kBrowserPaneWidth, kClipPaneWidth);
    connect(SplitterLeft, &Splitter::Resize, this, [this] {
        squeeze(SplitterLeft, SplitterRight);
        browserPane->layoutLists();
    });
    connect(SplitterRight, &Splitter::Resize, this, [this] {
        squeeze(SplitterRight, SplitterLeft);
        clipPane->layoutLists();
    });
    connect(SplitterLeft, &Splitter::MouseUp, this,
            [this] { browserPane->resize(browserPane->width(), SplitterLeft->height()); });
}

void SidePanes::setWidths(qint32 left, qint32 right) {
    setWidth(SplitterLeft, left);
    setWidth(SplitterRight, right);
}

double SidePanes::leftWidth() const {
    return pixelsToTwips(SplitterLeft->width());
}

double SidePanes::rightWidth() const {
    return pixelsToTwips(SplitterRight->width());
}

void SidePanes::layoutPanes() {
    browserPane->layoutLists();
    clipPane->layoutLists();
}

void SidePanes::squeeze(Splitter* pane, const Splitter* other) {
    // A hidden pane leaves its room to the document area.
    const double otherWidth = other->isHidden() ? 0 : pixelsToTwips(other->width());
    if (const std::optional<double> narrowed = squeezedPaneWidth(
            pixelsToTwips(frame_->width()), otherWidth, pixelsToTwips(pane->width())))
        setWidth(pane, *narrowed);
}

} // namespace kelvane
