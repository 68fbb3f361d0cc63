// Whole-file reads and writes; writes go through QSaveFile (temporary file + rename).
#include "platform/FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kelvane {

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
    if (file.write(bytes) != bytes.size()) {
        error = file.errorString();
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
