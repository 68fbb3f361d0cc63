// Whole-file reads and writes; writes go through QSaveFile (temporary file + rename).
#include "platform/FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>

namespace kelvane {

namespace {

bool syncToDisk(int handle) {
#ifdef Q_OS_WIN
    return handle < 0 || _commit(handle) == 0;
#else
    return handle < 0 || ::fsync(handle) == 0;
#endif
}

QString systemError() {
    const int code = errno != 0 ? errno : ENOSPC;
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

bool readWholeFile(const QString& path, QByteArray& bytes, QString& error) {
    QFile file(path);
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path)) {
        error = QStringLiteral("Path is not a file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFile::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    // Without this a target in a read-only folder would be rewritten in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    // A write cut short (a full disk, a file size limit) must not replace the old file, so
    // the temporary file's size is checked and its data forced to disk before the rename.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size() ||
        !syncToDisk(file.handle())) {
        error = file.error() != QFileDevice::NoError ? file.errorString() : systemError();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace kelvane
