// The File group: New, Open, Close, Save, Save As, Save All, Reload and Exit, and the
// recent-file items the File menu generates from the recent-files list.
#pragma once

#include "platform/CommandGroup.h"

#include <QList>
#include <QString>

class QAction;

namespace kelvane {

class DocumentHost;
class frmDocument;
class LibraryCommands;

/// The filter of every document open and save dialog.
inline const QString kDocumentFileFilter = QStringLiteral(
    "All Files (*.*)|*.*|Text Files (*.txt, *.rtf, *.doc, *.faq)|*.txt;*.rtf;*.doc;*.faq|HTML "
    "Files|*.htm;*.html;*.shtm;*.shtml;*.dhtm;*.dhtml|C/C++ Files|*.c;*.cpp;*.h|Java "
    "Files|*.java;*.jav|Perl Files (*.pl)|*.pl|Pascal Files (*.pas)|*.pas|Basic Files "
    "(*.bas)|*.bas|Visual Basic Files|*.mak;*.frm;*.bas;*.cls;*.pag;*.ctl;*.vbp");

class FileCommands : public CommandGroup {
    Q_OBJECT
public:
    /// New runs the library's New (with its templates).
    FileCommands(DocumentHost& host, LibraryCommands& library, QWidget* parent);

    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    /// Saves every open document in slot order; an untitled one asks for a name, and no name
    /// chosen leaves the later documents unsaved.
    void mnuFileSaveAll_Click();
    /// Reads the active document's file again, asking first when its text has unsaved changes.
    void mnuFileReload_Click();
    void mnuFileExit_Click();
    /// Saves a document as Save does: one without a file of its own asks for a name. True when
    /// it was written; an error is shown, a cancel is not.
    bool saveDocument(frmDocument* document);

    /// Appends the recent-file items to the menu: a separator, then one item per entry.
    void addRecentItems();
    /// The recent-file items: 0 is the separator above them, 1 to 5 the entries.
    const QList<QAction*>& recentItems() const { return recent_; }
    /// Brings the recent-file items in line with the recent-files list.
    void refreshRecentFiles();
    /// Puts a path at the top of the recent-files list and refreshes the items.
    void CycleRecentFiles(const QString& path);
    /// Reopens recent file i (1 to 5) in a new document.
    void mnuFileRecent_Click(int index);

private:
    bool saveUnderNewName(frmDocument* document, const QString& title, QString& error,
                          bool& cancelled);

    DocumentHost& host_;
    LibraryCommands& library_;
    QList<QAction*> recent_;
};

} // namespace kelvane
