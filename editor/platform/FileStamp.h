// What a file on disk looked like when a document read or wrote it: enough to tell that another
// program has changed, replaced or removed it since.
#pragma once

#include <QString>
#include <QtGlobal>

namespace kelvane {

struct FileStamp {
    bool exists = false;
    qint64 size = -1;
    /// Modification time in nanoseconds since the epoch (milliseconds where the system gives
    /// no finer time).
    qint64 modified = 0;
    /// Device and file number: a file replaced by rename is another file even when its size
    /// and time match. Zero where the system does not tell.
    quint64 device = 0;
    quint64 inode = 0;

    /// The file at `path` as it is now; a missing or unreadable file gives exists = false.
    static FileStamp of(const QString& path);

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

} // namespace kelvane
