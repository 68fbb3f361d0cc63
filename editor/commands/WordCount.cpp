// Word count: blanks followed by a character, so two words apart count one.
#include "commands/WordCount.h"

namespace kelvane {

qsizetype countWords(QStringView text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == QLatin1Char(' '))
            ++count;
    return count;
}

QString wordCountMessage(qsizetype count) {
    return QStringLiteral("Words counted in document: ") + QString::number(count) +
           QStringLiteral(".\r\n\r\nNOTE: This is only approximate.");
}

} // namespace kelvane
