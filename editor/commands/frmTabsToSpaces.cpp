// The tabs-to-spaces dialog: a digits-only field and OK / Cancel.
#include "commands/frmTabsToSpaces.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kelvane {

frmTabsToSpaces::frmTabsToSpaces(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Convert Tabs to Spaces"));
    Label1 = new QLabel(QStringLiteral("Replace all Tabs with"), this);
    txtSpaces = new QLineEdit(QStringLiteral("4"), this);
    // Digits only (Backspace still edits); the length bounds how far a document can grow.
    txtSpaces->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtSpaces));
    txtSpaces->setMaxLength(kMaxDigits);
    txtSpaces->setFixedWidth(txtSpaces->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    Label2 = new QLabel(QStringLiteral("spaces."), this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(txtSpaces);
    row->addWidget(Label2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addLayout(buttons);

    // The default number stands selected, so typing replaces it.
    txtSpaces->setFocus(Qt::OtherFocusReason);
    txtSpaces->selectAll();

    connect(cmdOK, &QPushButton::clicked, this, &frmTabsToSpaces::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmTabsToSpaces::cmdCancel_Click);
}

int frmTabsToSpaces::spaces() const {
    return txtSpaces->text().toInt();
}

void frmTabsToSpaces::cmdOK_Click() {
    accepted_ = true;
    hide();
}

void frmTabsToSpaces::cmdCancel_Click() {
    accepted_ = false;
    hide();
}

} // namespace kelvane
