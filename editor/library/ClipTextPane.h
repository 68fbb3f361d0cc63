// The cliptext pane: the list of cliptext libraries and the entries of the chosen one.
#pragma once

#include "library/LibraryFolders.h"

#include <QFrame>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace kelvane {

/// The pane `picClip`: a sunken frame with the caption, the library list and the entry list,
/// which it places whenever it is resized (the main window also asks on activation and when the
/// splitter repaints).
class ClipTextPane : public QFrame {
    Q_OBJECT
public:
    explicit ClipTextPane(QWidget* parent = nullptr);

    QLabel* lblClipFiles;      ///< "Clip Text Libraries:"
    QListWidget* lstClipFiles; ///< the libraries, shipped and the user's own
    QListWidget* lstClip;      ///< the entries of the chosen library, one per row

    /// Places the lists: the library list keeps its place and height and takes the width, the
    /// entry list the rest of the pane below it.
    void layoutLists();

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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void lstClip_DblClick(QListWidgetItem* item);

    LibraryFolder folder_;
};

} // namespace kelvane
