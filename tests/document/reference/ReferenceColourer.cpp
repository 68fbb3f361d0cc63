// Step-by-step colouring of a document window, kept literal as the yardstick for the engine.
#include "ReferenceColourer.h"

#include <algorithm>

namespace kelvane::test {

namespace {

constexpr std::uint8_t WindowText = 0;
constexpr std::uint8_t DelimitColor = 4;

struct DelimiterKind {
    QString open;
    QString close;
};

const std::array<DelimiterKind, 9>& delimiterKinds() {
    static const std::array<DelimiterKind, 9> kinds = {{
        {"<", ">"},
        {"/*", "*/"},
        {"{", "}"},
        {QString(QChar(34)), QString(QChar(34))},
        {"'", "\r\n"},
        {"//", "\r\n"},
        {"'", "'"},
        {"(", ")"},
        {"[", "]"},
    }};
    return kinds;
}

/// Takes the next word and its separator off the front of the list; the empty word when the
/// list holds no further separator.
QString readWord(QString& list) {
    const int separator = list.indexOf(QChar(0xFF));
    if (separator < 0)
        return {};
    const QString word = list.left(separator);
    list.remove(0, separator + 1);
    return word;
}

} // namespace

int inStr(int start, const QString& hay, const QString& needle, bool textCompare) {
    const int n = hay.size();
    const int m = needle.size();
    if (start > n)
        return 0;
    for (int i = start - 1; i + m <= n; ++i) {
        int k = 0;
        for (; k < m; ++k) {
            const QChar a = hay[i + k];
            const QChar b = needle[k];
            if (textCompare ? a.toCaseFolded() != b.toCaseFolded() : a != b)
                break;
        }
        if (k == m)
            return i + 1;
    }
    return 0;
}

QString toCrlf(const QString& text) {
    QString crlf = text;
    crlf.replace(QChar('\n'), QStringLiteral("\r\n"));
    return crlf;
}

ReferenceColourer::ReferenceColourer(QString crlfText, ReferenceSettings settings)
    : text(std::move(crlfText)), colours(text.size(), 255), settings_(std::move(settings)) {}

void ReferenceColourer::paint(int start, int length, std::uint8_t colour) {
    const int from = std::clamp(start, 0, int(text.size()));
    const int to = std::clamp(start + length, from, int(text.size()));
    std::fill(colours.begin() + from, colours.begin() + to, colour);
}

void ReferenceColourer::ColorCode() {
    if (codingBusy || !changedHighLight)
        return;
    paint(0, text.size(), WindowText);
    const bool wasChanged = changed;
    codingBusy = true;
    if (!settings_.codeOrder) {
        setCaption("Coding Bracers and Delimiters...");
        codingBusy = false;
        delimiterPass(0, text.size());
        keywordPass(0, text.size(), true);
    } else {
        keywordPass(0, text.size(), true);
        setCaption("Coding Bracers and Delimiters...");
        delimiterPass(0, text.size());
    }
    changedHighLight = false;
    codingBusy = false;
    changed = wasChanged;
}

void ReferenceColourer::CodeLine(int selStart) {
    // EM_LINEFROMCHAR and EM_LINEINDEX: the line starts after the last LF before the position.
    const int lineStart = selStart > 0 ? text.lastIndexOf(QChar('\n'), selStart - 1) + 1 : 0;
    // EM_LINELENGTH: the characters up to the line's CR, or to the end of the text.
    int lineEnd = text.indexOf(QStringLiteral("\r\n"), lineStart);
    if (lineEnd < 0)
        lineEnd = text.size();
    CodeLineAt(lineStart, lineEnd - lineStart);
}

void ReferenceColourer::CodeLineAt(int lineStart, int lineLen) {
    if (codingBusy || !changedHighLight)
        return;
    const bool wasChanged = changed;
    paint(lineStart, lineLen, WindowText);
    if (!settings_.codeOrder) {
        delimiterPass(lineStart, lineStart + lineLen + 2);
        keywordPass(lineStart, lineStart + lineLen, false);
    } else {
        keywordPass(lineStart, lineStart + lineLen, false);
        delimiterPass(lineStart, lineStart + lineLen + 2);
    }
    changedHighLight = false;
    changed = wasChanged;
}

void ReferenceColourer::delimiterPass(int sStart, int sEnd) {
    // Bit k of the setting is tested by halving the value; only the nine low bits count.
    quint32 bits = quint32(settings_.delimiters);
    for (const DelimiterKind& kind : delimiterKinds()) {
        if (bits % 2 != 0)
            CodeDelimiters(sStart, sEnd, kind.open, kind.close);
        bits /= 2;
    }
}

void ReferenceColourer::keywordPass(int sStart, int sEnd, bool showProgress) {
    for (int i = 0; i < 3; ++i)
        CodeKeywords(sStart, sEnd, settings_.keywords[i], std::uint8_t(i + 1), showProgress);
}

void ReferenceColourer::CodeDelimiters(int sStart, int sEnd, const QString& strOpen,
                                       const QString& strClose) {
    if (codingBusy)
        return;
    codingBusy = true;
    const QString seg = text.mid(sStart, sEnd - sStart);
    int pos = 1;
    for (;;) {
        const int o = inStr(pos, seg, strOpen, false);
        if (o == 0)
            break;
        const int c = inStr(o + 1, seg, strClose, false);
        if (c == 0)
            break;
        paint(sStart + o - 1, c - o + strClose.size(), DelimitColor);
        pos = c + 1;
    }
    codingBusy = false;
    changedHighLight = false;
}

void ReferenceColourer::CodeKeywords(int sStart, int sEnd, const QString& list, std::uint8_t colour,
                                     bool& showProgress) {
    QString copy = list;
    codingBusy = true;
    int counter = 0;
    do {
        const QString word = readWord(copy);
        ++counter;
        if (showProgress)
            setCaption(QString::number(counter) + " of " + QString::number(settings_.keywordCount) +
                       " Keywords/Identifiers Coded...");
        if (word.isEmpty())
            break;
        const int len = word.size();
        const QString seg = text.mid(sStart, sEnd - sStart);
        int start = 1;
        do {
            const int found = inStr(start, seg, word, !settings_.caseSensitive);
            if (found == 0)
                break;
            paint(sStart + found - 1, len, colour);
            start = found + len;
        } while (!(start > seg.size() - len + 1));
    } while (!copy.isEmpty());
    codingBusy = false;
    changedHighLight = false;
}

} // namespace kelvane::test
