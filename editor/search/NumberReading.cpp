// Number reading: a prefix parser, so "12abc" is 12 and "abc" is 0.
#include "search/NumberReading.h"

#include "platform/TextLines.h"

#include <cmath>

namespace kelvane {

double readNumber(QStringView text) {
    return readLeadingNumber(text,
                             {.tabsAreBlanks = false, .radixPrefixes = true, .exponentD = true});
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
