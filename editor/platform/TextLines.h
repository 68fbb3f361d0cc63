// Text-line helpers shared by the readers of the editor's files and by the controls: one
// line-break normaliser, one line splitter and one leading-number reader.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kelvane {

/// The line break of the editor's own files and of the positions commands count.
inline const QString kCrLf = QStringLiteral("\r\n");

/// The text with every CR LF and every lone CR turned into LF.
QString toLfLineBreaks(QString text);

/// The lines of a text: CR LF, LF and a lone CR each end one line; a final line break ends the
/// last line without starting another, and the empty text has no lines.
QStringList splitTextLines(const QString& text);

/// The lines of one of the editor's own 8-bit files (Windows-1252), as splitTextLines gives
/// them.
QStringList linesOf8BitFile(QByteArrayView bytes);

/// True when the bytes begin with a UTF-8 or UTF-16 byte-order mark.
bool hasByteOrderMark(QByteArrayView bytes);

/// The lines of one of the editor's own files that may also be written in Unicode: a
/// byte-order mark decides the encoding, else the file is Windows-1252 (never guessed as
/// UTF-8 from its bytes, which would misread 8-bit text that happens to look like it).
QStringList linesOfMarkedOr8BitFile(QByteArrayView bytes);

/// How a leading number may be written, where the readers differ.
struct NumberSyntax {
    /// Tabs count as blanks before the number (spaces always do).
    bool tabsAreBlanks = false;
    /// "&H" and "&O" introduce hexadecimal and octal digits.
    bool radixPrefixes = false;
    /// "D" introduces an exponent as "E" does.
    bool exponentD = false;
};

/// The number at the front of a text after leading blanks: [sign] digits [. digits] and an
/// exponent when digits follow its letter; whatever follows is ignored and a text without a
/// number reads as 0. Too large a number reads as an infinity of its sign, too small as 0.
double readLeadingNumber(QStringView text, NumberSyntax syntax = {});

} // namespace kelvane
