// Decisions of dragging text, as plain functions.
#include "platform/richtext/TextDrag.h"

namespace kelvane::textdrag {

bool pressOnSelection(qsizetype nearest, qreal nearestX, qreal pressX, qsizetype selectionStart,
                      qsizetype selectionEnd) {
    if (selectionStart >= selectionEnd)
        return false;
    const qsizetype character = pressX < nearestX ? nearest - 1 : nearest;
    return character >= selectionStart && character < selectionEnd;
}

bool dragDistanceReached(QPoint pressed, QPoint now, int startDistance) {
    return (now - pressed).manhattanLength() >= startDistance;
}

Qt::DropAction dropAction(Qt::DropActions possible, Qt::DropAction proposed,
                          Qt::KeyboardModifiers modifiers, bool fromOurView) {
    if ((modifiers & Qt::ControlModifier) && (possible & Qt::CopyAction))
        return Qt::CopyAction;
    if (fromOurView && (possible & Qt::MoveAction))
        return Qt::MoveAction;
    if (proposed == Qt::CopyAction || proposed == Qt::MoveAction)
        return proposed;
    if (possible & Qt::CopyAction)
        return Qt::CopyAction;
    return (possible & Qt::MoveAction) ? Qt::MoveAction : Qt::IgnoreAction;
}

DropEffect dropEffect(bool readOnly, bool hasText, bool sameText, Qt::DropAction action,
                      qsizetype at, qsizetype selectionStart, qsizetype selectionEnd) {
    if (readOnly || !hasText || action == Qt::IgnoreAction)
        return DropEffect::Refuse;
    if (!sameText)
        return DropEffect::Insert;
    // Moving the text onto itself, or to either of its ends, leaves it where it is; a copy
    // may go right before or after the original.
    const bool onSelection = action == Qt::MoveAction ? at >= selectionStart && at <= selectionEnd
                                                      : at > selectionStart && at < selectionEnd;
    if (onSelection)
        return DropEffect::Nothing;
    return action == Qt::MoveAction ? DropEffect::MoveHere : DropEffect::Insert;
}

} // namespace kelvane::textdrag
