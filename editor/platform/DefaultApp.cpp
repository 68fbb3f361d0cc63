// Opening a file with its associated program.
#include "platform/DefaultApp.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kelvane {

bool OpenWithDefaultApp(const QString& path) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A window system without desktop services of its own (a bare X server, the offscreen
    // platform) still has the freedesktop defaults behind xdg-open.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
#else
    return false;
#endif
}

} // namespace kelvane
