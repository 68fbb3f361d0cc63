// Text forms of stored settings. A value that does not read as its form takes its default,
// so a damaged store never stops the editor from starting.
#include "settings/SettingForms.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kelvane {

QString flagText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

namespace {
bool readNumber(const QString& text, double& number) {
    bool ok = false;
    number = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(number);
}
} // namespace

bool readFlag(const QString& text, bool fallback) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    double number = 0;
    if (readNumber(trimmed, number))
        return number != 0;
    return fallback;
}

qint32 readInteger(const QString& text, qint32 fallback) {
    double number = 0;
    if (!readNumber(text, number))
        return fallback;
    const double rounded = std::nearbyint(number); // the default rounding mode is half to even
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max())
        return fallback;
    return qint32(rounded);
}

quint32 readColour(const QString& text, quint32 fallback) {
    double number = 0;
    if (!readNumber(text, number))
        return fallback;
    const double rounded = std::nearbyint(number);
    // Colours above 0x7FFFFFFF (system colours) may be stored signed or unsigned.
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<quint32>::max())
        return fallback;
    return rounded < 0 ? quint32(qint32(rounded)) : quint32(rounded);
}

float readSingle(const QString& text, float fallback) {
    double number = 0;
    if (!readNumber(text, number) || std::fabs(number) > std::numeric_limits<float>::max())
        return fallback;
    return float(number);
}

QString singleText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace kelvane
