// The library commands.
#include "library/LibraryCommands.h"

#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "library/ClipLibrary.h"
#include "library/ClipTextPane.h"
#include "library/LibraryFolders.h"
#include "library/frmNewFile.h"
#include "platform/AppPaths.h"
#include "platform/CommonDialog.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "platform/TextLines.h"
#include "platform/richtext/RichTextBox.h"

#include <QWidget>

namespace kelvane {

namespace {
const QString kFileIOError = QStringLiteral("File I/O Error");
} // namespace

const QString LibraryCommands::kImageFilter =
    QStringLiteral("Standard Format Images|*.bmp;*.gif;*.jpg|All Files (*.*)|*.*");
const QString LibraryCommands::kRtfFilter =
    QStringLiteral("Rich Text Format (*.rtf)|*.rtf|All Files (*.*)|*.*");

LibraryCommands::LibraryCommands(DocumentHost& host, QWidget* parent)
    : CommandGroup(parent), host_(host) {
    // The File menu shows these among its own commands.
    addUnlisted({"mnuFileOpenImage",
                 QStringLiteral("&Open Image..."),
                 {},
                 {},
                 QStringLiteral("Opens a picture in its default viewer")},
                [this] { mnuFileOpenImage_Click(); });
    addUnlisted({"mnuFileExportRTF",
                 QStringLiteral("Export as RTF..."),
                 {},
                 {},
                 QStringLiteral("Saves the document with its colours as rich text")},
                [this] { mnuFileExportRTF_Click(); });
    addUnlisted({"mnuFileExportClip",
                 QStringLiteral("Export as ClipText Library..."),
                 {},
                 {},
                 QStringLiteral("Saves the document as a cliptext library, one entry a line")},
                [this] { mnuFileExportClip_Click(); });
    addUnlisted({"mnuFileExportTPL",
                 QStringLiteral("Export as Template..."),
                 {},
                 {},
                 QStringLiteral("Saves the document as a template for File > New")},
                [this] { mnuFileExportTPL_Click(); });
}

void LibraryCommands::mnuFileNew_Click() {
    frmNewFile dialog(host_.hostWindow());
    dialog.exec();
    if (dialog.choice() == frmNewFile::Choice::Cancelled)
        return;
    createFromTemplate(dialog.templateName());
}

void LibraryCommands::createFromTemplate(const QString& templateName) {
    frmDocument* document = host_.newDocument();
    if (!document || templateName.isEmpty())
        return;
    // A template that cannot be read leaves the new document empty.
    const QString path = templateFolder().pathOf(templateName);
    QString error;
    if (path.isEmpty() || !document->rtfText->LoadFile(path, error))
        return;
    document->ChangedHighLight = true;
    document->ColorCode();
    document->Changed = false;
}

void LibraryCommands::mnuFileExportClip_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    const QString name = InputBoxEx(
        QStringLiteral("Please enter a descriptive name for your cliptext library. This name "
                       "will appear on the 'Cliptext Libraries' list on the main window."),
        QStringLiteral("Save Cliptext"), QString());
    if (!name.isEmpty()) {
        QString error;
        const QString path = clipTextFolder().writablePathFor(name, error);
        if (path.isEmpty() || !writeClipLibrary(path, document->rtfText->documentText(), error))
            MsgBox(error, vbOKOnly, kFileIOError);
    }
    if (clipPane_)
        clipPane_->refreshLibraries();
    host_.hostWindow()->update();
}

void LibraryCommands::mnuFileExportTPL_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    const QString name = InputBoxEx(
        QStringLiteral("Please enter a descriptive name for your template. This name will "
                       "appear on the 'Templates' list on the New File dialog."),
        QStringLiteral("Save Template"), QString());
    if (name.isEmpty())
        return;
    QString error;
    const QString path = templateFolder().writablePathFor(name, error);
    if (path.isEmpty() || !document->rtfText->SaveFile(path, 1, error))
        MsgBox(QStringLiteral("There was an error saving the template.") + kCrLf + error, vbOKOnly,
               kFileIOError);
}

void LibraryCommands::mnuFileExportRTF_Click() {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    document->ColorCode(); // only when the colours are out of date
    CommonDialog& dialog = host_.commonDialog();
    const QString path =
        dialog.askSaveFile(QStringLiteral("Export as RTF"), kRtfFilter, QStringLiteral(".rtf"));
    if (path.isEmpty())
        return;
    dialog.FileName.clear();
    // The window shows where its text went; its own file and changed state stay as they were.
    const QString caption = document->Caption();
    document->setCaption(path);
    host_.setDocumentTabCaption(document->tabKey(), path);
    QString error;
    if (!document->rtfText->SaveFile(path, 0, error)) {
        MsgBox(QStringLiteral("An error occurred when saving the file ") + path + QLatin1Char('.') +
                   kCrLf + error,
               vbOKOnly);
        // Nothing was written there, so the window does not claim it was.
        document->setCaption(caption);
        host_.setDocumentTabCaption(document->tabKey(), caption);
    }
}

void LibraryCommands::mnuFileOpenImage_Click() {
    const QString path = host_.commonDialog().askOpenFile(QStringLiteral("Open"), kImageFilter);
    if (!path.isEmpty())
        OpenWithDefaultApp(path); // like the shell's result, not examined
}

void LibraryCommands::openFromBrowser(const QString& path) {
    frmDocument* document = host_.newDocument();
    if (!document)
        return;
    QString error;
    // Into the recent-files list, but never with a backup copy, whatever the setting says.
    if (!document->loadFile(path, {.caption = {}, .backup = false, .recentFiles = true}, error))
        MsgBox(QStringLiteral("An error occurred while you were trying to open a file:") + kCrLf +
                   error,
               vbOKOnly, kFileIOError);
}

void LibraryCommands::insertClipText(const QString& text) {
    if (frmDocument* document = host_.activeDocument())
        document->rtfText->setSelText(text);
}

} // namespace kelvane
