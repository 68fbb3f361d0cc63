// How the Options dialog shows and takes back values.
#include "prefs/OptionsValues.h"

#include "platform/TextLines.h"

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
    const double value = readLeadingNumber(text, {.tabsAreBlanks = true});
    return std::isfinite(value) ? value : 0;
}

float fontSizeOf(QStringView text) {
    const double size = leadingNumber(text);
    return std::fabs(size) <= std::numeric_limits<float>::max() ? float(size) : 0.0f;
}

} // namespace kelvane
