// The Window group: the document windows in the MDI area, a new window, their arrangements,
// and the list of open windows the Window menu generates each time it opens.
#pragma once

#include "platform/CommandGroup.h"

#include <QList>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace kelvane {

class DocumentHost;
class frmDocument;

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

    /// Puts a new document window into the area, hidden, at the place of a new window.
    void addDocumentWindow(frmDocument* document);
    /// Shows a document window (loading it) and makes it active.
    void showDocumentWindow(frmDocument* document);
    /// Brings the document of a tab of the open-files strip forward.
    void tabFiles_Click(const QString& key);
    /// Gives a new document window its place: each one step down and right of the one before.
    void placeNewSubWindow(QMdiSubWindow* sub);

private:
    void tileDocuments(Qt::Orientation orientation);
    void onSubWindowActivated(QMdiSubWindow* sub);
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
    /// The document activated last among the document windows.
    QPointer<frmDocument> activatedDocument_;
};

} // namespace kelvane
