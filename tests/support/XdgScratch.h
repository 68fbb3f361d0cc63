// A scratch home with its own XDG folders, for tests that register file associations and ask
// the desktop's tools about them.
#pragma once

#include "platform/FileAssociations.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <map>

namespace kelvane::test {

class XdgScratch {
public:
    XdgScratch() {
        for (const char* folder : {"home", "data", "config", "system"})
            QDir().mkpath(scratch.file(QString::fromLatin1(folder)));
        places.dataHome = scratch.file(QStringLiteral("data"));
        places.configHome = scratch.file(QStringLiteral("config"));
        // A system folder of its own first, then the machine's MIME database.
        places.dataDirs = {scratch.file(QStringLiteral("system")), QStringLiteral("/usr/share")};
    }

    /// The environment the desktop's tools see: this home and these folders, no desktop
    /// session (so xdg-utils use the freedesktop files).
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_CONFIG_DIRS", "XDG_MENU_PREFIX"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), scratch.file(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), places.dataHome);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), places.configHome);
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), scratch.file(QStringLiteral("etc-xdg")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), places.dataDirs.join(QLatin1Char(':')));
        return env;
    }

    /// Runs a program in that environment and returns its standard output, trimmed.
    QString run(const QString& program, const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    /// Every file under the scratch data and config folders with its content.
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> files;
        for (const QString& root : {places.dataHome, places.configHome})
            collect(root, files);
        return files;
    }

    ScratchDir scratch;
    XdgPlaces places;

private:
    static void collect(const QString& folder, std::map<QString, QByteArray>& files) {
        QDir dir(folder);
        for (const QFileInfo& info :
             dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (info.isDir())
                collect(info.filePath(), files);
            else
                files[info.filePath()] = readAll(info.filePath());
        }
    }
};

} // namespace kelvane::test
