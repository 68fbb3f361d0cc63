// The text view's drag and drop: the selection dragged out as plain text (moved, or copied
// with Ctrl), text from anywhere dropped at the point under the mouse, with a caret showing
// where it will land. A move inside one text is one undo step.
#include "platform/richtext/TextDrag.h"
#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"

#include "platform/TextLines.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>

namespace kelvane {

void TextView::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
}

namespace {

TextView::DragRunner& dragRunner() {
    static TextView::DragRunner runner;
    return runner;
}

/// The drag a view of ours runs: drops recognise their own text by its data.
struct ActiveDrag {
    const QMimeData* data = nullptr;
    TextView* source = nullptr;
};
ActiveDrag activeDrag;

} // namespace

void TextView::setDragRunner(DragRunner runner) {
    dragRunner() = std::move(runner);
}

void TextView::startDrag() {
    const qsizetype start = selectionStart();
    const qsizetype end = selectionEnd();
    if (start == end)
        return;
    auto* data = new QMimeData;
    data->setText(model_->text().text(start, end));
    movedByDrop_ = false;
    const Qt::DropActions actions =
        readOnly_ ? Qt::DropActions(Qt::CopyAction) : Qt::CopyAction | Qt::MoveAction;
    activeDrag = {data, this};
    Qt::DropAction done = Qt::IgnoreAction;
    if (dragRunner()) {
        done = dragRunner()(this, data, actions);
    } else {
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        done = drag->exec(actions, Qt::MoveAction);
    }
    activeDrag = {};
    if (done == Qt::MoveAction && !movedByDrop_ && !readOnly_) {
        // Another text took the selection: it leaves here. Nothing edits this text while the
        // drag runs but a drop into it, which did the whole move itself.
        setSelection(start, end);
        insertText(u"");
    }
    movedByDrop_ = false;
}

textdrag::DropEffect TextView::dropEffectOf(QDropEvent* event, qsizetype* at) {
    const QMimeData* data = event->mimeData();
    TextView* source = data && data == activeDrag.data ? activeDrag.source : nullptr;
    const bool sameText = source && source->model() == model_;
    const Qt::DropAction action = textdrag::dropAction(
        event->possibleActions(), event->proposedAction(), event->modifiers(), source != nullptr);
    *at = positionAt(event->position().toPoint());
    const auto effect = textdrag::dropEffect(readOnly_, data && data->hasText(), sameText, action,
                                             *at, sameText ? source->selectionStart() : 0,
                                             sameText ? source->selectionEnd() : 0);
    if (effect == textdrag::DropEffect::Refuse || effect == textdrag::DropEffect::Nothing) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    } else {
        event->setDropAction(action);
        event->accept();
    }
    return effect;
}

void TextView::setDropCaret(qsizetype position) {
    if (position == dropCaret_)
        return;
    dropCaret_ = position;
    viewport()->update();
}

void TextView::scrollForDrag(QPoint point) {
    QScrollBar* vertical = verticalScrollBar();
    if (point.y() < rowHeight())
        vertical->setValue(vertical->value() - 1);
    else if (point.y() > viewport()->height() - rowHeight())
        vertical->setValue(vertical->value() + 1);
}

void TextView::dragEnterEvent(QDragEnterEvent* event) {
    if (!model_)
        return QAbstractScrollArea::dragEnterEvent(event);
    // Entering is accepted whenever text could land somewhere here; each move decides for
    // its own point.
    if (readOnly_ || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction(); // the move event that follows places the drop caret
}

void TextView::dragMoveEvent(QDragMoveEvent* event) {
    if (!model_)
        return QAbstractScrollArea::dragMoveEvent(event);
    scrollForDrag(event->position().toPoint());
    qsizetype at = 0;
    const textdrag::DropEffect effect = dropEffectOf(event, &at);
    setDropCaret(effect == textdrag::DropEffect::MoveHere || effect == textdrag::DropEffect::Insert
                     ? at
                     : -1);
}

void TextView::dragLeaveEvent(QDragLeaveEvent* event) {
    setDropCaret(-1);
    event->accept();
}

void TextView::dropEvent(QDropEvent* event) {
    if (!model_)
        return QAbstractScrollArea::dropEvent(event);
    setDropCaret(-1);
    qsizetype at = 0;
    const textdrag::DropEffect effect = dropEffectOf(event, &at);
    if (effect == textdrag::DropEffect::MoveHere) {
        TextView* source = activeDrag.source;
        const qsizetype start = source->selectionStart();
        const qsizetype length = source->selectionEnd() - start;
        // The move is one step, announced as one edit; the moved text stays selected.
        model_->beginBatch();
        const qsizetype moved = model_->moveText(start, length, at);
        setSelection(moved, moved + length);
        model_->endBatch();
        source->movedByDrop_ = true;
    } else if (effect == textdrag::DropEffect::Insert) {
        const QString text = toLfLineBreaks(event->mimeData()->text());
        model_->beginBatch();
        model_->replace(at, 0, text);
        setSelection(at, at + text.size());
        model_->endBatch();
    } else {
        return;
    }
    model_->sealUndoStep();
    ensureCaretVisible();
    setFocus(Qt::MouseFocusReason);
}

} // namespace kelvane
