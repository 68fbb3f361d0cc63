// The word count of the Search menu, worked out on plain text.
#pragma once

#include "platform/TextEncoding.h"

#include <QString>
#include <QStringView>

namespace kelvane {

/// The number of blanks (character 32) that have a character after them.
qsizetype countWords(QStringView text);
/// The same over a text handed over in consecutive pieces.
qsizetype countWords(const TextPieces& pieces);

/// The message that reports a count.
QString wordCountMessage(qsizetype count);

} // namespace kelvane
