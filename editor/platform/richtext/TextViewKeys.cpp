// The text view's keys: each key's action from the view's key table, run by a window's command
// where one is attached, else by the view after the document window's key handler saw the key.
#include "platform/richtext/TextView.h"

#include "platform/TextLines.h"
#include "platform/richtext/KeyCodes.h"
#include "platform/text/TextBoundaries.h"
#include "platform/text/TextModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>

namespace kelvane {

qsizetype TextView::rowMove(qsizetype rows) {
    const Spot spot = layout_.spotOf(position_);
    if (goalX_ < 0)
        goalX_ = spot.x;
    const qsizetype target = layout_.rowOfSpot(spot) + rows;
    if (target < 0)
        return 0;
    if (target >= rowCount())
        return model_->size();
    return layout_.positionOnRow(target, goalX_);
}

void TextView::setKeyCommand(KeyAction action, std::function<void()> command) {
    if (command)
        keyCommands_[action] = std::move(command);
    else
        keyCommands_.erase(action);
}

bool TextView::event(QEvent* event) {
    // A key with a window's command is claimed before the window's shortcuts see it, so the
    // command runs once, when the key itself arrives.
    if (event->type() == QEvent::ShortcutOverride && model_ &&
        keyCommands_.count(keys_.actionOf(*static_cast<QKeyEvent*>(event)))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TextView::keyPressEvent(QKeyEvent* event) {
    if (!model_)
        return QAbstractScrollArea::keyPressEvent(event);
    const KeyAction action = keys_.actionOf(*event);
    if (const auto command = keyCommands_.find(action); command != keyCommands_.end()) {
        event->accept();
        command->second();
        return;
    }
    int keyCode = vbKeyCode(event->key());
    if (onKeyDown)
        onKeyDown(keyCode, vbShiftState(event->modifiers()));
    if (keyCode == 0) { // the handler consumed the key
        event->accept();
        return;
    }
    const qsizetype oldStart = selectionStart();
    const qsizetype oldEnd = selectionEnd();
    if (action == KeyAction::None) {
        // Not a key of the table: typed text, unless Ctrl or Meta make it a command key.
        const QString typed = event->text();
        const bool printable = !typed.isEmpty() && typed.front().isPrint();
        const bool commandKey = (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                                !(event->modifiers() & Qt::AltModifier);
        if (!printable || commandKey) {
            event->ignore();
            return;
        }
        if (!readOnly_)
            insertText(typed, EditKind::Typing);
    } else if (readOnly_ && editsText(action)) {
        if (action == KeyAction::Cut && hasSelection()) // Cut copies, takes nothing
            QGuiApplication::clipboard()->setText(
                model_->text().text(selectionStart(), selectionEnd()));
    } else {
        runKeyAction(action, event->modifiers() & Qt::ShiftModifier);
    }
    if (hasSelection() && (selectionStart() != oldStart || selectionEnd() != oldEnd))
        publishSelection();
    event->accept();
}

void TextView::runKeyAction(KeyAction action, bool extend) {
    const TextStore& text = model_->text();
    const int pageRows = std::max(1, viewport()->height() / rowHeight());
    switch (action) {
    case KeyAction::None:
        break;
    case KeyAction::CharLeft:
    case KeyAction::WordLeft:
        if (hasSelection() && !extend)
            moveTo(selectionStart(), false);
        else
            moveTo(action == KeyAction::WordLeft ? boundaries::previousWord(text, position_)
                                                 : boundaries::previousCharacter(text, position_),
                   extend);
        break;
    case KeyAction::CharRight:
    case KeyAction::WordRight:
        if (hasSelection() && !extend)
            moveTo(selectionEnd(), false);
        else
            moveTo(action == KeyAction::WordRight ? boundaries::nextWord(text, position_)
                                                  : boundaries::nextCharacter(text, position_),
                   extend);
        break;
    case KeyAction::RowUp:
        moveTo(rowMove(-1), extend, true);
        break;
    case KeyAction::RowDown:
        moveTo(rowMove(1), extend, true);
        break;
    case KeyAction::PageUp:
        verticalScrollBar()->setValue(verticalScrollBar()->value() - pageRows);
        moveTo(rowMove(-pageRows), extend, true);
        break;
    case KeyAction::PageDown:
        verticalScrollBar()->setValue(verticalScrollBar()->value() + pageRows);
        moveTo(rowMove(pageRows), extend, true);
        break;
    case KeyAction::TextHome:
        moveTo(0, extend);
        break;
    case KeyAction::TextEnd:
        moveTo(model_->size(), extend);
        break;
    case KeyAction::RowHome:
        moveTo(wrapping() ? rowStart(rowOf(position_)) : text.lineStart(text.lineOf(position_)),
               extend);
        break;
    case KeyAction::RowEnd:
        if (!wrapping()) {
            moveTo(text.lineEnd(text.lineOf(position_)), extend);
        } else {
            // A wrapped row's last character is where it wrapped: End stops before it, so the
            // caret stays on the row.
            const qsizetype end = rowEnd(rowOf(position_));
            const bool lastRowOfLine = end == text.lineEnd(text.lineOf(end));
            moveTo(lastRowOfLine ? end : boundaries::previousCharacter(text, end), extend);
        }
        break;
    case KeyAction::DeleteBack:
    case KeyAction::DeleteWordBack:
        if (!hasSelection() && position_ > 0)
            setSelection(action == KeyAction::DeleteWordBack
                             ? boundaries::previousWord(text, position_)
                             : boundaries::previousCharacter(text, position_),
                         position_);
        if (hasSelection())
            insertText(u"", EditKind::DeleteBack);
        break;
    case KeyAction::DeleteForward:
    case KeyAction::DeleteWordForward:
        if (!hasSelection() && position_ < model_->size())
            setSelection(position_, action == KeyAction::DeleteWordForward
                                        ? boundaries::nextWord(text, position_)
                                        : boundaries::nextCharacter(text, position_));
        if (hasSelection())
            insertText(u"", EditKind::DeleteForward);
        break;
    case KeyAction::NewLine:
        insertText(u"\n", EditKind::Typing);
        break;
    case KeyAction::Tab:
        insertText(u"\t", EditKind::Typing);
        break;
    case KeyAction::Undo:
        undo();
        break;
    case KeyAction::Redo:
        redo();
        break;
    case KeyAction::SelectAll:
        setSelection(0, model_->size());
        break;
    case KeyAction::Copy:
    case KeyAction::Cut:
        if (hasSelection()) {
            QGuiApplication::clipboard()->setText(text.text(selectionStart(), selectionEnd()));
            if (action == KeyAction::Cut)
                insertText(u"");
        }
        break;
    case KeyAction::Paste:
        insertText(toLfLineBreaks(QGuiApplication::clipboard()->text()));
        break;
    }
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
