// Text-line helpers: line breaks, lines and leading numbers.
#include "platform/TextLines.h"

#include "platform/TextEncoding.h"

#include <QByteArray>

#include <charconv>
#include <cmath>

namespace kelvane {

QString toLfLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QStringList splitTextLines(const QString& text) {
    QStringList lines = toLfLineBreaks(text).split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not start another one.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList linesOf8BitFile(QByteArrayView bytes) {
    return splitTextLines(fromWindows1252(bytes));
}

bool hasByteOrderMark(QByteArrayView bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
           bytes.startsWith("\xFE\xFF");
}

QStringList linesOfMarkedOr8BitFile(QByteArrayView bytes) {
    return hasByteOrderMark(bytes) ? splitTextLines(decodeText(bytes).text)
                                   : linesOf8BitFile(bytes);
}

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

double readRadix(QStringView digits, int radix) {
    double value = 0;
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = 10 + (u - u'a');
        else if (u >= u'A' && u <= u'F')
            digit = 10 + (u - u'A');
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

} // namespace

double readLeadingNumber(QStringView text, NumberSyntax syntax) {
    qsizetype i = 0;
    while (i < text.size() &&
           (text[i] == QLatin1Char(' ') || (syntax.tabsAreBlanks && text[i] == QLatin1Char('\t'))))
        ++i;
    text = text.mid(i);
    if (syntax.radixPrefixes && text.size() >= 2 && text[0] == QLatin1Char('&')) {
        const QChar kind = text[1].toUpper();
        if (kind == QLatin1Char('H'))
            return readRadix(text.mid(2), 16);
        if (kind == QLatin1Char('O'))
            return readRadix(text.mid(2), 8);
        return 0;
    }
    // The longest prefix of the form [sign] digits [. digits] [exponent letter [sign] digits].
    QString number;
    qsizetype at = 0;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-')))
        number += text[at++];
    bool anyDigit = false;
    while (at < text.size() && isDigit(text[at])) {
        number += text[at++];
        anyDigit = true;
    }
    if (at < text.size() && text[at] == QLatin1Char('.')) {
        number += text[at++];
        while (at < text.size() && isDigit(text[at])) {
            number += text[at++];
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    const QStringView exponentLetters = syntax.exponentD ? u"eEdD" : u"eE";
    if (at < text.size() && exponentLetters.contains(text[at])) {
        qsizetype exponent = at + 1;
        QString part = QStringLiteral("e");
        if (exponent < text.size() &&
            (text[exponent] == QLatin1Char('+') || text[exponent] == QLatin1Char('-')))
            part += text[exponent++];
        const qsizetype digitsFrom = exponent;
        while (exponent < text.size() && isDigit(text[exponent]))
            part += text[exponent++];
        if (exponent > digitsFrom)
            number += part;
    }
    // Locale-independent conversion; the prefix holds only ASCII characters.
    const QByteArray ascii = number.toLatin1();
    const char* first = ascii.constData();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, ascii.constData() + ascii.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        const bool tiny = number.contains(QLatin1String("e-"));
        return tiny ? 0.0 : (number.startsWith(QLatin1Char('-')) ? -HUGE_VAL : HUGE_VAL);
    }
    return value;
}

} // namespace kelvane
