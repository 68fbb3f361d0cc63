// The drive list's entries.
#include "library/BrowserDrives.h"

#include <QDir>
#include <QStorageInfo>

namespace kelvane {

namespace {

QString asRoot(QString folder) {
    folder = QDir::toNativeSeparators(QDir::cleanPath(folder));
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

} // namespace

QList<BrowserDrive> browserDrives() {
    QList<BrowserDrive> drives;
    auto add = [&drives](const QString& folder, const QString& label) {
        const QString root = asRoot(folder);
        for (const BrowserDrive& drive : drives)
            if (drive.root == root)
                return;
        drives.append(BrowserDrive{root, label});
    };
    for (const QFileInfo& root : QDir::drives())
        add(root.absoluteFilePath(), QDir::toNativeSeparators(root.absoluteFilePath()));
    add(QDir::homePath(), QDir::toNativeSeparators(QDir::homePath()) + QStringLiteral(" (Home)"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Pseudo file systems (proc, sysfs, tmpfs, ...) have no device of their own; loop devices
        // hold packaged software and files mounted singly are no place to browse.
        if (!volume.isValid() || !volume.device().startsWith("/dev/") ||
            volume.device().startsWith("/dev/loop") || !QFileInfo(volume.rootPath()).isDir())
            continue;
        const QString name = volume.name().isEmpty()
                                 ? QDir::toNativeSeparators(volume.rootPath())
                                 : QDir::toNativeSeparators(volume.rootPath()) +
                                       QStringLiteral(" [") + volume.name() + QLatin1Char(']');
        add(volume.rootPath(), name);
    }
    return drives;
}

int driveIndexOf(const QList<BrowserDrive>& drives, const QString& folder) {
    const QString path = asRoot(folder);
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString& root = drives[i].root;
#ifdef Q_OS_WIN
        const bool inside = path.startsWith(root, Qt::CaseInsensitive);
#else
        const bool inside = path.startsWith(root);
#endif
        if (inside && (best < 0 || root.size() > drives[best].root.size()))
            best = i;
    }
    return best;
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QDir::separator()) || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QDir::separator() + name;
}

} // namespace kelvane
