// How the Options dialog shows and takes back values.
#include "prefs/OptionsValues.h"

#include <cmath>
#include <limits>

namespace kelvane {

std::array<bool, kBracerCount> bracerBoxesOf(qint32 delimiters) {
    std::array<bool, kBracerCount> boxes{};
    // Halving keeps the sign of a negative set out of the boxes: only bits 0 to 8 count.
    const quint32 bits = quint32(delimiters);
    for (int i = 0; i < kBracerCount; ++i)
        boxes[i] = (bits >> i) & 1u;
    return boxes;
}

qint32 delimitersOf(const std::array<bool, kBracerCount>& boxes) {
    qint32 delimiters = 0;
    for (int i = 0; i < kBracerCount; ++i)
        if (boxes[i])
            delimiters += qint32(1) << i;
    return delimiters;
}

double leadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    while (i < n && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when digits follow it.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    const double value = text.sliced(start, i - start).toString().toDouble();
    return std::isfinite(value) ? value : 0;
}

float fontSizeOf(QStringView text) {
    const double size = leadingNumber(text);
    return std::fabs(size) <= std::numeric_limits<float>::max() ? float(size) : 0.0f;
}

} // namespace kelvane
