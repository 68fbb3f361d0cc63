// The file associations dialog: seven file types, OK registers every checked one.
#include "tools/frmFileTypes.h"

#include "platform/FileAssociations.h"
#include "platform/MsgBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {
struct FileType {
    const char* caption;
    const char* tag;
    bool checked;
};
constexpr FileType kFileTypes[] = {
    {"Kelvane Project Files (*.KPJ)", ".KPJ", true}, {"Plain Text Files (*.TXT)", ".TXT", true},
    {"C Source Files (*.C)", ".C", false},           {"C++ Source Files (*.CPP)", ".CPP", false},
    {"HTML Files (*.HTM?)", ".HTM?", false},         {"Perl Files (*.PL)", ".PL", false},
    {"Java Files (*.JAV?)", ".JAV?", false},
};
} // namespace

frmFileTypes::frmFileTypes(QWidget* parent, const QString& programPath)
    : QDialog(parent),
      programPath_(programPath.isEmpty() ? QCoreApplication::applicationFilePath() : programPath) {
    setObjectName(QStringLiteral("frmFileTypes"));
    setWindowTitle(QStringLiteral("File Assocaitions"));
    Label1 = new QLabel(
        QStringLiteral("    This dialog lets you setup Kelvane as your default editor for a number "
                       "of file types. This dialog will not appear again unless you select the "
                       "\"File Associations\" menu item from the 'Preferences\" menu. "),
        this);
    Label1->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral("Associate the following file types with Kelvane:"), this);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(Label2);
    for (const FileType& type : kFileTypes) {
        auto* box = new QCheckBox(QString::fromLatin1(type.caption), this);
        box->setProperty("tag", QString::fromLatin1(type.tag));
        box->setChecked(type.checked);
        chkTypes << box;
        column->addWidget(box);
    }
    Label2->setBuddy(chkTypes.first());
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    column->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmFileTypes::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFileTypes::cmdCancel_Click);
    chkTypes.first()->setFocus();
}

QString frmFileTypes::tagOf(int index) const {
    return chkTypes.value(index) ? chkTypes[index]->property("tag").toString() : QString();
}

void frmFileTypes::cmdOK_Click() {
    FileAssociations associations(programPath_);
    QStringList failures;
    for (int i = 0; i < chkTypes.size(); ++i) {
        if (chkTypes[i]->checkState() != Qt::Checked)
            continue;
        QString error;
        if (!associations.registerType(tagOf(i), &error))
            failures << chkTypes[i]->text() + QStringLiteral(": ") + error;
    }
    // A failed registration is said, so the user does not take it for done; the types that
    // could be registered stay registered.
    if (!failures.isEmpty())
        MsgBox(QStringLiteral("These file types could not be associated with Kelvane:\r\n") +
                   failures.join(QStringLiteral("\r\n")),
               vbExclamation);
    accept();
}

void frmFileTypes::cmdCancel_Click() {
    reject();
}

} // namespace kelvane
