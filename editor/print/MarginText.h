// The text of a margin field in the Page Setup dialog: which keys it takes and the number it
// stands for.
#pragma once

#include <QChar>
#include <QString>

namespace kelvane {

/// Whether a typed character may enter a margin field holding `text`: digits, backspace and
/// one decimal point; everything else (letters, signs, control keys) is swallowed.
bool marginFieldAccepts(QChar typed, const QString& text);

/// The number a field's text stands for: its longest leading part that reads as a decimal
/// number with "." as the decimal point; an empty or non-numeric text is 0.
float marginValue(const QString& text);

/// A margin as a field and the settings store show it: the shortest decimal text ("2.5", "2").
QString marginText(float value);

} // namespace kelvane
