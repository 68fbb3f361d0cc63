// Helpers shared by the test suites: scratch folders and file contents.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <QProcessEnvironment>

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

/// Makes a folder refuse new entries (or accept them again): its permissions for ordinary
/// users, the immutable attribute for root, who ignores permissions. False when neither is
/// possible here.
bool lockFolder(const QString& folder, bool lock);

/// A routine that a test runs in a child process of its own: the test program started again,
/// which runs the routine (once its QApplication exists) instead of the tests and exits with
/// what it returns. Register one at namespace scope:
///     const TestChild saver("saver", [] { ...; return 0; });
class TestChild {
public:
    TestChild(const char* name, std::function<int()> routine);
};

/// Called by the test program's main: runs the child routine asked for, if any. False when
/// this process is no child, so the tests run.
bool runTestChild(int& exitCode);

/// The environment that makes a started test program run the named child routine.
QProcessEnvironment testChildEnvironment(const char* name);

/// The whole content of a file, or an empty array when it cannot be read.
QByteArray readAll(const QString& path);

} // namespace kelvane::test
