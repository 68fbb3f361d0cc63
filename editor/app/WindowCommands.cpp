// The Window group's commands and its generated list of windows.
#include "app/WindowCommands.h"

#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>

#include <algorithm>

namespace kelvane {

WindowCommands::WindowCommands(DocumentHost& host, QMdiArea* area, QWidget* parent)
    : CommandGroup(QStringLiteral("&Window"), parent), host_(host), area_(area) {
    add({"mnuWindowNewWindow", QStringLiteral("&New Window")},
        [this] { mnuWindowNewWindow_Click(); });
    addSeparator();
    add({"mnuWindowCascade", QStringLiteral("&Cascade")}, [this] { mnuWindowCascade_Click(); });
    add({"mnuWindowTileHorizontal", QStringLiteral("Tile &Horizontal")},
        [this] { mnuWindowTileHorizontal_Click(); });
    add({"mnuWindowTileVertical", QStringLiteral("Tile &Vertical")},
        [this] { mnuWindowTileVertical_Click(); });
    add({"mnuWindowArrangeIcons", QStringLiteral("&Arrange Icons")},
        [this] { mnuWindowArrangeIcons_Click(); });
    addSeparator();
    add({"mnuWindowMinAll", QStringLiteral("&Minimize All Windows")},
        [this] { mnuWindowMinAll_Click(); });
    connect(menu(), &QMenu::aboutToShow, this, &WindowCommands::fillWindowList);
}

void WindowCommands::mnuWindowNewWindow_Click() {
    host_.newDocument();
}

void WindowCommands::mnuWindowCascade_Click() {
    area_->cascadeSubWindows();
}

void WindowCommands::mnuWindowTileHorizontal_Click() {
    tileDocuments(Qt::Horizontal);
}

void WindowCommands::mnuWindowTileVertical_Click() {
    tileDocuments(Qt::Vertical);
}

void WindowCommands::placeNewSubWindow(QMdiSubWindow* sub) {
    // New windows take three quarters of the document area, each one step down and right of
    // the one before, starting again at the corner when the steps run out of room.
    const QSize area = area_->viewport()->size().expandedTo(QSize(400, 300));
    const QSize size(area.width() * 3 / 4, area.height() * 3 / 4);
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const int count = int(area_->subWindowList(QMdiArea::CreationOrder).indexOf(sub));
    const int room =
        std::max(1, std::min(area.width() - size.width(), area.height() - size.height()) / step);
    const int offset = (count % (room + 1)) * step;
    sub->setGeometry(offset, offset, size.width(), size.height());
}

void WindowCommands::tileDocuments(Qt::Orientation orientation) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub->isVisible() && !sub->isMinimized())
            windows << sub;
    if (windows.isEmpty())
        return;
    const QRect area = area_->viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = windows[i];
        if (sub->isMaximized())
            sub->showNormal();
        if (orientation == Qt::Horizontal)
            sub->setGeometry(0, area.height() * i / n, area.width(),
                             area.height() * (i + 1) / n - area.height() * i / n);
        else
            sub->setGeometry(area.width() * i / n, 0,
                             area.width() * (i + 1) / n - area.width() * i / n, area.height());
    }
}

void WindowCommands::mnuWindowArrangeIcons_Click() {
    const QRect area = area_->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        sub->move(x, area.height() - size.height());
        x += size.width();
    }
}

void WindowCommands::mnuWindowMinAll_Click() {
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->subWindow()->showMinimized();
}

void WindowCommands::fillWindowList() {
    for (QAction* action : windowList_) {
        menu()->removeAction(action);
        action->deleteLater();
    }
    windowList_.clear();
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    if (windows.isEmpty())
        return;
    windowList_ << menu()->addSeparator();
    int number = 1;
    for (QMdiSubWindow* sub : windows) {
        // The number is the access key; an "&" in the caption shows as written.
        QString caption = sub->windowTitle();
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption)
                                         : QStringLiteral("%1 %2").arg(number).arg(caption);
        QAction* action = menu()->addAction(text);
        action->setCheckable(true);
        action->setChecked(sub == area_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (!sub)
                return;
            if (sub->isMinimized())
                sub->showNormal();
            area_->setActiveSubWindow(sub);
        });
        windowList_ << action;
        ++number;
    }
}

} // namespace kelvane
