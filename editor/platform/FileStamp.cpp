// File stamps from the file system: stat() where there is one, QFileInfo elsewhere.
#include "platform/FileStamp.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace kelvane {

FileStamp FileStamp::of(const QString& path) {
    FileStamp stamp;
    if (path.isEmpty())
        return stamp;
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
#ifdef Q_OS_MACOS
    const struct timespec& time = info.st_mtimespec;
#else
    const struct timespec& time = info.st_mtim;
#endif
    stamp.modified = qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
    stamp.device = quint64(info.st_dev);
    stamp.inode = quint64(info.st_ino);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

} // namespace kelvane
