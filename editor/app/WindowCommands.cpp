// The Window group's commands and its generated list of windows.
#include "app/WindowCommands.h"

#include "app/WindowArrangement.h"

#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"

#include "platform/richtext/RichTextBox.h"

#include <QAction>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QTimer>

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
    connect(area_, &QMdiArea::subWindowActivated, this, &WindowCommands::onSubWindowActivated);
}

void WindowCommands::addDocumentWindow(frmDocument* document) {
    QMdiSubWindow* sub = area_->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.svg")));
    sub->hide();
    placeNewSubWindow(sub);
}

void WindowCommands::showDocumentWindow(frmDocument* document) {
    QMdiSubWindow* sub = document->subWindow();
    sub->setWindowTitle(document->Caption());
    document->Form_Load();
    sub->show();
    activatedDocument_ = nullptr; // a window shown (again) is activated with its text
    if (area_->activeSubWindow() == sub)
        onSubWindowActivated(sub);
    else
        area_->setActiveSubWindow(sub);
    document->rtfText->SetFocus();
}

void WindowCommands::onSubWindowActivated(QMdiSubWindow* sub) {
    auto* document = sub ? qobject_cast<frmDocument*>(sub->widget()) : nullptr;
    // Another program (or a dialog) taking the focus leaves no document active for a while;
    // coming back to the same document is no new activation, so it is neither laid out,
    // refreshed nor coloured again.
    if (!document || !document->isLoaded() || document == activatedDocument_)
        return;
    activatedDocument_ = document;
    document->Form_GotFocus();
    // The window system reports an activation once the command that caused it has finished,
    // so a document opened into a new window is refreshed (and coloured) with its text.
    QTimer::singleShot(0, document, [document = QPointer<frmDocument>(document), this] {
        if (document && area_->activeSubWindow() == document->subWindow())
            document->Form_Activate();
    });
}

void WindowCommands::mnuWindowNewWindow_Click() {
    host_.newDocument();
}

void WindowCommands::mnuWindowCascade_Click() {
    // The active window comes last, so it stands in front, fully seen.
    QList<QMdiSubWindow*> windows = arrangedWindows();
    if (QMdiSubWindow* active = area_->activeSubWindow(); windows.removeOne(active))
        windows << active;
    const std::vector<QRect> places =
        cascadePlaces(area_->viewport()->rect(), int(windows.size()), titleStep());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(places[size_t(i)]);
        windows[i]->raise();
    }
}

void WindowCommands::mnuWindowTileHorizontal_Click() {
    tileDocuments(Qt::Horizontal);
}

void WindowCommands::mnuWindowTileVertical_Click() {
    tileDocuments(Qt::Vertical);
}

int WindowCommands::titleStep() const {
    return area_->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
}

QList<QMdiSubWindow*> WindowCommands::arrangedWindows() const {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible() || sub->isMinimized())
            continue;
        if (sub->isMaximized())
            sub->showNormal();
        windows << sub;
    }
    return windows;
}

void WindowCommands::placeNewSubWindow(QMdiSubWindow* sub) {
    const int index = int(area_->subWindowList(QMdiArea::CreationOrder).indexOf(sub));
    sub->setGeometry(newWindowPlace(area_->viewport()->size(), titleStep(), index));
}

void WindowCommands::tileDocuments(Qt::Orientation orientation) {
    const QList<QMdiSubWindow*> windows = arrangedWindows();
    const std::vector<QRect> places =
        tilePlaces(area_->viewport()->rect(), int(windows.size()), orientation);
    for (qsizetype i = 0; i < windows.size(); ++i)
        windows[i]->setGeometry(places[size_t(i)]);
}

void WindowCommands::mnuWindowArrangeIcons_Click() {
    QList<QMdiSubWindow*> icons;
    std::vector<QSize> sizes;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isMinimized()) {
            icons << sub;
            sizes.push_back(sub->size());
        }
    }
    const std::vector<QPoint> places = iconPlaces(area_->viewport()->rect(), sizes);
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(places[size_t(i)]);
}

void WindowCommands::mnuWindowMinAll_Click() {
    for (frmDocument* document : DocumentRegistry.openDocuments())
        document->subWindow()->showMinimized();
}

void WindowCommands::tabFiles_Click(const QString& key) {
    if (frmDocument* document = DocumentRegistry.openDocument(DocumentTable::slotOfTabKey(key))) {
        // A minimised window would take the typing unseen: it comes back first.
        if (document->subWindow()->isMinimized())
            document->subWindow()->showNormal();
        area_->setActiveSubWindow(document->subWindow());
        document->setFocus(Qt::MouseFocusReason);
    }
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
