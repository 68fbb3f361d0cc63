// The program's folder and the file-name helpers.
#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace kelvane {

namespace {
QString& appPathOverride() {
    static QString folder;
    return folder;
}
} // namespace

QString programFilesFolder(const QString& executableFolder) {
    const QDir folder(executableFolder);
    // The build's runnable folder holds the files beside the program.
    if (folder.exists(QStringLiteral("Kelvane.dat")) || folder.exists(QStringLiteral("PROFILES")))
        return executableFolder;
    // Installed: <prefix>/bin/kelvane reads <prefix>/share/kelvane/.
    const QString shared = folder.absoluteFilePath(QStringLiteral("../share/kelvane"));
    if (folder.dirName() == QLatin1String("bin") && QDir(shared).exists())
        return QDir::toNativeSeparators(QDir::cleanPath(shared));
    return executableFolder;
}

QString AppPath() {
    QString folder =
        appPathOverride().isEmpty()
            ? programFilesFolder(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()))
            : appPathOverride();
    const QChar separator = QDir::separator();
    while (folder.endsWith(separator) && folder.size() > 1)
        folder.chop(1);
    if (!folder.endsWith(separator))
        folder += separator;
    return folder;
}

void setAppPathOverride(const QString& folder) {
    appPathOverride() = folder;
}

QString FileTitleOf(const QString& path) {
#ifdef Q_OS_WIN
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
#else
    // A backslash is an ordinary character of a file name here.
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#endif
    return cut < 0 ? path : path.mid(cut + 1);
}

} // namespace kelvane
