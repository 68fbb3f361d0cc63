// The open-files strip.
#include "app/OpenFilesStrip.h"

#include "library/PaneLayout.h"
#include "platform/KeyedTabBar.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace kelvane {

OpenFilesStrip::OpenFilesStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picTabs"));
    lblOpenFiles = new QLabel(QStringLiteral("Opened Files:"), this);
    lblOpenFiles->setObjectName(QStringLiteral("lblOpenFiles"));
    lblOpenFiles->setCursor(Qt::PointingHandCursor);
    lblOpenFiles->setToolTip(QStringLiteral("Lists the open windows"));
    lblOpenFiles->setAccessibleName(QStringLiteral("Opened Files:"));
    lblOpenFiles->adjustSize();
    lblOpenFiles->installEventFilter(this);
    tabFiles = new KeyedTabBar(this);
    tabFiles->setObjectName(QStringLiteral("tabFiles"));
    tabFiles->setAccessibleName(QStringLiteral("Open files"));
    // The strip is 360 twips high, or as high as the tabs need with this desktop's font.
    setFixedHeight(std::max(twipsToPixels(360), twipsToPixels(30) + tabFiles->sizeHint().height()));
    lblOpenFiles->move(twipsToPixels(60), twipsToPixels(90));
}

void OpenFilesStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The tabs stand right of the label and take the rest of the strip.
    const double labelWidth = pixelsToTwips(lblOpenFiles->width());
    const double innerWidth = pixelsToTwips(contentsRect().width());
    placeInTwips(*tabFiles, {labelWidth + 60, 30, std::max(0.0, innerWidth - labelWidth - 60),
                             pixelsToTwips(height()) - 30});
}

bool OpenFilesStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblOpenFiles && event->type() == QEvent::MouseButtonPress) {
        lblOpenFiles->move(twipsToPixels(75), twipsToPixels(105)); // pressed look
        return true;
    }
    if (watched == lblOpenFiles && event->type() == QEvent::MouseButtonRelease) {
        lblOpenFiles->move(twipsToPixels(60), twipsToPixels(90));
        if (windowMenu_)
            windowMenu_->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelvane
