// How the Options dialog shows and takes back values: delimiter boxes and typed numbers.
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>

namespace kelvane {

/// Number of delimiter pairs ("bracers"), one check box each.
inline constexpr int kBracerCount = 9;

/// Box i is checked when bit i of the set is 1; bits above 8 are not shown.
std::array<bool, kBracerCount> bracerBoxesOf(qint32 delimiters);

/// The bit set of the checked boxes: bit i for box i.
qint32 delimitersOf(const std::array<bool, kBracerCount>& boxes);

/// The number at the front of a text (leading blanks skipped, "." as decimal point, an
/// optional exponent), 0 when the text does not begin with one.
double leadingNumber(QStringView text);

/// The font size typed into the size box: its leading number, 0 when there is none or when
/// it is too large for a single-precision number.
float fontSizeOf(QStringView text);

} // namespace kelvane
