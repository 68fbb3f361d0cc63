// The Window group: a new window, the arrangements of the document windows, and the list of
// open windows the Window menu generates each time it opens.
#pragma once

#include "platform/CommandGroup.h"

#include <QList>

class QMdiArea;
class QMdiSubWindow;

namespace kelvane {

class DocumentHost;

class WindowCommands : public CommandGroup {
    Q_OBJECT
public:
    WindowCommands(DocumentHost& host, QMdiArea* area, QWidget* parent);

    void mnuWindowNewWindow_Click();
    /// Cascades the windows from the corner, the active one in front.
    void mnuWindowCascade_Click();
    /// Stacks the windows one above the other, each the full width.
    void mnuWindowTileHorizontal_Click();
    /// Sets the windows side by side, each the full height.
    void mnuWindowTileVertical_Click();
    /// Lines the minimised windows up along the bottom edge.
    void mnuWindowArrangeIcons_Click();
    void mnuWindowMinAll_Click();

    /// Gives a new document window its place: each one step down and right of the one before.
    void placeNewSubWindow(QMdiSubWindow* sub);

private:
    void tileDocuments(Qt::Orientation orientation);
    /// How far each cascaded or new window stands from the one before: a title bar and a bit.
    int titleStep() const;
    /// The windows an arrangement moves, in creation order: the visible ones not minimised,
    /// a maximised one shown normal first.
    QList<QMdiSubWindow*> arrangedWindows() const;
    /// Lists the open windows below the commands, the active one checked.
    void fillWindowList();

    DocumentHost& host_;
    QMdiArea* area_;
    QList<QAction*> windowList_;
};

} // namespace kelvane
