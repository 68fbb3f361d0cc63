// The cliptext pane: the list of cliptext libraries and the entries of the chosen one.
#pragma once

#include "library/LibraryFolders.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace kelvane {

class ClipTextPane : public QWidget {
    Q_OBJECT
public:
    explicit ClipTextPane(QWidget* parent = nullptr);

    QLabel* lblClipFiles;      ///< "Clip Text Libraries:"
    QListWidget* lstClipFiles; ///< the libraries, shipped and the user's own
    QListWidget* lstClip;      ///< the entries of the chosen library, one per row

    /// Fills the library list again from the folders, keeping the chosen library (and showing
    /// its entries again, in case they changed) when it is still there.
    void refreshLibraries();
    /// The library shown in lstClip; empty when none.
    QString currentLibrary() const;
    /// Shows the entries of a library. A library that cannot be read shows no entries.
    void lstClipFiles_Click(const QString& library);

signals:
    /// An entry was double-clicked (or Enter pressed on it): its text, to be inserted.
    void entryChosen(const QString& text);

private:
    void lstClip_DblClick(QListWidgetItem* item);

    LibraryFolder folder_;
};

} // namespace kelvane
