// Positions that count a line break as two characters (CR LF), as the editor's commands see
// the text, against the store's own positions, where a break is one '\n'. The conversion
// lives here and nowhere else.
#pragma once

#include <QString>
#include <QStringView>

namespace kelvane {

class TextStore;

namespace crlf {

/// Length of the text with each line break counted as two.
qsizetype length(const TextStore& text);
/// The store position of a CR LF counting position; a position between the CR and the LF of
/// a break stands for the break itself.
qsizetype toStore(const TextStore& text, qsizetype position);
/// The CR LF counting position of a store position (clamped to the text).
qsizetype fromStore(const TextStore& text, qsizetype storePosition);
/// Appends text ('\n' line breaks) with each break written as CR LF.
void appendWithCrLf(QString& out, QStringView text);
/// The characters of [from, to) in store positions, line breaks written as CR LF.
QString text(const TextStore& text, qsizetype from, qsizetype to);

} // namespace crlf
} // namespace kelvane
