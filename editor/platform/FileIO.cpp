// Whole-file reads and writes: a temporary file and a rename where that keeps the file's
// identity, else a rewrite in place guarded by a copy of the old content.
#include "platform/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <utility>

namespace kelvane {

namespace {

QString& userDataOverride() {
    static QString folder;
    return folder;
}

bool syncToDisk(int handle) {
#ifdef Q_OS_WIN
    return handle < 0 || _commit(handle) == 0;
#else
    return handle < 0 || ::fsync(handle) == 0;
#endif
}

QString systemError(int code = errno) {
    return QString::fromLocal8Bit(std::strerror(code != 0 ? code : ENOSPC));
}

/// The file a save writes: a symbolic link's target (followed to the end), else path itself.
QString saveTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.symLinkTarget() : resolved; // a dangling link: its target
}

/// Writes what the source hands out to a file from its current position; the number of bytes
/// written goes to `written`. False when a write falls short.
bool writeFrom(QFileDevice& file, const ByteSource& source, qint64& written) {
    written = 0;
    return source([&file, &written](QByteArrayView piece) {
        const qint64 n = file.write(piece.data(), piece.size());
        if (n > 0)
            written += n;
        return n == piece.size();
    });
}

ByteSource sourceOf(const QByteArray& bytes) {
    return [&bytes](const std::function<bool(QByteArrayView)>& write) { return write(bytes); };
}

/// Writes the bytes through a temporary file and a rename. With `identity`, the new file is
/// first given the old one's owner, group and mode; `refused` is set (and nothing changed)
/// when that is not permitted or the folder takes no new file, so the caller can rewrite the
/// file in place instead.
bool writeByRename(const QString& target, const ByteSource& source, const void* identity,
                   bool& refused, QString& error) {
    refused = false;
    QSaveFile file(target);
    // Without this a target in a read-only folder would be rewritten in place, unguarded.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        refused = identity != nullptr;
        error = file.errorString();
        return false;
    }
#ifndef Q_OS_WIN
    if (identity) {
        const auto& old = *static_cast<const struct stat*>(identity);
        // The owner first: changing it clears the set-user-ID and set-group-ID bits.
        struct stat made {};
        if (::fstat(file.handle(), &made) != 0 ||
            ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
             ::fchown(file.handle(), old.st_uid, old.st_gid) != 0) ||
            ::fchmod(file.handle(), old.st_mode & 07777) != 0) {
            refused = true;
            error = systemError();
            file.cancelWriting();
            return false;
        }
    }
#else
    Q_UNUSED(identity);
#endif
    // A write cut short (a full disk, a file size limit) must not replace the old file, so
    // the temporary file's size is checked and its data forced to disk before the rename.
    qint64 written = 0;
    if (!writeFrom(file, source, written) || !file.flush() || file.size() != written ||
        !syncToDisk(file.handle())) {
        error = file.error() != QFileDevice::NoError ? file.errorString() : systemError();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
#ifndef Q_OS_WIN
    // The rename itself reaches the disk with the folder's entry.
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#endif
    return true;
}

/// Writes all the source hands out at the start of an open file, cuts it to that length and
/// forces it to disk. False with errno's description on any failure.
bool overwrite(QFile& file, const ByteSource& source, QString& error) {
    errno = 0;
    qint64 written = 0;
    if (!file.seek(0) || !writeFrom(file, source, written) || !file.flush() ||
        !file.resize(written) || !syncToDisk(file.handle()) || file.size() != written) {
        error = file.error() != QFileDevice::NoError ? file.errorString() : systemError();
        return false;
    }
    return true;
}

/// Rewrites the file in place, so it stays the same file. Its old content goes first to a copy
/// in the user's data folder; when the write fails it is put back, and the copy is kept only
/// when even that fails.
bool writeInPlace(const QString& target, const ByteSource& source, QString& error) {
    QFile file(target);
    // ReadWrite does not truncate: nothing changes before the old content is safe. Unbuffered:
    // a piece that failed to reach the file must not linger to spoil putting the old one back.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    QTemporaryFile copy(userDataFolder() + QStringLiteral("/save-") + QFileInfo(target).fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!copy.open() || copy.write(old) != old.size() || !copy.flush() ||
        !syncToDisk(copy.handle())) {
        error = QStringLiteral("No copy of the old content could be kept: ") +
                (copy.error() != QFileDevice::NoError ? copy.errorString() : systemError());
        return false;
    }
    if (overwrite(file, source, error))
        return true; // the copy goes with `copy`
    QString restoreError;
    if (!overwrite(file, sourceOf(old), restoreError)) {
        copy.setAutoRemove(false);
        error += QStringLiteral(". The old content is kept in ") +
                 QDir::toNativeSeparators(copy.fileName());
    }
    return false;
}

} // namespace

QString userDataFolder() {
    const QString folder = !userDataOverride().isEmpty()
                               ? userDataOverride()
                               : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString setUserDataFolderOverride(const QString& folder) {
    return std::exchange(userDataOverride(), folder);
}

bool openForReading(QFile& file, QString& error) {
    const QFileInfo info(file.fileName());
    if (!info.isFile() && info.exists()) {
        error = QStringLiteral("Path is not a file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool readWholeFile(const QString& path, QByteArray& bytes, QString& error) {
    QFile file(path);
    if (!openForReading(file, error))
        return false;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& error) {
    return writeFileAtomically(path, sourceOf(bytes), error);
}

bool writeFileAtomically(const QString& path, const ByteSource& bytes, QString& error) {
    const QString target = saveTarget(path);
    bool refused = false;
#ifdef Q_OS_WIN
    return writeByRename(target, bytes, nullptr, refused, error);
#else
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) != 0)
        return writeByRename(target, bytes, nullptr, refused, error); // a new file
    if (!S_ISREG(old.st_mode)) {
        error = QStringLiteral("Path is not a file");
        return false;
    }
    // A second name would keep the old content if a new file took this one's place.
    if (old.st_nlink == 1 && writeByRename(target, bytes, &old, refused, error))
        return true;
    if (old.st_nlink == 1 && !refused)
        return false;
    return writeInPlace(target, bytes, error);
#endif
}

} // namespace kelvane
