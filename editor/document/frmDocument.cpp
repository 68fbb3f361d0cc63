// The document window.
#include "document/frmDocument.h"

#include "document/DocumentHost.h"
#include "document/DocumentRegistry.h"
#include "document/FileWatch.h"
#include "platform/AppPaths.h"
#include "platform/FileStamp.h"
#include "platform/MsgBox.h"
#include "platform/RecoveryKeeper.h"
#include "platform/TextLines.h"
#include "platform/Twips.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"
#include "settings/EditorSettings.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>

#include <algorithm>

namespace kelvane {

ChangedFlag::operator bool() const {
    return model_.isModified();
}

ChangedFlag& ChangedFlag::operator=(bool changed) {
    // Setting it as it is leaves the saved mark where it is: restoring the flag after a
    // colouring pass must not make the saved text unreachable by undo.
    if (changed != model_.isModified())
        model_.setModified(changed);
    return *this;
}

frmDocument::frmDocument(DocumentHost& host, QWidget* parent)
    : QWidget(parent), rtfText(new RichTextBox(this)), lblColors(new QLabel(this)),
      Changed(*rtfText->view()->model()), host_(host), fileWatch_(new FileWatch(this)) {
    lblColors->setAlignment(Qt::AlignCenter);
    lblColors->setMinimumWidth(360);
    lblColors->lower(); // behind rtfText
    setFocusProxy(rtfText);
    connect(rtfText, &RichTextBox::Change, this, &frmDocument::rtfText_Change);
    connect(rtfText, &RichTextBox::SelChange, this, &frmDocument::rtfText_SelChange);
    connect(rtfText, &RichTextBox::KeyDown, this, &frmDocument::rtfText_KeyDown);
    connect(rtfText, &RichTextBox::KeyUp, this, &frmDocument::rtfText_KeyUp);
    connect(rtfText, &RichTextBox::MouseUp, this, &frmDocument::rtfText_MouseUp);
    // The recovery file follows the text edit by edit; a text replaced whole is kept whole.
    TextModel* model = rtfText->view()->model();
    connect(model, &TextModel::contentsChanged, this, &frmDocument::keepEditForRecovery);
    connect(model, &TextModel::reset, this, &frmDocument::keepForRecovery);
    connect(fileWatch_, &FileWatch::changedOnDisk, this, &frmDocument::fileChangedOnDisk);
    connect(fileWatch_, &FileWatch::removedFromDisk, this, &frmDocument::fileRemovedFromDisk);
}

QMdiSubWindow* frmDocument::subWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QString frmDocument::tabKey() const {
    return tabKeyOf(FormIndex);
}

void frmDocument::setCaption(const QString& caption) {
    setWindowTitle(caption);
    if (QMdiSubWindow* sub = subWindow())
        sub->setWindowTitle(caption);
    // The tab follows the caption in every path, not only on the next activation.
    if (loaded_ && !unloaded_)
        host_.setDocumentTabCaption(tabKey(), caption);
}

bool frmDocument::loadFile(const QString& path, const LoadOptions& options, QString& error) {
    const FileStamp read = FileStamp::of(path); // before reading: a write meanwhile still shows
    bool plainText = false;
    if (!rtfText->LoadFile(path, error, &plainText))
        return false;
    fileWatch_->arm(path, read);
    // The file's own bytes can stand for the text in the recovery file until it is edited whole.
    if (RecoveryKeeper* keeper = recoveryKeeper(); keeper && plainText)
        keeper->loaded(this, {path, read, rtfText->documentLength()}, recoverySource());
    diskQuestionDue_ = false;
    removedNoticeDue_ = false;
    if (options.backup && EditorSettings.Backup)
        writeBackup(path);
    showAsFile(path, options.caption.value_or(FileTitleOf(path)));
    Changed = false;
    if (host_.activeDocument() == this)
        UpdateStatusPanels();
    if (options.recentFiles)
        host_.addRecentFile(path);
    return true;
}

void frmDocument::writeBackup(const QString& path) {
    QString error;
    const QString backup = path + QLatin1Char('~');
    // The file itself opened; a backup that cannot be written is reported, not fatal.
    if (!rtfText->SaveFile(backup, 0, error))
        MsgBox(QStringLiteral("The backup copy ") + backup +
                   QStringLiteral(" could not be written.") + kCrLf + error,
               vbOKOnly, QStringLiteral("File I/O Error"));
}

bool frmDocument::saveFile(QString& error, bool& declined) {
    declined = !confirmSaveOver(Tag);
    if (declined)
        return false;
    if (!rtfText->SaveFile(Tag, 1, error))
        return false;
    markSaved(Tag);
    return true;
}

bool frmDocument::saveFileAs(const QString& path, const QString& caption, QString& error,
                             bool& declined) {
    declined = !confirmSaveOver(path);
    if (declined)
        return false;
    if (!rtfText->SaveFile(path, 1, error))
        return false;
    markSaved(path, caption);
    return true;
}

void frmDocument::markSaved(const QString& path) {
    markSaved(path, Caption());
}

void frmDocument::markSaved(const QString& path, const QString& caption) {
    showAsFile(path, caption);
    Changed = false;
    forgetRecovery();
    // The file on disk is now this text: watched afresh (the save replaced it by rename).
    fileWatch_->arm(path);
    diskQuestionDue_ = false;
    removedNoticeDue_ = false;
}

void frmDocument::showAsFile(const QString& path, const QString& caption) {
    Tag = path;
    setCaption(caption);
    if (loaded_ && !unloaded_)
        host_.setDocumentTabToolTip(tabKey(), Tag);
}

void frmDocument::layOut() {
    rtfText->setGeometry(0, 0, width(), height());
    lblColors->adjustSize();
    lblColors->move(width() / 2 - lblColors->width() / 2, height() / 2 - lblColors->height() / 2);
    if (EditorSettings.WordWrap)
        rtfText->setRightMargin(pixelsToTwips(width()) - 400);
    else
        rtfText->setRightMargin(kNoWrapTwips);
}

void frmDocument::Form_Load() {
    if (loaded_)
        return;
    loaded_ = true;
    layOut();
    rtfText->setDefaultFontName(EditorSettings.EditorFont);
    host_.addDocumentTab(tabKey(), Caption());
    Changed = false;
}

void frmDocument::Form_Activate() {
    RefreshDisplay();
    UpdateStatusPanels();
    checkDiskFile();
}

void frmDocument::Form_GotFocus() {
    layOut();
    UpdateStatusPanels();
    host_.selectDocumentTab(tabKey());
    host_.setDocumentTabToolTip(tabKey(), Tag);
}

void frmDocument::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    forgetRecovery(); // closed: saved already, or its changes were declined
    fileWatch_->disarm();
    DocumentRegistry.release(FormIndex);
    host_.removeDocumentTab(tabKey());
}

void frmDocument::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

bool frmDocument::confirmClose() {
    if (!Changed)
        return true;
    const int answer =
        MsgBox(QStringLiteral("Do you wish to save the changes you have made to the file ") +
                   Caption() + QLatin1Char('?'),
               vbYesNoCancel, QStringLiteral("Save Changes?"));
    if (answer == vbCancel)
        return false;
    // A save that was cancelled or failed keeps the window (and the text) open.
    return answer != vbYes || host_.saveDocument(this);
}

void frmDocument::closeEvent(QCloseEvent* event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

void frmDocument::RefreshDisplay() {
    layOut();
    host_.setDocumentTabCaption(tabKey(), Caption());
    if (CodingBusy)
        return;
    const bool highlight = ChangedHighLight;
    const bool changed = Changed;
    rtfText->setVisible(false);
    const qsizetype start = rtfText->SelStart();
    const qsizetype length = rtfText->SelLength();
    rtfText->setDefaultFontName(EditorSettings.EditorFont);
    rtfText->setDefaultFontSize(EditorSettings.EditorSize);
    rtfText->setSelStart(0);
    rtfText->setSelLength(rtfText->textLength());
    rtfText->setSelFontName(EditorSettings.EditorFont);
    rtfText->setSelFontSize(EditorSettings.EditorSize);
    rtfText->setSelStart(start);
    rtfText->setSelLength(length);
    rtfText->setVisible(true);
    ChangedHighLight = highlight;
    Changed = changed; // formatting is not a change of the text
    if (EditorSettings.AutoCode)
        ColorCode();
}

void frmDocument::rtfText_Change() {
    // Changed follows the model's saved mark by itself: an edit sets it, an undo back to the
    // saved text clears it.
    ChangedHighLight = true;
}

RecoverySource frmDocument::recoverySource() {
    // A change that turns out not to be one (loading a file, re-applying the font) leaves
    // Changed false by the time the keeper asks, and nothing is kept.
    return {[this]() -> std::optional<RecoveryRecord> {
                if (!Changed)
                    return std::nullopt;
                return RecoveryRecord{Tag, Caption(), QString()};
            },
            {},
            [this] { return qint64(rtfText->documentLength()); },
            [this](qint64 from, qint64 count) {
                return rtfText->documentText(qsizetype(from), qsizetype(from + count));
            }};
}

void frmDocument::keepForRecovery() {
    if (RecoveryKeeper* keeper = recoveryKeeper())
        keeper->changed(this, recoverySource());
}

void frmDocument::keepEditForRecovery(qsizetype from, qsizetype removed, qsizetype added) {
    RecoveryKeeper* keeper = recoveryKeeper();
    if (!keeper)
        return;
    // Text pasted or replaced by the megabyte is cheaper kept as a new base copy.
    constexpr qsizetype kLargestJournalledInsert = 1 << 20;
    if (added > kLargestJournalledInsert)
        keeper->changed(this, recoverySource());
    else
        keeper->edited(this, {from, removed, rtfText->documentText(from, from + added)},
                       recoverySource());
}

void frmDocument::forgetRecovery() {
    if (RecoveryKeeper* keeper = recoveryKeeper())
        keeper->forget(this);
}

void frmDocument::showSelectionSize() {
    host_.setStatusText(2,
                        QString::number(rtfText->SelLength()) + QStringLiteral(" bytes selected."));
}

void frmDocument::UpdateStatusPanels() {
    showSelectionSize();
    const qsizetype line = rtfText->lineFromChar(rtfText->SelStart()) + 1;
    host_.setStatusText(3, QStringLiteral("Line ") + QString::number(line) +
                               QStringLiteral(" of ") + QString::number(rtfText->lineCount()) +
                               QStringLiteral(" "));
}

void frmDocument::rtfText_SelChange() {
    if (!rtfText->isVisible())
        return;
    UpdateStatusPanels();
}

void frmDocument::Undo() {
    undoStep(false);
}

void frmDocument::Redo() {
    undoStep(true);
}

void frmDocument::undoStep(bool redo) {
    const RichTextBox::ChangedRange range = rtfText->undoStep(redo);
    if (range.from < 0 || !EditorSettings.AutoCode)
        return;
    // A step inside the caret's line is coloured as typing there is, when the caret leaves it.
    const qsizetype firstLine = rtfText->lineFromChar(rtfText->fromDocumentPosition(range.from));
    const qsizetype lastLine =
        rtfText->lineFromChar(rtfText->fromDocumentPosition(std::max(range.from, range.to - 1)));
    if (firstLine == lastLine && firstLine == rtfText->lineFromChar(rtfText->SelStart()))
        return;
    ChangedHighLight = true;
    ColorCode();
}

void frmDocument::rtfText_KeyDown(int& keyCode, int shift) {
    Q_UNUSED(shift);
    // Before the key acts, so the line being left is the one coloured.
    if (keyCode == 13 || keyCode == 40 || keyCode == 38)
        CodeLine();
}

void frmDocument::rtfText_KeyUp(int& keyCode, int shift) {
    if (shift != 4)
        return;
    if (keyCode == 35)
        rtfText->Span(QStringLiteral(".?!:"), true, false);
    else if (keyCode == 36)
        rtfText->Span(QStringLiteral(".?!:"), false, false);
}

void frmDocument::rtfText_MouseUp(int button, int shift, QPoint globalPosition) {
    Q_UNUSED(shift);
    if (button != 2)
        return;
    host_.popupEditMenu(globalPosition);
}

} // namespace kelvane
