// A document's file changed by another program: reloaded in place when nothing would be lost,
// otherwise the user decides, and no save writes over the newer file without asking.
#include "document/DocumentHost.h"
#include "document/FileWatch.h"
#include "document/frmDocument.h"
#include "platform/FileStamp.h"
#include "platform/MsgBox.h"
#include "platform/TextLines.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"
#include "settings/EditorSettings.h"
#include "settings/ReloadSetting.h"

#include <QFileInfo>
#include <QScrollBar>

#include <algorithm>

namespace kelvane {

namespace {

const QString kChangedTitle = QStringLiteral("File Changed on Disk");

bool sameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.absoluteFilePath() == second.absoluteFilePath())
        return true;
    // Through a link, or another spelling of the same folder.
    const QString canonical = first.canonicalFilePath();
    return !canonical.isEmpty() && canonical == second.canonicalFilePath();
}

} // namespace

bool frmDocument::activeForUser() const {
    return host_.activeDocument() == this && window()->isActiveWindow();
}

void frmDocument::fileChangedOnDisk() {
    removedNoticeDue_ = false;
    if (ReloadChangedFiles && !Changed && !askingAboutDisk_) {
        reloadFromDisk();
        return;
    }
    diskQuestionDue_ = true;
    if (activeForUser())
        askAboutDiskChange();
}

void frmDocument::fileRemovedFromDisk() {
    diskQuestionDue_ = false;
    // The text is now the only copy: closing asks to save it, and Save writes the file back.
    if (!Changed) {
        Changed = true;
        keepForRecovery();
    }
    removedNoticeDue_ = true;
    if (activeForUser())
        tellFileRemoved();
}

void frmDocument::checkDiskFile() {
    if (askingAboutDisk_)
        return;
    fileWatch_->look(); // may report at once, and ask when this window is the active one
    if (removedNoticeDue_)
        tellFileRemoved();
    else if (diskQuestionDue_)
        askAboutDiskChange();
}

void frmDocument::askAboutDiskChange() {
    if (askingAboutDisk_)
        return;
    askingAboutDisk_ = true;
    diskQuestionDue_ = false;
    fileWatch_->acknowledge(); // asked once for this state of the file
    const QString prompt =
        Changed ? QStringLiteral("The file ") + Caption() +
                      QStringLiteral(" was changed by another program. Reload it and lose your "
                                     "changes, or keep your text?")
                : QStringLiteral("The file ") + Caption() +
                      QStringLiteral(" was changed by another program. Reload it, or keep the "
                                     "text shown?");
    const int answer = MsgBox(prompt, vbYesNo + vbQuestion, kChangedTitle,
                              {QStringLiteral("&Reload"), QStringLiteral("&Keep")});
    askingAboutDisk_ = false;
    // Keep: the newer file stays as it is on disk, and the next Save asks before writing over it.
    if (answer == vbYes)
        reloadFromDisk();
}

void frmDocument::tellFileRemoved() {
    removedNoticeDue_ = false;
    askingAboutDisk_ = true;
    MsgBox(QStringLiteral("The file ") + Caption() +
               QStringLiteral(" was deleted or moved away by another program. Its text stays "
                              "open here; Save writes it back to ") +
               Tag + QLatin1Char('.'),
           vbOKOnly + vbExclamation, QStringLiteral("File Removed"));
    askingAboutDisk_ = false;
}

bool frmDocument::confirmSaveOver(const QString& path) {
    if (!sameFile(path, fileWatch_->path()) || !fileWatch_->changedSinceRead())
        return true;
    fileWatch_->acknowledge();
    diskQuestionDue_ = false; // this question answers the one due on activation too
    return MsgBox(QStringLiteral("The file ") + Caption() +
                      QStringLiteral(" was changed by another program since you opened it. "
                                     "Save over it?"),
                  vbYesNo + vbExclamation + vbDefaultButton2, kChangedTitle) == vbYes;
}

bool frmDocument::reloadFromDisk() {
    if (Tag.isEmpty())
        return false;
    TextView* view = rtfText->view();
    const int scroll = view->verticalScrollBar()->value();
    const int across = view->horizontalScrollBar()->value();
    const qsizetype line = rtfText->lineFromChar(rtfText->SelStart());
    const FileStamp read = FileStamp::of(Tag);
    QString error;
    if (!rtfText->ReloadFile(Tag, error)) {
        MsgBox(QStringLiteral("The file ") + Caption() +
                   QStringLiteral(" could not be read again.") + kCrLf + error,
               vbOKOnly, QStringLiteral("File I/O Error"));
        return false;
    }
    fileWatch_->arm(Tag, read);
    diskQuestionDue_ = false;
    removedNoticeDue_ = false;
    Changed = false;
    forgetRecovery();
    ChangedHighLight = true;
    if (EditorSettings.AutoCode)
        ColorCode();
    // The caret stays on its line, or the last one when the file got shorter.
    qsizetype caret = rtfText->lineIndex(std::min(line, rtfText->lineCount() - 1));
    rtfText->setSelStart(caret < 0 ? rtfText->textLength() : caret);
    view->verticalScrollBar()->setValue(scroll);
    view->horizontalScrollBar()->setValue(across);
    host_.setStatusText(1, QStringLiteral("Reloaded: ") + Caption() +
                               QStringLiteral(" \u2014 changed on disk"));
    if (host_.activeDocument() == this)
        UpdateStatusPanels();
    return true;
}

void frmDocument::reloadCommand() {
    if (Tag.isEmpty())
        return;
    if (Changed && MsgBox(QStringLiteral("Reload the file ") + Caption() +
                              QStringLiteral(" from disk and lose your changes?"),
                          vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("Reload"),
                          {QStringLiteral("&Reload"), QStringLiteral("&Keep")}) != vbYes)
        return;
    reloadFromDisk();
}

} // namespace kelvane
