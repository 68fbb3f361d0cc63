// Number reading: a prefix parser, so "12abc" is 12 and "abc" is 0.
#include "search/NumberReading.h"

#include <QByteArray>
#include <QString>

#include <charconv>
#include <cmath>

namespace kelvane {

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

double readNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    text = text.mid(i);
    if (text.size() >= 2 && text[0] == QLatin1Char('&')) {
        const QChar kind = text[1].toUpper();
        if (kind == QLatin1Char('H'))
            return readRadix(text.mid(2), 16);
        if (kind == QLatin1Char('O'))
            return readRadix(text.mid(2), 8);
        return 0;
    }
    // The longest prefix of the form [sign] digits [. digits] [E|D [sign] digits].
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
    if (at < text.size() && QStringLiteral("eEdD").contains(text[at])) {
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
        // Too large reads as infinite (out of every range); too small as 0.
        const bool tiny = number.contains(QLatin1String("e-"));
        return tiny ? 0.0 : (number.startsWith(QLatin1Char('-')) ? -HUGE_VAL : HUGE_VAL);
    }
    return value;
}

std::optional<qint64> roundHalfEven(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (rounded < -9.2e18 || rounded > 9.2e18)
        return std::nullopt;
    return qint64(rounded);
}

std::optional<qint64> readWholeNumber(QStringView text) {
    return roundHalfEven(readNumber(text));
}

} // namespace kelvane
