// The text view's keys: moving the caret, extending the selection and editing, after the
// document window's own key handler has seen each key.
#include "platform/richtext/TextView.h"

#include "platform/TextLines.h"
#include "platform/richtext/KeyCodes.h"
#include "platform/richtext/TextViewPiece.h"
#include "platform/text/TextBoundaries.h"
#include "platform/text/TextModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>

namespace kelvane {

namespace {

/// Whether a key would change the text when a view takes it.
bool editsText(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Tab:
        return !(event->modifiers() & Qt::ControlModifier);
    default:
        return !event->text().isEmpty() && event->text().front().isPrint() &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    }
}

} // namespace

qsizetype TextView::rowMove(qsizetype rows) {
    const Spot spot = spotOf(position_);
    if (goalX_ < 0)
        goalX_ = spot.x;
    const qsizetype row = (wrapping() ? rows_.rowOfLine(spot.line) + spot.rowInLine : spot.line);
    const qsizetype target = row + rows;
    if (target < 0)
        return 0;
    if (target >= rowCount())
        return model_->size();
    if (!wrapping())
        return rowInLineToPosition(target, 0, goalX_);
    qsizetype rowInLine = 0;
    const qsizetype line = rows_.lineOfRow(target, &rowInLine);
    return rowInLineToPosition(line, rowInLine, goalX_);
}

void TextView::keyPressEvent(QKeyEvent* event) {
    if (!model_)
        return QAbstractScrollArea::keyPressEvent(event);
    int keyCode = vbKeyCode(event->key());
    if (onKeyDown)
        onKeyDown(keyCode, vbShiftState(event->modifiers()));
    if (keyCode == 0) { // the handler consumed the key
        event->accept();
        return;
    }
    const qsizetype oldStart = selectionStart();
    const qsizetype oldEnd = selectionEnd();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const TextStore& text = model_->text();
    const int pageRows = std::max(1, viewport()->height() / rowHeight_);

    if (readOnly_ && editsText(event)) {
        if (event->matches(QKeySequence::Cut) && hasSelection()) // Cut copies, takes nothing
            QGuiApplication::clipboard()->setText(text.text(selectionStart(), selectionEnd()));
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo)) {
        redo();
    } else if (event->matches(QKeySequence::SelectAll)) {
        setSelection(0, model_->size());
    } else if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        if (hasSelection()) {
            QString copied = text.text(selectionStart(), selectionEnd());
            QGuiApplication::clipboard()->setText(copied);
            if (event->matches(QKeySequence::Cut))
                insertText(u"");
        }
    } else if (event->matches(QKeySequence::Paste)) {
        insertText(toLfLineBreaks(QGuiApplication::clipboard()->text()));
    } else if ((event->modifiers() & Qt::AltModifier) && event->text().isEmpty()) {
        // Alt with a moving or editing key is a command of the window's (Alt+End spans over
        // sentence marks, Alt+Backspace undoes): the text is left as it is.
        event->ignore();
        return;
    } else {
        switch (event->key()) {
        case Qt::Key_Left:
            if (hasSelection() && !shift)
                moveTo(selectionStart(), false);
            else
                moveTo(control ? boundaries::previousWord(text, position_)
                               : boundaries::previousCharacter(text, position_),
                       shift);
            break;
        case Qt::Key_Right:
            if (hasSelection() && !shift)
                moveTo(selectionEnd(), false);
            else
                moveTo(control ? boundaries::nextWord(text, position_)
                               : boundaries::nextCharacter(text, position_),
                       shift);
            break;
        case Qt::Key_Up:
            moveTo(rowMove(-1), shift, true);
            break;
        case Qt::Key_Down:
            moveTo(rowMove(1), shift, true);
            break;
        case Qt::Key_PageUp:
            verticalScrollBar()->setValue(verticalScrollBar()->value() - pageRows);
            moveTo(rowMove(-pageRows), shift, true);
            break;
        case Qt::Key_PageDown:
            verticalScrollBar()->setValue(verticalScrollBar()->value() + pageRows);
            moveTo(rowMove(pageRows), shift, true);
            break;
        case Qt::Key_Home:
            if (control)
                moveTo(0, shift);
            else
                moveTo(wrapping() ? rowStart(rowOf(position_))
                                  : text.lineStart(text.lineOf(position_)),
                       shift);
            break;
        case Qt::Key_End:
            if (control)
                moveTo(model_->size(), shift);
            else if (!wrapping())
                moveTo(text.lineEnd(text.lineOf(position_)), shift);
            else {
                // A wrapped row's last character is where it wrapped: End stops before it, so
                // the caret stays on the row.
                const qsizetype row = rowOf(position_);
                const qsizetype end = rowEnd(row);
                const bool lastRowOfLine = end == text.lineEnd(text.lineOf(end));
                moveTo(lastRowOfLine ? end : boundaries::previousCharacter(text, end), shift);
            }
            break;
        case Qt::Key_Backspace:
            if (hasSelection())
                insertText(u"", EditKind::DeleteBack);
            else if (position_ > 0) {
                const qsizetype from = control ? boundaries::previousWord(text, position_)
                                               : boundaries::previousCharacter(text, position_);
                setSelection(from, position_);
                insertText(u"", EditKind::DeleteBack);
            }
            break;
        case Qt::Key_Delete:
            if (hasSelection())
                insertText(u"", EditKind::DeleteForward);
            else if (position_ < model_->size()) {
                const qsizetype to = control ? boundaries::nextWord(text, position_)
                                             : boundaries::nextCharacter(text, position_);
                setSelection(position_, to);
                insertText(u"", EditKind::DeleteForward);
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            insertText(u"\n", EditKind::Typing);
            break;
        case Qt::Key_Tab:
            if (control) {
                event->ignore();
                return;
            }
            insertText(u"\t", EditKind::Typing);
            break;
        default: {
            const QString typed = event->text();
            const bool printable = !typed.isEmpty() && typed.front().isPrint();
            const bool commandKey =
                (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                !(event->modifiers() & Qt::AltModifier);
            if (!printable || commandKey) {
                event->ignore();
                return;
            }
            insertText(typed, EditKind::Typing);
            break;
        }
        }
    }
    if (hasSelection() && (selectionStart() != oldStart || selectionEnd() != oldEnd))
        publishSelection();
    event->accept();
}

void TextView::publishSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(model_->text().text(selectionStart(), selectionEnd()),
                           QClipboard::Selection);
}

void TextView::keyReleaseEvent(QKeyEvent* event) {
    if (!model_)
        return QAbstractScrollArea::keyReleaseEvent(event);
    int keyCode = vbKeyCode(event->key());
    if (onKeyUp)
        onKeyUp(keyCode, vbShiftState(event->modifiers()));
    QAbstractScrollArea::keyReleaseEvent(event);
}

} // namespace kelvane
