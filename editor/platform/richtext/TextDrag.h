// Decisions of dragging text with the mouse, apart from the widget: whether a press lands on
// the selection, when the mouse has moved far enough to start a drag, which action a drop
// takes and what it does to the text.
#pragma once

#include <QPoint>
#include <QtGlobal>

namespace kelvane::textdrag {

/// Whether a press falls on a selected character. `nearest` is the caret position nearest the
/// press and `nearestX` that caret's x: the character under the press is the one left of the
/// caret when the press is left of it, else the one right of it.
bool pressOnSelection(qsizetype nearest, qreal nearestX, qreal pressX, qsizetype selectionStart,
                      qsizetype selectionEnd);

/// Whether the mouse moved far enough from the press to start a drag.
bool dragDistanceReached(QPoint pressed, QPoint now, int startDistance);

/// The action a drop takes: Ctrl copies; text dragged from one of our own views moves; text
/// from other programs takes the action they propose. IgnoreAction when none is possible.
Qt::DropAction dropAction(Qt::DropActions possible, Qt::DropAction proposed,
                          Qt::KeyboardModifiers modifiers, bool fromOurView);

enum class DropEffect {
    Refuse,   ///< the text takes no drop (read-only, or nothing to drop)
    Nothing,  ///< dropped on the dragged selection itself: the text stays as it is
    MoveHere, ///< the dragged selection of this same text moves to the drop point
    Insert,   ///< the dropped text is inserted (copied here, or moved from another text)
};

/// What a drop at `at` does. `sameText`: the drag started in a view of this same text, whose
/// selection [selectionStart, selectionEnd) is what it drags.
DropEffect dropEffect(bool readOnly, bool hasText, bool sameText, Qt::DropAction action,
                      qsizetype at, qsizetype selectionStart, qsizetype selectionEnd);

} // namespace kelvane::textdrag
