// DocumentHost: what a document window, and the commands and dialogs that work on documents,
// need of the frame around them. The main window implements it and hands itself down, so
// nothing below it reaches up for the main window.
#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace kelvane {

class CommonDialog;
class frmDocument;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    /// The window that owns dialogs and takes the focus back after them.
    virtual QWidget* hostWindow() = 0;
    /// The active document window, or nullptr.
    virtual frmDocument* activeDocument() const = 0;
    /// Creates, numbers and shows an untitled document, which becomes the active document.
    virtual frmDocument* newDocument() = 0;
    /// Saves a document as the Save command does; true when it was written.
    virtual bool saveDocument(frmDocument* document) = 0;
    /// Puts a path at the top of the recent-files list; a host without one ignores it.
    virtual void addRecentFile(const QString& path) { Q_UNUSED(path); }
    /// The one shared file, colour and printer dialog.
    virtual CommonDialog& commonDialog() = 0;

    /// Sets the text of status-bar panel 1 to 3.
    virtual void setStatusText(int panel, const QString& text) = 0;

    /// The document's tab in the open-files strip, found by its key ("Tab" and the slot).
    virtual void addDocumentTab(const QString& key, const QString& caption) = 0;
    virtual void selectDocumentTab(const QString& key) = 0;
    virtual void setDocumentTabCaption(const QString& key, const QString& caption) = 0;
    virtual void setDocumentTabToolTip(const QString& key, const QString& toolTip) = 0;
    virtual void removeDocumentTab(const QString& key) = 0;

    /// Pops up the Edit menu, the document's right-click menu, at a screen position.
    virtual void popupEditMenu(QPoint globalPosition) = 0;
    /// Gives the keyboard back to the main window and its active document.
    virtual void focusActiveDocument() = 0;
};

} // namespace kelvane
