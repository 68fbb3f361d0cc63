// Find and Extended Find.
#include "search/FindDialogs.h"

#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "platform/MsgBox.h"
#include "platform/help/Help.h"
#include "platform/richtext/RichTextBox.h"
#include "search/DocumentSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kelvane {

namespace {
constexpr int kFindHelpContext = 90;
}

QPlainTextEdit* newMultiLineBox(QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    box->setMinimumSize(300, 90);
    return box;
}

QString multiLineText(const QPlainTextEdit* box) {
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void focusSearchField(QWidget* field) {
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    // Typing replaces what the field held from the last search.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto* line = qobject_cast<QLineEdit*>(field))
        line->selectAll();
    else if (auto* box = qobject_cast<QPlainTextEdit*>(field))
        box->selectAll();
}

void unloadDialog(QDialog* dialog) {
    dialog->hide();
    dialog->deleteLater();
}

FindDialog::FindDialog(DocumentHost& host, QWidget* parent, const QString& caption,
                       const QString& label)
    : QDialog(parent), host_(host) {
    setWindowTitle(caption);
    Label1 = new QLabel(label, this);
    chkCaseSensitive = new QCheckBox(QStringLiteral("Case Sensitive"), this);
    cmdFind = new QPushButton(QStringLiteral("&Find"), this);
    cmdFindNext = new QPushButton(QStringLiteral("Find &Next"), this);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdFind->setDefault(true);
    connect(cmdFind, &QPushButton::clicked, this, &FindDialog::cmdFind_Click);
    connect(cmdFindNext, &QPushButton::clicked, this, &FindDialog::cmdFindNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    installContextHelp(this, kFindHelpContext);
}

void FindDialog::build(QWidget* field) {
    field_ = field;
    setTabOrder(field, chkCaseSensitive);
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(field, 1, 0);
    grid->addWidget(chkCaseSensitive, 2, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdFindNext);
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 1, 3, 1);
}

Qt::CaseSensitivity FindDialog::sensitivity() const {
    return chkCaseSensitive->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

void FindDialog::searchFrom(qsizetype start) {
    frmDocument* document = host_.activeDocument();
    if (!document)
        return;
    const qsizetype found = findInDocument(*document->rtfText, searchText(), start, sensitivity());
    if (found == 0) {
        MsgBox(kSearchTextNotFound, vbOKOnly);
        return;
    }
    SearchStart = found + 1;
}

void FindDialog::cmdFind_Click() {
    frmDocument* document = host_.activeDocument();
    rememberSearchText();
    SearchStart = 1;
    if (document)
        document->rtfText->setSelLength(0);
    searchFrom(1);
}

void FindDialog::cmdFindNext_Click() {
    if (SearchStart <= 0)
        SearchStart = 1;
    searchFrom(SearchStart);
}

void FindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    focusSearchField(field_);
}

void FindDialog::reject() {
    // Esc and the close box do what the Close button does.
    cmdClose_Click();
}

frmFind::frmFind(DocumentHost& host, QWidget* parent)
    : FindDialog(host, parent, QStringLiteral("Find"), QStringLiteral("Text to Find")) {
    cboFind = new QComboBox(this);
    cboFind->setEditable(true);
    cboFind->setInsertPolicy(QComboBox::NoInsert);
    cboFind->setMinimumWidth(260);
    build(cboFind);
    Form_Load();
}

QPoint findDialogPlace(const QRect& screen, QSize dialog) {
    // Centred across the screen, a fifth of its width down from its top (measured from the
    // screen's own corner, which is not 0, 0 on a second monitor).
    return {screen.x() + screen.width() / 2 - dialog.width() / 2, screen.y() + screen.width() / 5};
}

void frmFind::Form_Load() {
    adjustSize();
    // The screen that holds the main window, not the one the dialog would open on by itself.
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (QScreen* screen = owner ? owner->screen() : this->screen())
        move(findDialogPlace(screen->geometry(), size()));
}

QString frmFind::searchText() const {
    return cboFind->currentText();
}

void frmFind::rememberSearchText() {
    const QString text = cboFind->currentText();
    cboFind->addItem(text);
    cboFind->setEditText(text);
}

void frmFind::cmdClose_Click() {
    hide();
    host_.focusActiveDocument();
}

frmFindEx::frmFindEx(DocumentHost& host, QWidget* parent)
    : FindDialog(host, parent, QStringLiteral("Extended Find"),
                 QStringLiteral("Extended Text to Find")) {
    txtFind = newMultiLineBox(this);
    build(txtFind);
}

QString frmFindEx::searchText() const {
    return multiLineText(txtFind);
}

void frmFindEx::cmdClose_Click() {
    unloadDialog(this);
    host_.focusActiveDocument();
}

} // namespace kelvane
