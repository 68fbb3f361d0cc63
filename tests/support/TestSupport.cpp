// Helpers shared by the test suites.
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <fcntl.h>
#include <linux/fs.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>

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

QImage grabDialog(QWidget& dialog, const QString& name) {
    dialog.show();
    dialog.adjustSize();
    const QImage image = dialog.grab().toImage();
    EXPECT_FALSE(image.isNull());
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
    return image;
}

int inkIn(const QImage& picture, const QWidget& dialog, const QWidget& control) {
    // Inside the control's frame, scaled as the picture is (a high-density screen doubles it).
    const qreal scale = picture.devicePixelRatio();
    const QRect area(control.mapTo(&dialog, QPoint(0, 0)), control.size());
    const QRect inner = area.adjusted(3, 3, -3, -3);
    QList<QRgb> pixels;
    for (int y = int(inner.top() * scale); y <= int(inner.bottom() * scale); ++y)
        for (int x = int(inner.left() * scale); x <= int(inner.right() * scale); ++x)
            if (picture.valid(x, y))
                pixels << picture.pixel(x, y);
    // The background is the commonest colour; ink is what stands out from it.
    QHash<QRgb, int> counts;
    for (QRgb pixel : pixels)
        ++counts[pixel];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    const auto differs = [background](QRgb pixel) {
        return std::max({std::abs(qRed(pixel) - qRed(background)),
                         std::abs(qGreen(pixel) - qGreen(background)),
                         std::abs(qBlue(pixel) - qBlue(background))}) > 48;
    };
    return int(std::count_if(pixels.cbegin(), pixels.cend(), differs));
}

namespace {
constexpr char kOrdinaryUser[] = "kelvane-test";

// Whether a user other than the owner may run the program: the file and every folder above it.
bool reachableByOthers(const QString& path) {
    const QFileInfo program(path);
    if (!program.permissions().testFlags(QFile::ReadOther | QFile::ExeOther))
        return false;
    for (QDir dir = program.absoluteDir();;) {
        if (!QFileInfo(dir.absolutePath()).permissions().testFlag(QFile::ExeOther))
            return false;
        if (!dir.cdUp())
            return true;
    }
}
} // namespace

bool ordinaryUserIds(uint& uid, uint& gid) {
    // Tests running side by side may create the user at once: useradd then fails on the lock of
    // the password file, and a later look finds the user the other one made.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (const passwd* user = ::getpwnam(kOrdinaryUser)) {
            uid = user->pw_uid;
            gid = user->pw_gid;
            return true;
        }
        QProcess::execute(QStringLiteral("useradd"),
                          {"--system", "--no-create-home", "--home-dir", "/nonexistent", "--shell",
                           "/usr/sbin/nologin", kOrdinaryUser});
        if (attempt > 0)
            QThread::msleep(100);
    }
    return false;
}

bool rerunAsOrdinaryUser(const QProcessEnvironment& extra) {
    if (geteuid() != 0)
        return false;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    uint uid = 0, gid = 0;
    if (!ordinaryUserIds(uid, gid)) {
        ADD_FAILURE() << "no unprivileged user " << kOrdinaryUser << " could be had";
        return true;
    }
    // The child's home, runtime and temporary folder; the program is copied there when the
    // build folder is closed to other users.
    QTemporaryDir home(QDir::tempPath() + "/kelvane-user-XXXXXX");
    const QByteArray homePath = QFile::encodeName(home.path());
    if (!home.isValid() || ::chown(homePath.constData(), uid, gid) != 0) {
        ADD_FAILURE() << "no home for " << kOrdinaryUser;
        return true;
    }
    QString program = QCoreApplication::applicationFilePath();
    if (!reachableByOthers(program)) {
        const QString copy = home.filePath(QStringLiteral("tests"));
        if (!QFile::copy(program, copy)) {
            ADD_FAILURE() << "cannot copy the test program for " << kOrdinaryUser;
            return true;
        }
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ReadOther | QFile::ExeOther |
                                        QFile::ExeOwner);
        program = copy;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "TMPDIR", "XDG_RUNTIME_DIR"})
        env.insert(QString::fromLatin1(name), home.path());
    for (const QString& name : extra.keys())
        env.insert(name, extra.value(name));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString filter =
        QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name());
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=%1").arg(uid), QStringLiteral("--regid=%1").arg(gid),
                 QStringLiteral("--init-groups"), QStringLiteral("--"), program, filter});
    if (!child.waitForFinished(240000)) {
        child.kill();
        child.waitForFinished();
        ADD_FAILURE() << "the test did not finish as " << kOrdinaryUser;
        return true;
    }
    const QString output = QString::fromLocal8Bit(child.readAll());
    const bool passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                        output.contains(QLatin1String("[  PASSED  ] 1 test.")) &&
                        !output.contains(QLatin1String("[  SKIPPED ]"));
    EXPECT_TRUE(passed) << "as " << kOrdinaryUser << ":\n" << output.toStdString();
    return true;
}

QByteArray readAll(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace kelvane::test
