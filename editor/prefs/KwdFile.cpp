// Keyword-list files (.kwd).
#include "prefs/KwdFile.h"

#include "platform/TextEncoding.h"
#include "platform/TextLines.h"
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
    int current = 0;
    for (const QString& line : linesOf8BitFile(bytes)) {
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
