// The text view: its model, settings and metrics, the caret and the selection, focus and blinking.
// Layout, painting, keys, mouse, dragging and input methods have files of their own.
#include "platform/richtext/TextView.h"

#include "platform/richtext/TextViewAccessible.h"
#include "platform/richtext/TextViewPiece.h"
#include "platform/text/TextModel.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QScrollBar>

#include <cmath>

namespace kelvane {

TextView::TextView(QWidget* parent) : QAbstractScrollArea(parent) {
    TextViewAccessible::installFactory();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    layout_.setPreedit(&preedit_, &position_);
    layout_.onExtentChanged = [this] { updateScrollBars(); };
}

TextView::~TextView() = default;

void TextView::setModel(TextModel* model) {
    if (model_)
        disconnect(model_, nullptr, this, nullptr);
    model_ = model;
    layout_.setModel(model_);
    if (!model_) {
        viewport()->update();
        return;
    }
    connect(model_, &TextModel::contentsChanged, this, &TextView::onContentsChanged);
    connect(model_, &TextModel::stylesChanged, this, &TextView::onStylesChanged);
    connect(model_, &TextModel::reset, this, &TextView::onReset);
    onReset();
}

// --- model changes ---

void TextView::onContentsChanged(qsizetype from, qsizetype removed, qsizetype added) {
    const TextStore& text = model_->text();
    if (QAccessible::isActive() && removed + added <= 65536) {
        // Screen readers hear what changed, not the whole text again.
        if (removed > 0) {
            QAccessibleTextRemoveEvent event(this, int(from), QString(int(removed), QChar()));
            QAccessible::updateAccessibility(&event);
        }
        if (added > 0) {
            QAccessibleTextInsertEvent event(this, int(from), text.text(from, from + added));
            QAccessible::updateAccessibility(&event);
        }
    }
    const LayoutCache::LineChange change = layout_.contentsChanged(from, removed, added);

    // The caret and anchor follow the text they stood in.
    auto follow = [&](qsizetype p) {
        if (p < from)
            return p;
        if (p >= from + removed)
            return p + added - removed;
        return from;
    };
    const qsizetype oldAnchor = anchor_;
    const qsizetype oldPosition = position_;
    anchor_ = follow(anchor_);
    position_ = follow(position_);
    updateScrollBars();
    // The caret and the selection moved only inside the changed lines or with the rows below.
    updateChangedLines(change);
    emitCaretSignals(oldAnchor, oldPosition);
}

void TextView::onStylesChanged(qsizetype from, qsizetype count) {
    const bool laidOutAfresh = layout_.stylesChanged(from, count);
    updateScrollBars();
    const TextStore& text = model_->text();
    const qsizetype first = text.lineOf(from);
    if (laidOutAfresh) {
        viewport()->update();
    } else if (wrapping()) {
        // Bold or wider letters may wrap the lines into other rows, moving the rows below.
        const qsizetype firstRow = layout_.rowOfLine(first);
        if (firstRow < verticalScrollBar()->value())
            viewport()->update();
        else
            updateRows(firstRow, rowCount() + 1);
    } else {
        updateLines(first, text.lineOf(from + count));
    }
}

void TextView::onReset() {
    const qsizetype oldAnchor = anchor_;
    const qsizetype oldPosition = position_;
    anchor_ = 0;
    position_ = 0;
    goalX_ = -1;
    updateMetrics();
    emitCaretSignals(oldAnchor, oldPosition);
}

void TextView::updateMetrics() {
    if (!model_)
        return;
    layout_.setMetrics(font(), tabStop_, wrapPixels_, availableWidth());
    updateScrollBars();
    viewport()->update();
}

int TextView::availableWidth() const {
    return viewport()->width() - 2 * kCaretRoom;
}

namespace {

// A scroll bar repaints whenever its steps are set, even to what they were: each typed key
// would repaint both.
void setSteps(QScrollBar* bar, int page, int single) {
    if (bar->pageStep() != page)
        bar->setPageStep(page);
    if (bar->singleStep() != single)
        bar->setSingleStep(single);
}

// The scroll area lays out and repaints both scroll bars whenever either's range changes. A
// line growing as it is typed changes the range on every key: a change that leaves the bar
// shown (or hidden) and its value where it was needs no layout, and is made quietly.
void setMaximum(QScrollBar* bar, int maximum) {
    if (bar->maximum() == maximum)
        return;
    const bool quiet = (bar->maximum() > 0) == (maximum > 0) && bar->value() <= maximum;
    const QSignalBlocker blocker(quiet ? bar : nullptr);
    bar->setRange(0, maximum);
}

} // namespace

void TextView::updateScrollBars() {
    const int visibleRows = std::max(1, viewport()->height() / rowHeight());
    const qsizetype rows = rowCount();
    QScrollBar* vertical = verticalScrollBar();
    setMaximum(vertical, int(std::min<qsizetype>(std::max<qsizetype>(0, rows - visibleRows),
                                                 std::numeric_limits<int>::max())));
    setSteps(vertical, visibleRows, 1);
    const qreal contentWidth = wrapping() ? layout_.wrapWidth() : layout_.widestLine();
    const qreal limit = std::numeric_limits<int>::max() / 2;
    const int width = int(std::min(contentWidth, limit)) + 2 * kCaretRoom;
    QScrollBar* horizontal = horizontalScrollBar();
    setMaximum(horizontal, std::max(0, width - viewport()->width()));
    setSteps(horizontal, viewport()->width(), std::max(1, int(layout_.averageCharWidth() * 2)));
}

// --- settings ---

void TextView::setWrapWidth(int pixels) {
    pixels = std::max(pixels, 0);
    if (pixels == wrapPixels_)
        return;
    wrapPixels_ = pixels;
    updateMetrics();
}

void TextView::setTabStopDistance(qreal pixels) {
    if (pixels <= 0 || pixels == tabStop_)
        return;
    tabStop_ = pixels;
    updateMetrics();
}

void TextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
    else if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}

void TextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // A window narrower than the wrap width wraps at its own width, so nothing is cut off.
    if (layout_.wrapWidthFor(availableWidth()) != layout_.wrapWidth())
        updateMetrics();
    else
        updateScrollBars();
}

void TextView::scrollContentsBy(int, int) {
    viewport()->update();
}

// --- caret and selection ---

void TextView::emitCaretSignals(qsizetype oldAnchor, qsizetype oldPosition) {
    if (oldPosition != position_) {
        emit cursorPositionChanged();
        if (QAccessible::isActive()) {
            QAccessibleTextCursorEvent event(this, int(position_));
            QAccessible::updateAccessibility(&event);
        }
    }
    const bool hadSelection = oldAnchor != oldPosition;
    if (hasSelection() || hadSelection) {
        if (std::min(oldAnchor, oldPosition) != selectionStart() ||
            std::max(oldAnchor, oldPosition) != selectionEnd()) {
            emit selectionChanged();
            if (QAccessible::isActive()) {
                QAccessibleTextSelectionEvent event(this, int(selectionStart()),
                                                    int(selectionEnd()));
                event.setCursorPosition(int(position_));
                QAccessible::updateAccessibility(&event);
            }
        }
    }
}

void TextView::setSelection(qsizetype anchor, qsizetype position) {
    if (!model_)
        return;
    const qsizetype size = model_->size();
    const qsizetype oldAnchor = anchor_;
    const qsizetype oldPosition = position_;
    anchor_ = std::clamp<qsizetype>(anchor, 0, size);
    position_ = std::clamp<qsizetype>(position, 0, size);
    goalX_ = -1;
    if (anchor_ != oldAnchor || position_ != oldPosition) {
        restartBlink();
        updateSelection(oldAnchor, oldPosition);
    }
    emitCaretSignals(oldAnchor, oldPosition);
}

void TextView::moveTo(qsizetype position, bool extend, bool keepGoalX) {
    const qreal goal = goalX_;
    setSelection(extend ? anchor_ : position, position);
    if (keepGoalX)
        goalX_ = goal;
    ensureCaretVisible();
}

void TextView::insertText(QStringView text, EditKind kind) {
    const qsizetype from = selectionStart();
    const qsizetype removed = selectionEnd() - from;
    model_->replace(from, removed, text, kind);
    setSelection(from + text.size(), from + text.size());
    ensureCaretVisible();
}

void TextView::undo() {
    const qsizetype caret = model_->undo();
    if (caret >= 0) {
        setCaret(caret);
        ensureCaretVisible();
    }
}

void TextView::redo() {
    const qsizetype caret = model_->redo();
    if (caret >= 0) {
        setCaret(caret);
        ensureCaretVisible();
    }
}

// --- focus and the caret's blinking ---

void TextView::restartBlink() {
    caretShown_ = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        blink_.start(flash / 2, this);
    else
        blink_.stop();
}

void TextView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    viewport()->update();
}

void TextView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    endComposing();
    blink_.stop();
    viewport()->update();
}

void TextView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId() || !model_) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    viewport()->update(caretRect().adjusted(-2, 0, 2, 0));
}

} // namespace kelvane
