// Helpers shared by the test suites: scratch folders and file contents.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace kelvane::test {

/// A scratch folder removed when the object goes away.
class ScratchDir {
public:
    ScratchDir();
    QString path() const { return dir_.path(); }
    /// Full path of a name inside the folder.
    QString file(const QString& name) const;
    /// Writes bytes to a name inside the folder (making its subfolders) and returns its full
    /// path.
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

/// Runs `work` with the process's file size limit lowered to `bytes`, the way a full disk fails
/// writes (the limit's signal is ignored so writes just fail).
void runWithFileSizeLimit(qint64 bytes, const std::function<void()>& work);

/// The whole content of a file, or an empty array when it cannot be read.
QByteArray readAll(const QString& path);

} // namespace kelvane::test
