// Whole-file reads and writes; a save never damages the file that was there.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class QFile;

namespace kelvane {

/// Reads a whole file. On failure returns false and sets error to the system's description.
bool readWholeFile(const QString& path, QByteArray& bytes, QString& error);

/// Opens a file to be read (in pieces). On failure returns false and sets error to the
/// system's description (or says the path is no file).
bool openForReading(QFile& file, QString& error);

/// Writes bytes to path so that a failed write never truncates or damages the file that was
/// there, and the file stays the same file: a symbolic link stays a link (its target is
/// written), and an existing file keeps its owner, group, mode and other hard links.
///
/// Normally the bytes go to a temporary file beside path that then replaces it in one rename,
/// so the file on disk is always either the whole old or the whole new content. Where a new
/// file would not keep the file's identity (the folder takes no new files, the file has more
/// than one link, or its owner or group cannot be given to a new file), the file is rewritten
/// in place instead: its old content is first copied to the user's data folder, and put back
/// if the write fails. On failure returns false and sets error to the system's description.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

/// Writes the bytes a source hands out, piece by piece, as writeFileAtomically does, so that a
/// long file is written without ever being whole in memory. The source calls `write` with
/// consecutive pieces and returns false as soon as `write` does; it may be asked twice (when
/// the file has to be rewritten in place after all), and hands out the same bytes each time.
using ByteSource = std::function<bool(const std::function<bool(QByteArrayView)>& write)>;
bool writeFileAtomically(const QString& path, const ByteSource& source, QString& error);

/// The per-user folder where the editor keeps its own working files (copies made while a file
/// is rewritten in place, recovery files), created when missing; ends without a separator.
QString userDataFolder();

/// Overrides userDataFolder (tests keep it inside a scratch folder); empty restores it.
/// Returns the override it replaces.
QString setUserDataFolderOverride(const QString& folder);

} // namespace kelvane
