// Word count: blanks followed by a character, so two words apart count one.
#include "commands/WordCount.h"

namespace kelvane {

qsizetype countWords(QStringView text) {
    return countWords([text](const auto& take) { take(text); });
}

qsizetype countWords(const TextPieces& pieces) {
    qsizetype blanks = 0;
    bool lastIsBlank = false; // a blank at the very end has no character after it
    pieces([&](QStringView piece) {
        blanks += piece.count(QLatin1Char(' '));
        if (!piece.isEmpty())
            lastIsBlank = piece.back() == QLatin1Char(' ');
    });
    return blanks - (lastIsBlank ? 1 : 0);
}

QString wordCountMessage(qsizetype count) {
    return QStringLiteral("Words counted in document: ") + QString::number(count) +
           QStringLiteral(".\r\n\r\nNOTE: This is only approximate.");
}

} // namespace kelvane
