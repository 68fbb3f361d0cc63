// Reads a stored keyword list: words each followed by U+00FF, up to the first empty word.
#include "document/KeywordList.h"

namespace kelvane {

KeywordList readKeywordList(QStringView stored) {
    KeywordList list;
    qsizetype from = 0;
    for (;;) {
        ++list.reads;
        const qsizetype end = stored.indexOf(QChar(KeywordSeparator), from);
        // No further separator, or two in a row: the empty word, which ends the list.
        if (end <= from)
            break;
        list.words.push_back(stored.sliced(from, end - from).toString());
        from = end + 1;
        // The pass stops reading once the whole list has been taken off.
        if (from == stored.size())
            break;
    }
    return list;
}

} // namespace kelvane
