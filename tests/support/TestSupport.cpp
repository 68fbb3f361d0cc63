// Helpers shared by the test suites.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

#include <csignal>

namespace kelvane::test {

ScratchDir::ScratchDir() : dir_(QDir::tempPath() + "/kelvane-test-XXXXXX") {}

QString ScratchDir::file(const QString& name) const {
    return dir_.filePath(name);
}

QString ScratchDir::write(const QString& name, const QByteArray& bytes) const {
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return path;
}

void runWithFileSizeLimit(qint64 bytes, const std::function<void()>& work) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &tight);
    work();
    setrlimit(RLIMIT_FSIZE, &old);
}

QByteArray readAll(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace kelvane::test
