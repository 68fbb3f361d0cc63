// Keyword lists as the settings keep them.
#include "prefs/KeywordListCodec.h"

namespace kelvane {

QStringList splitKeywordList(QStringView stored) {
    QStringList words;
    qsizetype from = 0;
    for (;;) {
        const qsizetype end = stored.indexOf(QChar(kKeywordListSeparator), from);
        // No further separator, or two in a row: the empty piece, which ends the list.
        if (end <= from)
            break;
        words << stored.sliced(from, end - from).toString();
        from = end + 1;
    }
    return words;
}

QString joinKeywordList(const QStringList& words) {
    QString stored;
    for (const QString& word : words) {
        stored += word;
        stored += QChar(kKeywordListSeparator);
    }
    return stored;
}

} // namespace kelvane
