// The places the file browser offers as drives: the file-system roots a user can open.
#pragma once

#include <QList>
#include <QString>

namespace kelvane {

/// One entry of the drive list.
struct BrowserDrive {
    QString root;  ///< the folder the drive opens at, ending in a separator
    QString label; ///< what the list shows
};

/// The file system's root, the home folder and every mounted volume backed by a device
/// (removable media, other disks), each once, in that order.
QList<BrowserDrive> browserDrives();

/// The index of the drive that holds `folder`: the one with the longest root that contains
/// it; -1 when none does.
int driveIndexOf(const QList<BrowserDrive>& drives, const QString& folder);

/// `folder` and `name` joined by one separator (none added when the folder ends in one).
QString joinPath(const QString& folder, const QString& name);

} // namespace kelvane
