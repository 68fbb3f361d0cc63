// The splitter control's arithmetic in twips.
#include "splitter/SplitterGeometry.h"

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

bool isEdgeStyle(int style) {
    return style >= SinglePaneLeft && style <= SinglePaneBottom;
}

/// The bar's position as an edge style fixes it (SplitterLeft or SplitterTop along the axis).
double fixedBarPosition(const SplitterProperties& p, double w, double h) {
    switch (p.Style) {
    case SinglePaneLeft:
    case SinglePaneTop:
        return 0;
    case SinglePaneRight:
        return w - p.SplitterWidth;
    case SinglePaneBottom:
        return h - p.SplitterHeight;
    default:
        return p.vertical() ? p.SplitterLeft : p.SplitterTop;
    }
}

int roundTwips(double value) {
    return int(std::lround(value));
}

} // namespace

SplitterProperties SplitterProperties::defaults(int initialHalfWidth, int initialHalfHeight) {
    SplitterProperties p;
    p.SplitterTop = initialHalfHeight;
    p.SplitterLeft = initialHalfWidth;
    return p;
}

PaneChoice SplitterGeometry::choosePanes(const QStringList& tags) {
    PaneChoice choice;
    for (int i = 0; i < tags.size(); ++i) {
        if (tags[i] == QLatin1String("Pane0"))
            choice.pane0 = i;
        else if (tags[i] == QLatin1String("Pane1"))
            choice.pane1 = i;
    }
    int chosenFirst = -1;
    if (choice.pane0 < 0) {
        for (int i = 0; i < tags.size() && chosenFirst < 0; ++i)
            if (tags[i] != QLatin1String("Pane1"))
                chosenFirst = i;
        choice.pane0 = chosenFirst;
    }
    if (choice.pane1 < 0 && tags.size() >= 2) {
        for (int i = 0; i < tags.size(); ++i) {
            if (i != chosenFirst && tags[i] != QLatin1String("Pane0")) {
                choice.pane1 = i;
                break;
            }
        }
    }
    return choice;
}

PaneLayout SplitterGeometry::layoutPanes(SplitterProperties& p, double w, double h,
                                         const PaneChoice& panes) {
    switch (p.Style) {
    case SinglePaneBottom:
        p.SplitterTop = roundTwips(h - p.SplitterHeight);
        break;
    case SinglePaneLeft:
        p.SplitterLeft = 0;
        break;
    case SinglePaneRight:
        p.SplitterLeft = roundTwips(w - p.SplitterWidth);
        break;
    case SinglePaneTop:
        p.SplitterTop = 0;
        break;
    default:
        break;
    }
    const double top = p.SplitterTop;
    const double left = p.SplitterLeft;
    const double bh = p.SplitterHeight;
    const double bw = p.SplitterWidth;

    PaneLayout layout;
    if (panes.pane0 >= 0) {
        TwipsBox r;
        r.top = p.Style == SinglePaneTop ? bh : 0;
        r.left = p.Style == SinglePaneLeft ? bw : 0;
        if (p.vertical()) {
            r.width = p.Style == SinglePaneLeft ? w - bw : left - bw / 2;
            r.height = h;
        } else {
            r.width = w;
            r.height = p.Style == SinglePaneTop ? h - bh : top - bh / 2;
        }
        layout.pane0 = r;
    }
    if (panes.pane1 >= 0 && p.Style == TwoPanes) {
        layout.pane1 = p.vertical() ? TwipsBox{left + bw, 0, w - left - bw, h}
                                    : TwipsBox{0, top + bh, w, h - top - bh};
    }
    if (p.vertical()) {
        layout.grabArea = {left - kGrabMargin, 0, bw + 2 * kGrabMargin, h};
        layout.bar = {left, 0, bw, h};
    } else {
        layout.grabArea = {0, top - kGrabMargin, w, bh + 2 * kGrabMargin};
        layout.bar = {0, top, w, bh};
    }
    return layout;
}

void SplitterGeometry::applyStyle(SplitterProperties& p, int style, double w, double h) {
    p.Style = style;
    if (style == SinglePaneTop || style == SinglePaneBottom)
        p.SplitterOrientation = HorizontalBar;
    else if (style == SinglePaneLeft || style == SinglePaneRight)
        p.SplitterOrientation = VerticalBar;
    if (p.SplitterLeft < p.MinVerticalSize)
        p.SplitterLeft = p.MinVerticalSize;
    else if (w - p.MinVerticalSize < p.SplitterLeft)
        p.SplitterLeft = roundTwips(w - p.MinVerticalSize);
    if (p.SplitterTop < p.MinHorizontalSize)
        p.SplitterTop = p.MinHorizontalSize;
    else if (h - p.MinHorizontalSize < p.SplitterTop)
        p.SplitterTop = roundTwips(h - p.MinHorizontalSize);
}

OrientationConflict SplitterGeometry::orientationConflict(int style, int orientation) {
    if ((style == SinglePaneLeft || style == SinglePaneRight) && orientation == HorizontalBar)
        return OrientationConflict::Horizontal;
    if ((style == SinglePaneTop || style == SinglePaneBottom) && orientation == VerticalBar)
        return OrientationConflict::Vertical;
    return OrientationConflict::None;
}

QString SplitterGeometry::conflictMessage(OrientationConflict conflict) {
    switch (conflict) {
    case OrientationConflict::Horizontal:
        return QStringLiteral("Cannot Set Orientation to Horizontal while the Style property is "
                              "set to vbSinglePaneLeft or [Single Pane Right]");
    case OrientationConflict::Vertical:
        return QStringLiteral("Cannot Set Orientation to Vertical while the Style property is "
                              "set to vbSinglePaneTop or [Single Pane Bottom]");
    case OrientationConflict::None:
        break;
    }
    return QString();
}

int SplitterGeometry::dragMinimum(const SplitterProperties& p) {
    return p.vertical() ? p.MinHorizontalSize : p.MinVerticalSize;
}

double SplitterGeometry::dragStart(const SplitterProperties& p, const DragFrame& frame) {
    const double bar = fixedBarPosition(p, frame.control.width, frame.control.height);
    if (!isEdgeStyle(p.Style))
        return bar;
    return (p.vertical() ? frame.control.left : frame.control.top) + bar;
}

double SplitterGeometry::dragPosition(const SplitterProperties& p, const DragFrame& frame,
                                      double mouse, double mouseDown) {
    const double m = dragMinimum(p);
    const TwipsBox& c = frame.control;
    if (p.Style == TwoPanes) {
        // The indicator's edge follows the mouse pointer itself.
        const double position = std::round(mouse);
        const double extent = p.vertical() ? c.width : c.height;
        if (position < m)
            return m;
        if (extent - m < position)
            return extent - m;
        return position;
    }
    // One pane: the indicator moves by the distance the mouse travelled since the mouse-down.
    const double position = dragStart(p, frame) + std::round(mouse) - std::round(mouseDown);
    switch (p.Style) {
    case SinglePaneTop:
        return std::clamp(position, 0.0, std::max(0.0, c.bottom() - m));
    case SinglePaneBottom:
        if (position < c.top + m)
            return c.top + m;
        return std::min(position, frame.parentHeight - kBottomBarReserve);
    case SinglePaneLeft:
        return std::clamp(position, 0.0, std::max(0.0, c.right() - m));
    case SinglePaneRight:
        if (position < c.left + m)
            return c.left + m;
        return std::min(position, frame.parentWidth - kRightBarReserve);
    default:
        return position;
    }
}

DragResult SplitterGeometry::mouseUp(const SplitterProperties& p, const DragFrame& frame,
                                     double indicator) {
    DragResult result{p, frame.control};
    SplitterProperties& q = result.properties;
    TwipsBox& c = result.control;
    const int m = dragMinimum(p);
    switch (p.Style) {
    case TwoPanes: {
        const double extent = p.vertical() ? c.width : c.height;
        int position = roundTwips(indicator);
        if (position < m)
            position = m;
        if (extent - m < position)
            position = roundTwips(extent - m);
        (p.vertical() ? q.SplitterLeft : q.SplitterTop) = position;
        break;
    }
    case SinglePaneBottom:
        q.SplitterTop = roundTwips(indicator - c.top);
        c.height = p.SplitterHeight + q.SplitterTop;
        break;
    case SinglePaneTop: {
        q.SplitterTop = roundTwips(indicator - c.top);
        const double bottom = c.bottom();
        c.top += q.SplitterTop;
        c.height = bottom - c.top;
        break;
    }
    case SinglePaneRight:
        q.SplitterLeft = roundTwips(indicator - c.left);
        c.width = p.SplitterWidth + q.SplitterLeft;
        break;
    case SinglePaneLeft: {
        q.SplitterLeft = roundTwips(indicator - c.left);
        const double right = c.right();
        c.left += q.SplitterLeft;
        c.width = right - c.left;
        break;
    }
    default:
        break;
    }
    return result;
}

} // namespace kelvane
