// The number reading rule of Go to Line and Go to Character on any typed text (UTF-16 units
// straight from the bytes, so every character can occur).
#include "FuzzSupport.h"
#include "search/NumberReading.h"

#include <QString>

#include <cmath>

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += QChar(char16_t(data[i] | (data[i + 1] << 8)));

    const double value = readNumber(text);
    const std::optional<qint64> whole = readWholeNumber(text);
    require(whole == roundHalfEven(value), "the whole number is the rounded number read");
    if (whole) {
        require(std::isfinite(value), "only a finite number has a whole number");
        require(std::fabs(double(*whole) - value) <= 0.5 || std::fabs(value) >= 9.0e15,
                "rounding moves a number by half at most");
    }
    return 0;
}
