// The main window's two side panes, each in a one-pane splitter: the file browser on the left
// with its bar along its right edge, the cliptext libraries on the right with their bar along
// the left edge. A pane dragged wider than the window allows gives way to the document area.
#pragma once

#include <QObject>
#include <QtGlobal>

class QWidget;

namespace kelvane {

class ClipTextPane;
class FileBrowserPane;
class Splitter;

class SidePanes : public QObject {
    Q_OBJECT
public:
    /// The panes are children of `central`; `frame` is the window whose width they share.
    SidePanes(QWidget* frame, QWidget* central);

    Splitter* SplitterLeft;
    Splitter* SplitterRight;
    FileBrowserPane* browserPane;
    ClipTextPane* clipPane;

    /// Pane widths in twips.
    void setWidths(qint32 left, qint32 right);
    double leftWidth() const;
    double rightWidth() const;
    /// Lays out the lists inside both panes.
    void layoutPanes();

private:
    /// Keeps a pane from squeezing the document area, then lays it out.
    void squeeze(Splitter* pane, const Splitter* other);

    QWidget* frame_;
};

} // namespace kelvane
