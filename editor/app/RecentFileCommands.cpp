// The recent-file items of the File menu.
#include "app/RecentFiles.h"
#include "app/frmMain.h"
#include "document/DocumentRegistry.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"

#include <QAction>

namespace kelvane {

void frmMain::refreshRecentFiles() {
    if (RecentFiles.entry(1).isEmpty()) {
        for (int i = 1; i <= RecentFileList::kCount; ++i)
            mnuFileRecent[i]->setVisible(false);
        mnuFileRecent[0]->setVisible(false);
        return;
    }
    for (int i = 1; i <= RecentFileList::kCount; ++i) {
        if (!RecentFiles.entry(i).isEmpty())
            mnuFileRecent[i]->setVisible(true);
        // Ampersands in a path would turn into access keys; double them to show them.
        mnuFileRecent[i]->setText(
            QString(RecentFiles.entry(i)).replace(QLatin1Char('&'), QLatin1String("&&")));
        mnuFileRecent[i]->setData(RecentFiles.entry(i));
    }
    mnuFileRecent[0]->setVisible(true);
}

void frmMain::CycleRecentFiles(const QString& path) {
    RecentFiles.cycle(path);
    refreshRecentFiles();
}

void frmMain::mnuFileRecent_Click(int index) {
    const QString path = mnuFileRecent[index]->data().toString();
    frmDocument* document = NewDocument();
    QString error;
    // Reopening neither writes a backup copy nor moves the entry to the top.
    if (!document->loadFile(path, {.caption = {}, .backup = false, .recentFiles = false}, error))
        MsgBox(QStringLiteral("An error occurred while you were trying to open a file:") +
                   QStringLiteral("\r\n") + error,
               vbOKOnly, QStringLiteral("File I/O Error"));
}

} // namespace kelvane
