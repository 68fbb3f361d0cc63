// Helpers shared by the test suites.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QSet>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

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

namespace {
constexpr char kChildVariable[] = "KELVANE_TEST_CHILD";

QHash<QByteArray, std::function<int()>>& childRoutines() {
    static QHash<QByteArray, std::function<int()>> routines;
    return routines;
}
} // namespace

TestChild::TestChild(const char* name, std::function<int()> routine) {
    childRoutines().insert(name, std::move(routine));
}

bool runTestChild(int& exitCode) {
    const QByteArray name = qgetenv(kChildVariable);
    if (name.isEmpty())
        return false;
    const auto routine = childRoutines().constFind(name);
    exitCode = routine == childRoutines().cend() ? 127 : (*routine)();
    return true;
}

QProcessEnvironment testChildEnvironment(const char* name) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildVariable, name);
    return env;
}

bool lockFolder(const QString& folder, bool lock) {
    if (geteuid() != 0)
        return QFile::setPermissions(folder,
                                     lock ? QFile::ReadOwner | QFile::ExeOwner
                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = lock ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

void grabDialog(QWidget& dialog, const QString& name) {
    dialog.show();
    dialog.adjustSize();
    const QImage image = dialog.grab().toImage();
    ASSERT_FALSE(image.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 10) << "the dialog drew its contents";
    const QString folder = qEnvironmentVariable("KELVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(image.save(QDir(folder).filePath(name)));
    }
    dialog.close();
}

QByteArray readAll(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace kelvane::test
