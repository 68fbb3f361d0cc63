// The shipped and the user's library folders, listed as one.
#include "library/LibraryFolders.h"

#include "platform/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>

#include <algorithm>

namespace kelvane {

namespace {

QString& userDataOverride() {
    static QString folder;
    return folder;
}

QString withSeparator(QString folder) {
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

QStringList filesOf(const QString& folder) {
    // Hidden files are left out, as the platform's file dialogs leave them out.
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
}

// Characters that a file name cannot hold on at least one platform the editor runs on; a
// library made here must still be usable when the folder is copied elsewhere.
constexpr QStringView kForbidden = u"\\/:*?\"<>|";

} // namespace

LibraryFolder::LibraryFolder(QString name) : name_(std::move(name)) {}

QString LibraryFolder::shippedFolder() const {
    return AppPath() + name_ + QDir::separator();
}

QString LibraryFolder::userFolder() const {
    const QString base = userDataOverride().isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                             : userDataOverride();
    return withSeparator(withSeparator(base) + name_);
}

QStringList LibraryFolder::entries() const {
    QStringList names = filesOf(shippedFolder());
    for (const QString& own : filesOf(userFolder()))
        if (!names.contains(own))
            names << own;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

QString LibraryFolder::pathOf(const QString& entry) const {
    QString error;
    if (!isUsableName(entry, error))
        return QString();
    for (const QString& folder : {userFolder(), shippedFolder()}) {
        const QString path = folder + entry;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

QString LibraryFolder::writablePathFor(const QString& entry, QString& error) const {
    if (!isUsableName(entry, error))
        return QString();
    const QString folder = userFolder();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("The folder ") + folder + QStringLiteral(" could not be created.");
        return QString();
    }
    return folder + entry;
}

bool LibraryFolder::isUsableName(const QString& entry, QString& error) {
    if (entry.isEmpty() || entry == QLatin1String(".") || entry == QLatin1String("..")) {
        error = QStringLiteral("\"") + entry + QStringLiteral("\" is not a file name.");
        return false;
    }
    for (const QChar c : entry) {
        if (c.unicode() < 32 || kForbidden.contains(c)) {
            error = QStringLiteral("A file name cannot contain the character ") +
                    (c.unicode() < 32 ? QStringLiteral("code ") + QString::number(c.unicode())
                                      : QString(c)) +
                    QLatin1Char('.');
            return false;
        }
    }
    if (entry.startsWith(QLatin1Char('.'))) {
        error = QStringLiteral("A name that begins with a full stop would be a hidden file.");
        return false;
    }
    return true;
}

LibraryFolder clipTextFolder() {
    return LibraryFolder(QStringLiteral("CLIPTEXT"));
}

LibraryFolder templateFolder() {
    return LibraryFolder(QStringLiteral("TEMPLATE"));
}

void setUserDataFolderOverride(const QString& folder) {
    userDataOverride() = folder;
}

} // namespace kelvane
