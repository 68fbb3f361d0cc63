// The splitter control: a container with a movable bar, holding two panes or one pane beside
// a bar on one of its edges. Lengths of its interface are twips.
#pragma once

#include "splitter/SplitterGeometry.h"

#include <QWidget>

namespace kelvane {

class PropertyBag;

/// A container whose bar the user drags to share its space between two panes or, with one
/// pane, to resize the whole control inside its parent. Property writes are named Let...:
/// each has the write effect of that property (layout, orientation check, ...).
class Splitter : public QWidget {
    Q_OBJECT
public:
    /// A new control of the given size in twips (its current size when empty), with the
    /// default properties: the bar in the middle of that size.
    explicit Splitter(QWidget* parent = nullptr, QSize sizeTwips = QSize());

    /// The tag that makes a contained control Pane0 or Pane1.
    static void setTag(QWidget* control, const QString& tag);
    static QString tag(const QWidget* control);

    // Property reads.
    WinColour BackColor() const { return p_.BackColor; }
    bool Enabled() const { return p_.Enabled; }
    int BorderStyle() const { return p_.BorderStyle; }
    int Style() const { return p_.Style; }
    int SplitterOrientation() const { return p_.SplitterOrientation; }
    int SplitterTop() const { return p_.SplitterTop; }
    int SplitterLeft() const { return p_.SplitterLeft; }
    int SplitterHeight() const { return p_.SplitterHeight; }
    int SplitterWidth() const { return p_.SplitterWidth; }
    int MinHorizontalSize() const { return p_.MinHorizontalSize; }
    int MinVerticalSize() const { return p_.MinVerticalSize; }
    const SplitterProperties& properties() const { return p_; }

    // Property writes.
    void LetBackColor(WinColour colour);
    void LetEnabled(bool enabled);
    void LetBorderStyle(int borderStyle);
    void LetStyle(int style);
    /// Refused with a message when the style's single pane needs the other orientation.
    void LetSplitterOrientation(int orientation);
    void LetSplitterTop(int twips);
    void LetSplitterLeft(int twips);
    void LetSplitterHeight(int twips);
    void LetSplitterWidth(int twips);
    void LetMinHorizontalSize(int twips);
    void LetMinVerticalSize(int twips);

    /// Stores the properties with the host.
    void WriteProperties(PropertyBag& bag) const;
    /// Takes the stored properties (missing ones take their reading defaults) and lays out.
    void ReadProperties(const PropertyBag& bag);

    /// Repaints, raises MouseUp (button 1 at 0, 0) and lays the panes out again.
    void Refresh();
    /// Resizes the control (twips).
    void Size(double widthTwips, double heightTwips);
    /// Places the panes and the bar.
    void LayoutPanes();

    /// The controls the user placed inside, in collection order.
    QList<QWidget*> containedControls() const;
    /// The control's inner width and height in twips.
    double widthTwips() const;
    double heightTwips() const;
    bool isDragging() const { return dragging_; }
    int initialHalfWidth() const { return initialHalfWidth_; }
    int initialHalfHeight() const { return initialHalfHeight_; }

    /// The grab area over the bar: shows the resize cursor and takes the mouse for dragging.
    QWidget* imgSplitter;
    /// The drag indicator, shown only while dragging.
    QWidget* picSplitter;

signals:
    void Paint();
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Resize();
    /// A property was written; the host may store the properties again.
    void PropertyChanged(const QString& name);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Lays the panes out when controls were added or removed since the last look.
    void placeNewPanes();
    void applySurface();
    void applyCursor();
    void setTwipsGeometry(QWidget* widget, const TwipsBox& rect, QPoint origin) const;
    DragFrame dragFrame() const;
    /// The mouse position in the control along the drag axis, in twips.
    double axisPosition(const QWidget* source, QPointF position) const;
    void grabMouseDown(double position);
    void grabMouseMove(double position);
    void grabMouseUp();
    /// Ends a drag that lost the mouse: the indicator goes, the panes stay as they were.
    void cancelDrag();
    void placeIndicator(double position);
    void takeControlRect(const TwipsBox& rect);
    void raiseMouseEvent(QMouseEvent* event, void (Splitter::*signal)(int, int, double, double));

    SplitterProperties p_;
    int initialHalfWidth_ = 0;
    int initialHalfHeight_ = 0;
    bool dragging_ = false;
    double dragStartAxis_ = 0;       ///< the mouse-down point along the drag axis
    double indicator_ = 0;           ///< the indicator's position along the drag axis
    qsizetype lastControlCount_ = 0; ///< contained controls at the last look
};

} // namespace kelvane
