// Cliptext library files: one snippet per line, Windows-1252 text with CR LF line breaks.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace kelvane {

/// The entries of a library file, one per line in file order. A line break ends a line (CR LF,
/// and also LF or a lone CR); the last line needs none, and a break at the very end adds no
/// empty entry. Windows-1252, unless the bytes begin with a byte-order mark.
QStringList parseClipLibrary(QByteArrayView bytes);

/// The bytes of a library holding `text` (lines separated by '\n', CR LF or CR): every line
/// ends in CR LF except the last, which keeps what the text had. Windows-1252 when every
/// character fits and the bytes do not begin like a byte-order mark, else UTF-8 with a mark
/// (half of a surrogate pair, which UTF-8 cannot hold, becomes the replacement character).
QByteArray encodeClipLibrary(QStringView text);

/// Reads a library file. False with the system's description in `error` when it cannot be read.
bool readClipLibrary(const QString& path, QStringList& entries, QString& error);

/// Writes a library file atomically. False with the system's description in `error`.
bool writeClipLibrary(const QString& path, QStringView text, QString& error);

} // namespace kelvane
