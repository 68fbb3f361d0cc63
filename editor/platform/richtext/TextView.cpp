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
}

TextView::~TextView() = default;

void TextView::setModel(TextModel* model) {
    if (model_)
        disconnect(model_, nullptr, this, nullptr);
    model_ = model;
    styleFormats_ = StyleFormats();
    if (!model_) {
        dropLayouts();
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
    const qsizetype first = text.lineOf(from);
    const qsizetype newSpan = text.lineOf(from + added) - first + 1;
    const qsizetype delta = text.lineCount() - knownLines_;
    const qsizetype oldSpan = newSpan - delta;
    knownLines_ = text.lineCount();
    measuredLines_ = std::min(measuredLines_, first);
    if (delta == 0 && newSpan <= 64) {
        // Lines keep their numbers: only the changed ones are laid out again.
        dropLayoutsOfLines(first, first + newSpan - 1);
        for (qsizetype line = first; line < first + newSpan; ++line) {
            pieceRows_.erase(line);
            pieceWidths_.erase(line);
            rowBreakPieces_.erase(line);
        }
    } else {
        dropLayouts();
    }
    if (wrapping()) {
        std::vector<std::int32_t> estimates(static_cast<size_t>(newSpan));
        for (qsizetype i = 0; i < newSpan; ++i)
            estimates[size_t(i)] = estimatedRows(first + i);
        rows_.replaceLines(first, oldSpan, estimates);
    }
    for (qsizetype line = first; line < first + std::min<qsizetype>(newSpan, 4096); ++line)
        widestLine_ = std::max(widestLine_, estimatedWidth(text.lineLength(line)));

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
    viewport()->update();
    emitCaretSignals(oldAnchor, oldPosition);
}

void TextView::onStylesChanged(qsizetype from, qsizetype count) {
    const TextStore& text = model_->text();
    if (model_->styles().table().count() != knownStyles_)
        updateMetrics();
    const qsizetype first = text.lineOf(from);
    const qsizetype last = text.lineOf(from + count);
    if (last - first > 64)
        layouts_.clear(); // measurements stay: styles keep the text's rows
    else
        dropLayoutsOfLines(first, last);
    viewport()->update();
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
    // Every row is as tall as the tallest font in use, so rows never overlap.
    const QFontMetricsF metrics(font());
    qreal height = metrics.lineSpacing();
    const StyleTable& table = model_->styles().table();
    for (std::size_t i = 1; i < table.count(); ++i) {
        const CharStyle& style = table.at(std::uint8_t(i));
        if (style.pointSize <= 0 && style.fontName.isEmpty())
            continue;
        QFont styled = font();
        if (style.pointSize > 0)
            styled.setPointSizeF(style.pointSize);
        if (!style.fontName.isEmpty())
            styled.setFamilies({style.fontName});
        height = std::max(height, QFontMetricsF(styled).lineSpacing());
    }
    knownStyles_ = table.count();
    rowHeight_ = std::max(1, int(std::ceil(height)));
    averageCharWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('x')));
    maxCharWidth_ = std::max<qreal>(averageCharWidth_, metrics.maxWidth());

    effectiveWrap_ = wrapWidthFor(viewport()->width());
    const TextStore& text = model_->text();
    knownLines_ = text.lineCount();
    qsizetype longest = 0;
    std::vector<std::int32_t> estimates;
    if (wrapping())
        estimates.resize(size_t(text.lineCount()));
    for (qsizetype line = 0; line < text.lineCount(); ++line) {
        longest = std::max(longest, text.lineLength(line));
        if (wrapping())
            estimates[size_t(line)] = estimatedRows(line);
    }
    rows_.reset(std::move(estimates));
    measuredLines_ = 0;
    widestLine_ = estimatedWidth(longest);
    dropLayouts();
    updateScrollBars();
    viewport()->update();
}

void TextView::updateScrollBars() {
    const int visibleRows = std::max(1, viewport()->height() / rowHeight_);
    const qsizetype rows = rowCount();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, int(std::min<qsizetype>(std::max<qsizetype>(0, rows - visibleRows),
                                                  std::numeric_limits<int>::max())));
    vertical->setPageStep(visibleRows);
    vertical->setSingleStep(1);
    const qreal contentWidth = wrapping() ? effectiveWrap_ : widestLine_;
    const qreal limit = std::numeric_limits<int>::max() / 2;
    const int width = int(std::min(contentWidth, limit)) + 2 * kCaretRoom;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, width - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(std::max(1, int(averageCharWidth_ * 2)));
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

int TextView::wrapWidthFor(int viewportWidth) const {
    if (!wrapping())
        return 0;
    // A window narrower than the wrap width wraps at its own width, so nothing is cut off.
    const int available = viewportWidth - 2 * kCaretRoom;
    return std::max(int(std::ceil(averageCharWidth_)), std::min(wrapPixels_, available));
}

void TextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (wrapWidthFor(viewport()->width()) != effectiveWrap_)
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
        viewport()->update();
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
