// Keyword lists as the settings keep them.
#include "prefs/KeywordListCodec.h"

namespace kelvane {

QStringList splitKeywordList(QStringView stored) {
    const KeywordList list = readKeywordList(stored);
    return QStringList(list.words.begin(), list.words.end());
}

QString joinKeywordList(const QStringList& words) {
    QString stored;
    for (const QString& word : words) {
        stored += word;
        stored += QChar(KeywordSeparator);
    }
    return stored;
}

} // namespace kelvane
