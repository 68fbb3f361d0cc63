// Reading a typed answer as a number, as Go to Line and Go to Character do.
#pragma once

#include <QStringView>

#include <optional>

namespace kelvane {

/// The number at the start of the text after leading blanks: digits with an optional sign,
/// decimal point and exponent, or "&H" / "&O" followed by hexadecimal or octal digits.
/// Whatever follows is ignored; a text without a number reads as 0.
double readNumber(QStringView text);

/// The value rounded to the nearest whole number, halves to the even neighbour; no value when
/// it is not finite or lies beyond the 64-bit range.
std::optional<qint64> roundHalfEven(double value);

/// readNumber and roundHalfEven together; no value means no usable whole number.
std::optional<qint64> readWholeNumber(QStringView text);

} // namespace kelvane
