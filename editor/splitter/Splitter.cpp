// The splitter control: pane placement, the drag of its bar and its property writes.
#include "splitter/Splitter.h"

#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/richtext/DisplayFormats.h"
#include "splitter/SplitterPropertyBag.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace kelvane {

namespace {

const char* const kTagProperty = "Tag";

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

double toTwips(double pixels) {
    return pixels * 1440.0 / logicalDpi();
}

/// The mouse buttons as the control's events number them: 1 left, 2 right, 4 middle.
int buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

/// The shift state: 1 Shift, 2 Ctrl, 4 Alt.
int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

/// The drag indicator: a solid bar in the window's dark shade.
class DragIndicator : public QWidget {
public:
    explicit DragIndicator(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), palette().color(QPalette::Dark));
    }
};

} // namespace

Splitter::Splitter(QWidget* parent, QSize sizeTwips) : QWidget(parent) {
    setObjectName(QStringLiteral("Splitter"));
    // The halves come from the size asked for, not from its rounding to whole pixels.
    if (sizeTwips.isValid())
        resize(twipsToPixels(sizeTwips.width()), twipsToPixels(sizeTwips.height()));
    const QSizeF size =
        sizeTwips.isValid() ? QSizeF(sizeTwips) : QSizeF(widthTwips(), heightTwips());
    initialHalfWidth_ = int(std::lround(size.width() / 2));
    initialHalfHeight_ = int(std::lround(size.height() / 2));
    p_ = SplitterProperties::defaults(initialHalfWidth_, initialHalfHeight_);

    imgSplitter = new QWidget(this);
    imgSplitter->setObjectName(QStringLiteral("imgSplitter"));
    imgSplitter->setAccessibleName(QStringLiteral("Splitter bar"));
    // Moves over the bar without the button held reach it, so a drag whose release went to
    // another window ends as soon as the mouse comes back.
    imgSplitter->setMouseTracking(true);
    imgSplitter->installEventFilter(this);

    picSplitter = new DragIndicator(this);
    picSplitter->setObjectName(QStringLiteral("picSplitter"));
    picSplitter->hide();

    applySurface();
    applyCursor();
}

void Splitter::setTag(QWidget* control, const QString& tag) {
    control->setProperty(kTagProperty, tag);
}

QString Splitter::tag(const QWidget* control) {
    return control->property(kTagProperty).toString();
}

QList<QWidget*> Splitter::containedControls() const {
    QList<QWidget*> controls;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget != imgSplitter && widget != picSplitter && !widget->isWindow())
            controls << widget;
    }
    return controls;
}

double Splitter::widthTwips() const {
    return toTwips(contentsRect().width());
}

double Splitter::heightTwips() const {
    return toTwips(contentsRect().height());
}

// --- property writes ---

void Splitter::LetBackColor(WinColour colour) {
    p_.BackColor = colour;
    applySurface();
    emit PropertyChanged(QStringLiteral("BackColor"));
}

void Splitter::LetEnabled(bool enabled) {
    p_.Enabled = enabled;
    applySurface();
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void Splitter::LetBorderStyle(int borderStyle) {
    p_.BorderStyle = borderStyle;
    applySurface();
    emit PropertyChanged(QStringLiteral("BorderStyle"));
    LayoutPanes();
}

void Splitter::LetStyle(int style) {
    SplitterGeometry::applyStyle(p_, style, widthTwips(), heightTwips());
    applyCursor();
    emit PropertyChanged(QStringLiteral("Style"));
    LayoutPanes();
}

void Splitter::LetSplitterOrientation(int orientation) {
    const OrientationConflict conflict =
        SplitterGeometry::orientationConflict(p_.Style, orientation);
    if (conflict != OrientationConflict::None) {
        MsgBox(SplitterGeometry::conflictMessage(conflict), vbOKOnly,
               QStringLiteral("vadErarivuv"));
        return;
    }
    p_.SplitterOrientation = orientation == VerticalBar ? VerticalBar : HorizontalBar;
    emit PropertyChanged(QStringLiteral("SplitterOrientation"));
    applyCursor();
    LayoutPanes();
}

#define KELVANE_SPLITTER_LENGTH_WRITE(Name)                                                        \
    void Splitter::Let##Name(int twips) {                                                          \
        p_.Name = twips;                                                                           \
        emit PropertyChanged(QStringLiteral(#Name));                                               \
        LayoutPanes();                                                                             \
    }
KELVANE_SPLITTER_LENGTH_WRITE(SplitterTop)
KELVANE_SPLITTER_LENGTH_WRITE(SplitterLeft)
KELVANE_SPLITTER_LENGTH_WRITE(SplitterHeight)
KELVANE_SPLITTER_LENGTH_WRITE(SplitterWidth)
KELVANE_SPLITTER_LENGTH_WRITE(MinHorizontalSize)
KELVANE_SPLITTER_LENGTH_WRITE(MinVerticalSize)
#undef KELVANE_SPLITTER_LENGTH_WRITE

void Splitter::WriteProperties(PropertyBag& bag) const {
    WriteSplitterProperties(p_, bag);
}

void Splitter::ReadProperties(const PropertyBag& bag) {
    p_ = ReadSplitterProperties(bag, initialHalfWidth_, initialHalfHeight_);
    applySurface();
    applyCursor();
    LayoutPanes();
}

void Splitter::applySurface() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, displayColour(p_.BackColor));
    setPalette(palette);
    setAutoFillBackground(false); // paintEvent fills the surface
    const int border = p_.BorderStyle != 0 ? 1 : 0;
    setContentsMargins(border, border, border, border);
    QWidget::setEnabled(p_.Enabled);
    update();
}

void Splitter::applyCursor() {
    imgSplitter->setCursor(p_.vertical() ? Qt::SizeHorCursor : Qt::SizeVerCursor);
}

// --- methods ---

void Splitter::Refresh() {
    repaint();
    emit MouseUp(1, 0, 0, 0);
    LayoutPanes();
}

void Splitter::Size(double widthTwips, double heightTwips) {
    resize(twipsToPixels(widthTwips) + contentsMargins().left() + contentsMargins().right(),
           twipsToPixels(heightTwips) + contentsMargins().top() + contentsMargins().bottom());
}

void Splitter::setTwipsGeometry(QWidget* widget, const TwipsBox& rect, QPoint origin) const {
    // Both edges are converted so that neighbouring rectangles meet without a gap.
    const int left = twipsToPixels(rect.left);
    const int top = twipsToPixels(rect.top);
    widget->setGeometry(origin.x() + left, origin.y() + top,
                        std::max(0, twipsToPixels(rect.right()) - left),
                        std::max(0, twipsToPixels(rect.bottom()) - top));
}

void Splitter::LayoutPanes() {
    const QList<QWidget*> controls = containedControls();
    QStringList tags;
    for (const QWidget* control : controls)
        tags << tag(control);
    const PaneChoice choice = SplitterGeometry::choosePanes(tags);
    const PaneLayout layout =
        SplitterGeometry::layoutPanes(p_, widthTwips(), heightTwips(), choice);
    const QPoint origin = contentsRect().topLeft();
    if (layout.pane0)
        setTwipsGeometry(controls[choice.pane0], *layout.pane0, origin);
    if (layout.pane1)
        setTwipsGeometry(controls[choice.pane1], *layout.pane1, origin);
    setTwipsGeometry(imgSplitter, layout.grabArea, origin);
    imgSplitter->raise();
    if (!dragging_ && picSplitter->parentWidget() == this)
        setTwipsGeometry(picSplitter, layout.bar, origin);
    picSplitter->raise();
    emit Resize();
}

// --- events ---

void Splitter::paintEvent(QPaintEvent*) {
    // Painting only paints: moving or resizing anything here would ask for the next paint.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (p_.BorderStyle != 0) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.end();
    emit Paint();
}

bool Splitter::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Panes added or taken away since the last layout are placed as soon as they arrive.
    if (event->type() == QEvent::ChildPolished || event->type() == QEvent::ChildRemoved)
        placeNewPanes();
    return handled;
}

void Splitter::placeNewPanes() {
    const qsizetype count = containedControls().size();
    if (count != lastControlCount_) {
        lastControlCount_ = count;
        LayoutPanes();
    }
}

void Splitter::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resize();
    LayoutPanes();
}

void Splitter::raiseMouseEvent(QMouseEvent* event,
                               void (Splitter::*signal)(int, int, double, double)) {
    const QPointF at = event->position();
    // Only the surface itself raises these: a pane's own mouse events stay the pane's.
    if (childAt(at.toPoint()))
        return;
    const int buttons = buttonCode(event->buttons() | event->button());
    (this->*signal)(buttons, shiftCode(event->modifiers()), toTwips(at.x()), toTwips(at.y()));
}

void Splitter::mousePressEvent(QMouseEvent* event) {
    raiseMouseEvent(event, &Splitter::MouseDown);
}

void Splitter::mouseMoveEvent(QMouseEvent* event) {
    raiseMouseEvent(event, &Splitter::MouseMove);
}

void Splitter::mouseReleaseEvent(QMouseEvent* event) {
    raiseMouseEvent(event, &Splitter::MouseUp);
    if (rect().contains(event->position().toPoint()) && !childAt(event->position().toPoint()))
        emit Click();
}

void Splitter::mouseDoubleClickEvent(QMouseEvent*) {
    emit DblClick();
}

bool Splitter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imgSplitter)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            grabMouseDown(axisPosition(imgSplitter, mouse->position()));
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A move without the button held means the release went elsewhere (the grab was
        // taken by another window): the drag is over.
        if (dragging_ && !(mouse->buttons() & Qt::LeftButton))
            cancelDrag();
        else if (dragging_)
            grabMouseMove(axisPosition(imgSplitter, mouse->position()));
        return true;
    }
    case QEvent::UngrabMouse:
    case QEvent::Hide:
        // The mouse was taken away, or the bar hidden (its pane closed from the keyboard)
        // while the button was still down: no release will come.
        if (dragging_)
            cancelDrag();
        return false;
    case QEvent::MouseButtonRelease:
        if (dragging_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            grabMouseUp();
        return true;
    default:
        return false;
    }
}

// --- dragging ---

double Splitter::axisPosition(const QWidget* source, QPointF position) const {
    const QPointF inControl = source->mapTo(this, position) - QPointF(contentsRect().topLeft());
    return toTwips(p_.vertical() ? inControl.x() : inControl.y());
}

DragFrame Splitter::dragFrame() const {
    DragFrame frame;
    const bool singlePane = p_.Style != TwoPanes && parentWidget();
    const QRect inner = contentsRect();
    const QPoint topLeft = singlePane ? mapTo(parentWidget(), inner.topLeft()) : QPoint();
    frame.control = {toTwips(topLeft.x()), toTwips(topLeft.y()), toTwips(inner.width()),
                     toTwips(inner.height())};
    const QSize parentSize = singlePane ? parentWidget()->size() : inner.size();
    frame.parentWidth = toTwips(parentSize.width());
    frame.parentHeight = toTwips(parentSize.height());
    return frame;
}

void Splitter::grabMouseDown(double position) {
    dragStartAxis_ = std::round(position);
    dragging_ = true;
    const DragFrame frame = dragFrame();
    // One pane: the indicator travels in the parent window, outside the control.
    if (p_.Style != TwoPanes && parentWidget())
        picSplitter->setParent(parentWidget());
    placeIndicator(SplitterGeometry::dragStart(p_, frame));
    picSplitter->show();
    picSplitter->raise();
}

void Splitter::grabMouseMove(double position) {
    placeIndicator(SplitterGeometry::dragPosition(p_, dragFrame(), position, dragStartAxis_));
}

void Splitter::placeIndicator(double position) {
    indicator_ = position;
    const DragFrame frame = dragFrame();
    const TwipsBox& c = frame.control;
    const bool inParent = picSplitter->parentWidget() != this;
    TwipsBox bar;
    if (p_.vertical())
        bar = {position, inParent ? c.top : 0, double(p_.SplitterWidth), c.height};
    else
        bar = {inParent ? c.left : 0, position, c.width, double(p_.SplitterHeight)};
    setTwipsGeometry(picSplitter, bar, inParent ? QPoint() : contentsRect().topLeft());
}

void Splitter::grabMouseUp() {
    picSplitter->hide();
    dragging_ = false;
    const DragResult result = SplitterGeometry::mouseUp(p_, dragFrame(), indicator_);
    p_ = result.properties;
    if (picSplitter->parentWidget() != this)
        picSplitter->setParent(this);
    if (p_.Style != TwoPanes && parentWidget())
        takeControlRect(result.control);
    LayoutPanes();
}

void Splitter::cancelDrag() {
    // The panes stay where they were; only the indicator and the drag mode go.
    dragging_ = false;
    picSplitter->hide();
    if (picSplitter->parentWidget() != this)
        picSplitter->setParent(this);
    LayoutPanes();
}

void Splitter::hideEvent(QHideEvent* event) {
    if (dragging_)
        cancelDrag();
    QWidget::hideEvent(event);
}

void Splitter::takeControlRect(const TwipsBox& rect) {
    const QMargins margins = contentsMargins();
    const int left = twipsToPixels(rect.left) - margins.left();
    const int top = twipsToPixels(rect.top) - margins.top();
    const int width =
        twipsToPixels(rect.right()) - twipsToPixels(rect.left) + margins.left() + margins.right();
    const int height =
        twipsToPixels(rect.bottom()) - twipsToPixels(rect.top) + margins.top() + margins.bottom();
    // A control that a layout places keeps the dragged length as its fixed length; the layout
    // then moves it (a right-hand pane keeps its right edge).
    if (parentWidget()->layout()) {
        if (p_.vertical())
            setFixedWidth(std::max(0, width));
        else
            setFixedHeight(std::max(0, height));
        return;
    }
    setGeometry(left, top, std::max(0, width), std::max(0, height));
}

} // namespace kelvane
