// Finding and starting the system's System Information program.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvane {

#ifdef Q_OS_WIN
/// Reads one registry value as text (a number as its decimal text); false when the key or
/// the value cannot be read. rootKey is a root such as "HKEY_LOCAL_MACHINE".
bool GetKeyValue(const QString& rootKey, const QString& keyName, const QString& valueName,
                 QString& value);
#else
/// The system-information programs looked for on PATH, in order of preference.
QStringList systemInfoCandidates();
#endif

/// The full path of the System Information program, or the empty text when there is none.
QString findSystemInfoProgram();

/// Starts the System Information program; when there is none or it does not start, shows
/// "System Information Is Unavailable At This Time". Returns true when it started.
bool StartSysInfo();

} // namespace kelvane
