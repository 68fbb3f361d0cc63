// The input box dialog: the field takes letters, digits and a few symbols, typed or pasted.
#include "platform/frmInputBox.h"

#include "platform/TypedKey.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

const QString kAllowed =
    QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890!@#$%^&*()-_+=");

} // namespace

bool InputBoxField::isAllowed(QChar ch) {
    return kAllowed.contains(ch);
}

QString InputBoxField::filtered(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar ch : text)
        if (isAllowed(ch))
            kept += ch;
    return kept;
}

void InputBoxField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            pasteFiltered(QApplication::clipboard()->text());
        event->accept();
        return;
    }
    // Typed characters: printable text without Ctrl or Alt. Editing keys (Backspace, Delete,
    // arrows) and shortcuts carry no printable text and go to the field as usual.
    const QString text = event->text();
    if (typesText(*event)) {
        const QString kept = filtered(text);
        if (kept != text) {
            if (!kept.isEmpty())
                insert(kept);
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void InputBoxField::inputMethodEvent(QInputMethodEvent* event) {
    const QString kept = filtered(event->commitString());
    if (kept == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent copy(event->preeditString(), event->attributes());
    copy.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&copy);
}

void InputBoxField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Whatever the user types replaces the suggested answer.
    selectAll();
}

void InputBoxField::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        deselect();
        pasteFiltered(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputBoxField::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this,
                [this] { pasteFiltered(QApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void InputBoxField::pasteFiltered(const QString& text) {
    insert(filtered(text));
}

frmInputBox::frmInputBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInputBox"));
    lblCaption = new QLabel;
    lblCaption->setWordWrap(true);
    lblCaption->setFixedWidth(300);
    lblCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtResponse = new InputBoxField;
    txtResponse->setAcceptDrops(false); // dropped text would bypass the character rule
    lblCaption->setBuddy(txtResponse);
    Command1 = new QPushButton(tr("OK"));
    Command2 = new QPushButton(tr("Cancel"));
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command2->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(lblCaption, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(txtResponse);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &frmInputBox::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmInputBox::Command2_Click);
}

void frmInputBox::setup(const QString& prompt, const QString& title, const QString& defaultText) {
    tag_.clear();
    lblCaption->setText(prompt);
    setWindowTitle(title);
    txtResponse->setText(defaultText);
    txtResponse->selectAll();
    txtResponse->setFocus();
}

void frmInputBox::Command1_Click() {
    tag_ = txtResponse->text();
    accept();
}

void frmInputBox::Command2_Click() {
    reject();
}

void frmInputBox::reject() {
    tag_.clear();
    QDialog::reject();
}

} // namespace kelvane
