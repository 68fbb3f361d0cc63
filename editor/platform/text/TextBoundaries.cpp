// Character and word boundaries of a text.
#include "platform/text/TextBoundaries.h"

#include "platform/text/TextStore.h"

namespace kelvane::boundaries {

namespace {

/// Whether the characters at `position` and after it make a surrogate pair.
bool pairAt(const TextStore& text, qsizetype position) {
    return position >= 0 && position + 1 < text.size() && text.at(position).isHighSurrogate() &&
           text.at(position + 1).isLowSurrogate();
}

bool isBlank(const TextStore& text, qsizetype position) {
    const QChar c = text.at(position);
    return c.isSpace() && c != u'\n';
}

} // namespace

qsizetype nextCharacter(const TextStore& text, qsizetype position) {
    if (position >= text.size())
        return text.size();
    return position + (pairAt(text, position) ? 2 : 1);
}

qsizetype previousCharacter(const TextStore& text, qsizetype position) {
    if (position <= 0)
        return 0;
    return position - (pairAt(text, position - 2) ? 2 : 1);
}

bool isWordCharacter(const TextStore& text, qsizetype position) {
    if (position < 0 || position >= text.size())
        return false;
    char32_t code = text.at(position).unicode();
    if (pairAt(text, position))
        code = QChar::surrogateToUcs4(text.at(position), text.at(position + 1));
    else if (pairAt(text, position - 1))
        code = QChar::surrogateToUcs4(text.at(position - 1), text.at(position));
    return QChar::isLetterOrNumber(code) || code == U'_' || QChar::isMark(code);
}

qsizetype nextWord(const TextStore& text, qsizetype position) {
    const qsizetype size = text.size();
    if (position < size && !isWordCharacter(text, position) && !text.at(position).isSpace())
        position = nextCharacter(text, position); // a punctuation character is a word of its own
    else
        while (position < size && isWordCharacter(text, position))
            position = nextCharacter(text, position);
    while (position < size && isBlank(text, position))
        ++position;
    return position;
}

qsizetype previousWord(const TextStore& text, qsizetype position) {
    while (position > 0 && isBlank(text, position - 1))
        --position;
    if (position > 0 && !isWordCharacter(text, position - 1))
        return previousCharacter(text, position);
    while (position > 0 && isWordCharacter(text, position - 1))
        position = previousCharacter(text, position);
    return position;
}

std::pair<qsizetype, qsizetype> wordAt(const TextStore& text, qsizetype position) {
    if (!isWordCharacter(text, position)) {
        if (!isWordCharacter(text, position - 1))
            return {position, position};
        position = previousCharacter(text, position);
    }
    qsizetype start = position;
    while (start > 0 && isWordCharacter(text, start - 1))
        start = previousCharacter(text, start);
    qsizetype end = position;
    while (end < text.size() && isWordCharacter(text, end))
        end = nextCharacter(text, end);
    return {start, end};
}

} // namespace kelvane::boundaries
