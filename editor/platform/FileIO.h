// Whole-file reads and writes; writes replace the target atomically.
#pragma once

#include <QByteArray>
#include <QString>

namespace kelvane {

/// Reads a whole file. On failure returns false and sets error to the system's description.
bool readWholeFile(const QString& path, QByteArray& bytes, QString& error);

/// Writes bytes to a temporary file beside path and renames it over path, so a failed
/// write never truncates or damages the file that was there. On failure returns false,
/// leaves path untouched and sets error to the system's description.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

} // namespace kelvane
