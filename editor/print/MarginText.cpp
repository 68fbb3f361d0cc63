// Margin field texts: the key filter and the leading-number reading.
#include "print/MarginText.h"

#include "settings/SettingForms.h"

#include <cmath>
#include <limits>

namespace kelvane {

bool marginFieldAccepts(QChar typed, const QString& text) {
    if (typed == QChar(8))
        return true;
    if (typed == QLatin1Char('.'))
        return !text.contains(QLatin1Char('.'));
    return typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
}

float marginValue(const QString& text) {
    // Leading blanks, a sign, digits, a point, digits, and an exponent that has digits.
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto digitAt = [&](qsizetype at) {
        return at < n && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9');
    };
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    bool anyDigit = false;
    while (digitAt(i)) {
        ++i;
        anyDigit = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (digitAt(i)) {
            ++i;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype e = i + 1;
        if (e < n && (text[e] == QLatin1Char('+') || text[e] == QLatin1Char('-')))
            ++e;
        if (digitAt(e)) {
            while (digitAt(e))
                ++e;
            i = e;
        }
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return 0;
    return float(value);
}

QString marginText(float value) {
    return singleText(value);
}

} // namespace kelvane
