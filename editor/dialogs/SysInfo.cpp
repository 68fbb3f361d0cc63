// The System Information program: registered in the registry on Windows; on other systems the
// first of a few well-known system-information programs found on PATH.
#include "dialogs/SysInfo.h"

#include "platform/AppPaths.h"
#include "platform/MsgBox.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace kelvane {

#ifdef Q_OS_WIN
bool GetKeyValue(const QString& rootKey, const QString& keyName, const QString& valueName,
                 QString& value) {
    value.clear();
    const QSettings key(rootKey + QLatin1Char('\\') + keyName, QSettings::NativeFormat);
    const QVariant read = key.value(valueName);
    if (!read.isValid())
        return false;
    value = read.toString();
    // Text ends at its first zero character, as the registry's C strings do.
    const qsizetype zero = value.indexOf(QChar(0));
    if (zero >= 0)
        value.truncate(zero);
    return true;
}

QString findSystemInfoProgram() {
    const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
    QString path;
    if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path) &&
        !path.isEmpty())
        return path;
    QString folder;
    if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                    QStringLiteral("MSINFO"), folder) &&
        QFileInfo::exists(folder + QStringLiteral("\\MSINFO32.EXE")))
        return folder + QStringLiteral("\\MSINFO32.EXE");
    return QString();
}
#else
QStringList systemInfoCandidates() {
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor"), QStringLiteral("mate-system-monitor")};
}

QString findSystemInfoProgram() {
    for (const QString& name : systemInfoCandidates()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}
#endif

bool StartSysInfo() {
    const QString program = findSystemInfoProgram();
    // A registered path that names no program fails to start and gets the same message.
    if (program.isEmpty() || !QProcess::startDetached(program, {})) {
        MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), vbOKOnly,
               kAppTitle);
        return false;
    }
    return true;
}

} // namespace kelvane
