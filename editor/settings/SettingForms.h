// Text forms of stored settings: how flags, integers, singles and colours are written and read.
#pragma once

#include <QString>
#include <QtGlobal>

namespace kelvane {

/// "True" or "False".
QString flagText(bool value);
/// Reads "True"/"False" (any case) or a number (0 is false); anything else gives the fallback.
bool readFlag(const QString& text, bool fallback);
/// Reads a whole number; a decimal rounds half to even; anything else gives the fallback.
qint32 readInteger(const QString& text, qint32 fallback);
/// Reads a colour 0x00BBGGRR written as a signed or unsigned decimal number.
quint32 readColour(const QString& text, quint32 fallback);
/// Reads a single-precision number with "." as the decimal point.
float readSingle(const QString& text, float fallback);
/// The shortest decimal text that reads back as the same single-precision number.
QString singleText(float value);

} // namespace kelvane
