// Text an input method is composing at the caret: shown inside the caret's piece of its line,
// with the input method's own formats, and not yet part of the text.
#pragma once

#include <QInputMethodEvent>
#include <QList>
#include <QString>
#include <QTextLayout>

namespace kelvane {

class Preedit {
public:
    bool isEmpty() const { return text_.isEmpty(); }
    const QString& text() const { return text_; }
    /// Where the input method's caret stands inside the composed text.
    int cursor() const { return cursor_; }

    /// Takes what an input method says is being composed: its text, its caret and its formats.
    /// Composed text without formats of its own shows underlined.
    void set(const QString& text, const QList<QInputMethodEvent::Attribute>& attributes);
    void clear();

    /// The formats of a piece of text with the composition put in at offset `at`: runs after it
    /// move along, a run across it is cut in two, and the composition's formats are added.
    QList<QTextLayout::FormatRange> withFormats(const QList<QTextLayout::FormatRange>& ranges,
                                                int at) const;

private:
    QString text_;
    int cursor_ = 0;
    QList<QTextLayout::FormatRange> formats_;
};

} // namespace kelvane
