// Accessibility of the text view.
#include "platform/richtext/TextViewAccessible.h"

#include "platform/richtext/TextView.h"
#include "platform/text/TextBoundaries.h"
#include "platform/text/TextModel.h"

#include <QScrollBar>

#include <tuple>

namespace kelvane {

namespace {

QAccessibleInterface* createInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("kelvane::TextView") && object && object->isWidgetType())
        return new TextViewAccessible(static_cast<TextView*>(object));
    return nullptr;
}

} // namespace

TextViewAccessible::TextViewAccessible(TextView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void TextViewAccessible::installFactory() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(createInterface);
        installed = true;
    }
}

TextView* TextViewAccessible::view() const {
    return static_cast<TextView*>(widget());
}

void* TextViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TextViewAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value)
        return view()->model()->text().text();
    return QAccessibleWidget::text(kind);
}

QAccessible::State TextViewAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void TextViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !view()->hasSelection())
        return;
    *startOffset = int(view()->selectionStart());
    *endOffset = int(view()->selectionEnd());
}

int TextViewAccessible::selectionCount() const {
    return view()->hasSelection() ? 1 : 0;
}

void TextViewAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void TextViewAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        view()->setCaret(view()->position());
}

void TextViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0)
        view()->setSelection(startOffset, endOffset);
}

int TextViewAccessible::cursorPosition() const {
    return int(view()->position());
}

void TextViewAccessible::setCursorPosition(int position) {
    view()->setCaret(position);
}

QString TextViewAccessible::text(int startOffset, int endOffset) const {
    return view()->model()->text().text(startOffset, endOffset);
}

int TextViewAccessible::characterCount() const {
    return int(std::min<qsizetype>(view()->model()->size(), std::numeric_limits<int>::max()));
}

void TextViewAccessible::unitAt(int offset, QAccessible::TextBoundaryType boundaryType, int* start,
                                int* end) const {
    const TextStore& text = view()->model()->text();
    const qsizetype size = text.size();
    const qsizetype at = std::clamp<qsizetype>(offset, 0, size);
    qsizetype from = at;
    qsizetype to = at;
    switch (boundaryType) {
    case QAccessible::CharBoundary:
        to = boundaries::nextCharacter(text, at);
        break;
    case QAccessible::WordBoundary:
        // The words Ctrl+Left and Ctrl+Right move by and a double click selects.
        if (boundaries::isWordCharacter(text, at))
            std::tie(from, to) = boundaries::wordAt(text, at);
        else
            to = boundaries::nextCharacter(text, at);
        break;
    case QAccessible::NoBoundary:
        from = 0;
        to = size;
        break;
    default: { // sentences, paragraphs and lines: the text line with its break
        const qsizetype line = text.lineOf(at);
        from = text.lineStart(line);
        to = std::min(size, text.lineEnd(line) + 1);
        break;
    }
    }
    *start = int(from);
    *end = int(to);
}

QString TextViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    unitAt(offset, boundaryType, startOffset, endOffset);
    return text(*startOffset, *endOffset);
}

QString TextViewAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    int start = 0;
    int end = 0;
    unitAt(offset, boundaryType, &start, &end);
    if (start <= 0) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    unitAt(start - 1, boundaryType, startOffset, endOffset);
    return text(*startOffset, *endOffset);
}

QString TextViewAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    int start = 0;
    int end = 0;
    unitAt(offset, boundaryType, &start, &end);
    if (end >= characterCount()) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    unitAt(end, boundaryType, startOffset, endOffset);
    return text(*startOffset, *endOffset);
}

QRect TextViewAccessible::characterRect(int offset) const {
    TextView* textView = view();
    QRect rect = textView->rectAt(offset);
    rect.setWidth(std::max(1, textView->fontMetrics().averageCharWidth()));
    return QRect(textView->viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

int TextViewAccessible::offsetAtPoint(const QPoint& point) const {
    TextView* textView = view();
    return int(textView->positionAt(textView->viewport()->mapFromGlobal(point)));
}

void TextViewAccessible::scrollToSubstring(int startIndex, int endIndex) {
    TextView* textView = view();
    textView->setSelection(startIndex, endIndex);
    textView->ensureCaretVisible();
}

QString TextViewAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = offset;
    *endOffset = offset + 1;
    return QString();
}

void TextViewAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void TextViewAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void TextViewAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    view()->setSelection(startOffset, endOffset);
    view()->insertText(text);
}

} // namespace kelvane
