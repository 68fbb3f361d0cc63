// Replace and Extended Replace.
#include "search/ReplaceDialogs.h"
#include "platform/TextLines.h"

#include "document/DocumentEdits.h"
#include "document/DocumentHost.h"
#include "document/DocumentText.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/help/Help.h"
#include "platform/richtext/RichTextBox.h"
#include "search/DocumentSearch.h"
#include "search/FindDialogs.h"
#include "search/TextSearch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {
constexpr int kReplaceHelpContext = 100;
/// Characters handed to Replace All at a time while it searches a document.
constexpr qsizetype kSearchPiece = 64 * 1024;
} // namespace

ReplaceDialog::ReplaceDialog(DocumentHost& host, QWidget* parent, const QString& caption)
    : QDialog(parent), host_(host) {
    setWindowTitle(caption);
    Label1 = new QLabel(QStringLiteral("Text to Find"), this);
    Label2 = new QLabel(QStringLiteral("Replace With"), this);
    chkCaseSensitive = new QCheckBox(QStringLiteral("Case Sensitive"), this);
    cmdReplace = new QPushButton(QStringLiteral("&Replace"), this);
    cmdReplaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
    cmdClose = new QPushButton(QStringLiteral("Cancel"), this);
    cmdReplace->setDefault(true);
    connect(cmdReplace, &QPushButton::clicked, this, &ReplaceDialog::cmdReplace_Click);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &ReplaceDialog::cmdReplaceAll_Click);
    connect(cmdClose, &QPushButton::clicked, this, &ReplaceDialog::cmdClose_Click);
    installContextHelp(this, kReplaceHelpContext);
}

void ReplaceDialog::build(QWidget* findBox, QWidget* replaceBox) {
    findBox_ = findBox;
    setTabOrder(findBox, replaceBox);
    setTabOrder(replaceBox, chkCaseSensitive);
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(findBox, 1, 0);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(replaceBox, 3, 0);
    grid->addWidget(chkCaseSensitive, 4, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdReplace);
    buttons->addWidget(cmdReplaceAll);
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 1, 5, 1);
}

Qt::CaseSensitivity ReplaceDialog::sensitivity() const {
    return chkCaseSensitive->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

void ReplaceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    focusSearchField(findBox_);
}

void ReplaceDialog::reject() {
    cmdClose_Click();
}

void ReplaceDialog::cmdClose_Click() {
    unloadDialog(this);
}

void ReplaceDialog::cmdReplace_Click() {
    hide();
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    QPointer<frmDocument> guard(document);
    RichTextBox& box = *document->rtfText;
    const QString needle = toLfLineBreaks(findText());
    const QString replacement = toLfLineBreaks(replaceText());
    const Qt::CaseSensitivity cs = sensitivity();
    // The document's text, kept in step with every replacement made during the pass.
    QString text = cachedDocumentText(box);
    qsizetype start = 0;
    bool first = true;
    while (true) {
        const qsizetype at = kelvane::findText(text, needle, start, cs);
        if (at < 0) {
            if (first) {
                MsgBox(kSearchTextNotFound, vbOKOnly);
            } else {
                unloadDialog(this);
                host_.focusActiveDocument();
            }
            return;
        }
        first = false;
        selectDocumentRange(box, at, at + needle.size());
        const int answer = MsgBox(QStringLiteral("Replace this occurrence?"), vbYesNoCancel,
                                  QStringLiteral("Replace?"));
        if (!guard)
            return;
        if (answer == vbYes) {
            const UndoStep step(box);
            box.setSelText(replacement);
            text.replace(at, needle.size(), replacement);
            // Going on after the inserted text: it is never searched again.
            start = at + replacement.size();
        } else if (answer == vbNo) {
            start = at + 1;
        } else {
            return;
        }
    }
}

void ReplaceDialog::cmdReplaceAll_Click() {
    hide();
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    RichTextBox& box = *document->rtfText;
    // Searched a piece at a time: a long document is not copied for it.
    TextEdits edits =
        replaceAllEdits([&box](const auto& take) { box.forEachTextPiece(kSearchPiece, take); },
                        toLfLineBreaks(findText()), toLfLineBreaks(replaceText()), sensitivity());
    if (edits.empty()) {
        MsgBox(kSearchTextNotFound, vbOKOnly);
        return;
    }
    const std::size_t replaced = edits.size();
    const TextEdit& last = edits.back();
    const qsizetype caret = positionAfterEdits(edits, last.from + last.removed);
    applyDocumentEdits(box, std::move(edits)); // and the list of matches is given back
    placeCaretAtDocumentPosition(box, caret);
    unloadDialog(this);
    MsgBox(QString::number(replaced) + QStringLiteral(" Occurrences found and replaced."),
           vbOKOnly);
    host_.focusActiveDocument();
}

frmReplace::frmReplace(DocumentHost& host, QWidget* parent)
    : ReplaceDialog(host, parent, QStringLiteral("Replace")) {
    txtFind = new QLineEdit(this);
    txtReplace = new QLineEdit(this);
    txtFind->setMinimumWidth(260);
    build(txtFind, txtReplace);
}

QString frmReplace::findText() const {
    return txtFind->text();
}

QString frmReplace::replaceText() const {
    return txtReplace->text();
}

frmReplaceEx::frmReplaceEx(DocumentHost& host, QWidget* parent)
    : ReplaceDialog(host, parent, QStringLiteral("Extended Replace")) {
    txtFind = newMultiLineBox(this);
    txtReplace = newMultiLineBox(this);
    build(txtFind, txtReplace);
}

QString frmReplaceEx::findText() const {
    return multiLineText(txtFind);
}

QString frmReplaceEx::replaceText() const {
    return multiLineText(txtReplace);
}

} // namespace kelvane
