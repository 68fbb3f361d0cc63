// The New File dialog.
#include "library/frmNewFile.h"

#include "library/LibraryFolders.h"
#include "platform/help/Help.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvane {

frmNewFile::frmNewFile(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New File"));
    optBlank = new QRadioButton(QStringLiteral("Create &Blank File"), this);
    optTemplate = new QRadioButton(QStringLiteral("&Use a Template:"), this);
    lstTemplates = new QListWidget(this);
    lstTemplates->setObjectName(QStringLiteral("lstTemplates"));
    lstTemplates->setAccessibleName(QStringLiteral("Templates"));
    lstTemplates->addItems(templateFolder().entries());
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    Command1 = new QPushButton(QStringLiteral("&Help"), this);
    Command1->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    auto* column = new QVBoxLayout;
    column->addWidget(optBlank);
    column->addWidget(optTemplate);
    column->addWidget(lstTemplates, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout(this);
    row->addLayout(column, 1);
    row->addLayout(buttons);
    resize(sizeHint().expandedTo(QSize(420, 300)));

    optBlank->setChecked(true);
    lstTemplates->setEnabled(false);
    optBlank->setFocus();
    installContextHelp(this, kHelpContext);

    connect(optTemplate, &QRadioButton::toggled, this, &frmNewFile::optTemplate_Toggled);
    connect(lstTemplates, &QListWidget::itemDoubleClicked, this,
            &frmNewFile::lstTemplates_DblClick);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewFile::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewFile::cmdCancel_Click);
    connect(Command1, &QPushButton::clicked, this, [this] { ShowHelpTopic(kHelpContext, this); });
}

void frmNewFile::optTemplate_Toggled(bool on) {
    lstTemplates->setEnabled(on);
}

void frmNewFile::cmdOK_Click() {
    choice_ = optTemplate->isChecked() ? Choice::Template : Choice::Blank;
    const QList<QListWidgetItem*> chosen = lstTemplates->selectedItems();
    templateName_ =
        choice_ == Choice::Template && !chosen.isEmpty() ? chosen.first()->text() : QString();
    accept();
}

void frmNewFile::cmdCancel_Click() {
    choice_ = Choice::Cancelled;
    reject();
}

void frmNewFile::lstTemplates_DblClick(QListWidgetItem* item) {
    if (item && optTemplate->isChecked())
        cmdOK_Click();
}

} // namespace kelvane
