// Reading the tips file: one tip per line, Windows-1252 (or UTF-8), CR LF or LF.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace kelvane {

/// The tips of a tips file in file order; every line is one tip, an empty line an empty tip,
/// and a final line break does not start another tip.
QStringList tipsFromBytes(const QByteArray& bytes);

} // namespace kelvane
