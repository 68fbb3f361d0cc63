// The text view and input methods: text being composed shows at the caret inside its piece;
// what is committed is typed.
#include "platform/richtext/TextView.h"

#include "platform/text/TextModel.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethodEvent>

namespace kelvane {

void TextView::dropLayoutOfLine(qsizetype line) {
    layout_.dropLines(line, line);
}

void TextView::inputMethodEvent(QInputMethodEvent* event) {
    if (!model_)
        return QAbstractScrollArea::inputMethodEvent(event);
    if (readOnly_) {
        event->ignore();
        return;
    }
    const qsizetype composedLine = model_->text().lineOf(position_);
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        preedit_.clear();
        if (event->replacementLength() > 0) {
            const qsizetype from = position_ + event->replacementStart();
            setSelection(from, from + event->replacementLength());
        }
        insertText(event->commitString(), EditKind::Typing);
    }
    // The text still being composed, its formats and its own caret.
    preedit_.set(event->preeditString(), event->attributes());
    dropLayoutOfLine(composedLine);
    const qsizetype caretLine = model_->text().lineOf(position_);
    dropLayoutOfLine(caretLine);
    viewport()->update();
    event->accept();
}

void TextView::endComposing() {
    if (preedit_.isEmpty())
        return;
    QGuiApplication::inputMethod()->commit();
    if (preedit_.isEmpty())
        return; // the input method committed the text
    preedit_.clear();
    const qsizetype line = model_->text().lineOf(position_);
    dropLayoutOfLine(line);
    viewport()->update();
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (!model_)
        return QAbstractScrollArea::inputMethodQuery(query);
    auto* self = const_cast<TextView*>(this);
    const TextStore& text = model_->text();
    const qsizetype line = text.lineOf(position_);
    const qsizetype lineStart = text.lineStart(line);
    // The surrounding text is the caret's line, cut to a window around the caret.
    const qsizetype from = std::max(lineStart, position_ - 512);
    const qsizetype to = std::min(text.lineEnd(line), position_ + 512);
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle: {
        QRect caret = self->caretRect();
        if (!preedit_.isEmpty()) // the composed text pushes the caret along its row
            caret.translate(int(QFontMetricsF(font()).horizontalAdvance(
                                preedit_.text().left(preedit_.cursor()))),
                            0);
        return QRectF(caret.translated(viewport()->pos()));
    }
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return int(position_ - from);
    case Qt::ImAnchorPosition:
        return int(std::clamp(anchor_, from, to) - from);
    case Qt::ImSurroundingText:
        return text.text(from, to);
    case Qt::ImCurrentSelection:
        return text.text(selectionStart(), selectionEnd());
    case Qt::ImMaximumTextLength:
        return QVariant();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

} // namespace kelvane
