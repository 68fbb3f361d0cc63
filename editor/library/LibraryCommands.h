// The library commands: File > New with its templates, the three exports and Open Image,
// declared once as actions the File menu shows, and what a double click in the browser or the
// cliptext pane does.
#pragma once

#include "platform/CommandGroup.h"

#include <QString>

namespace kelvane {

class ClipTextPane;
class DocumentHost;

class LibraryCommands : public CommandGroup {
    Q_OBJECT
public:
    LibraryCommands(DocumentHost& host, QWidget* parent);

    /// The cliptext pane that Export as ClipText Library refreshes; may stay unset.
    void setClipTextPane(ClipTextPane* pane) { clipPane_ = pane; }

    /// File > New: the New File dialog, then a blank document or one from a template.
    void mnuFileNew_Click();
    /// Creates the document the New File dialog asked for: blank when `templateName` is
    /// empty, else filled from that template, coloured and unchanged.
    void createFromTemplate(const QString& templateName);
    /// File > Export as ClipText Library...
    void mnuFileExportClip_Click();
    /// File > Export as Template...
    void mnuFileExportTPL_Click();
    /// File > Export as RTF...
    void mnuFileExportRTF_Click();
    /// File > Open Image...
    void mnuFileOpenImage_Click();

    /// A file chosen in the browser pane: opened in a new document, without a backup copy.
    void openFromBrowser(const QString& path);
    /// A cliptext entry chosen: replaces the active document's selection.
    void insertClipText(const QString& text);

    static const QString kImageFilter;
    static const QString kRtfFilter;

private:
    DocumentHost& host_;
    ClipTextPane* clipPane_ = nullptr;
};

} // namespace kelvane
