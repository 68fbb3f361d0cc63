// Keyword-list files (.kwd).
#include "prefs/KwdFile.h"

#include "platform/TextEncoding.h"
#include "prefs/KeywordListCodec.h"

namespace kelvane {

QByteArray encodeKwdFile(const KeywordLists& lists) {
    QByteArray bytes;
    for (const QStringList& list : lists) {
        for (const QString& word : list)
            bytes += toWindows1252(word) + "\r\n";
        bytes += toWindows1252(kKwdListEnd) + "\r\n";
    }
    return bytes;
}

namespace {

bool isComment(const QString& line) {
    qsizetype i = 0;
    while (i < line.size() && line[i] == u' ')
        ++i;
    return i < line.size() && line[i] == u'~';
}

} // namespace

KwdReadResult decodeKwdFile(QByteArrayView bytes) {
    KwdReadResult result;
    if (bytes.isEmpty()) {
        result.ok = false;
        result.error = QStringLiteral("The file is empty.");
        return result;
    }
    const QString text = fromWindows1252(bytes);
    int current = 0;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype end = from;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QString line = text.sliced(from, end - from);
        // CR LF, LF and a lone CR each end one line; the last line needs no line end.
        from = end;
        if (from < text.size())
            from +=
                (text[from] == u'\r' && from + 1 < text.size() && text[from + 1] == u'\n') ? 2 : 1;

        if (line == kKwdListEnd) {
            if (current < 2)
                ++current;
        } else if (isComment(line) || line.isEmpty()) {
            continue;
        } else if (line.contains(QChar(KeywordSeparator))) {
            // The stored lists end every word with this character: such a word would split
            // in two, or end the list there, when the lists are next read back.
            continue;
        } else {
            result.lists[current] << line;
        }
    }
    return result;
}

} // namespace kelvane
