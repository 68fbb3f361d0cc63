// The About box.
#include "dialogs/frmAbout.h"

#include "dialogs/SysInfo.h"
#include "platform/Version.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

QString versionText(int major, int minor, int build) {
    return QStringLiteral("Version ") + QString::number(major) + QLatin1Char('.') +
           QString::number(minor) + QStringLiteral(" Build ") + QString::number(build);
}

namespace {
QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame* separatorLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return line;
}
} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("About Kelvane"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    picIcon = new QLabel(this);
    picIcon->setPixmap(QIcon(QStringLiteral(":/icons/kelvane.svg")).pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = new QLabel(QStringLiteral("Kelvane"), this);
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.6);
    Label1->setFont(title);
    Label2 = wrappedLabel(QStringLiteral("Programmer's Text Editor for Windows 95/98/NT"), this);
    lblVersion = new QLabel(QStringLiteral("Version ? ? ?"), this);
    Label4 = wrappedLabel(
        QStringLiteral("Kelvane is freeware: you may copy it and give it away freely, as long "
                       "as it is passed on whole and unchanged. If you find it useful, keyword "
                       "lists, templates, cliptext libraries and tips are welcome contributions."),
        this);
    Label3 = wrappedLabel(QStringLiteral("Written and maintained by the Kelvane team."), this);
    lblDisclaimer = wrappedLabel(
        QStringLiteral("Warning: this program is provided as is, without warranty of any kind, "
                       "express or implied; you use it entirely at your own risk."),
        this);
    Line1[0] = separatorLine(this);
    Line1[1] = separatorLine(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setAutoDefault(false);

    auto* text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addWidget(Label2);
    text->addWidget(lblVersion);
    text->addWidget(Line1[0]);
    text->addWidget(Label4);
    text->addWidget(Label3);
    text->addWidget(Line1[1]);
    text->addWidget(lblDisclaimer);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);

    auto* row = new QHBoxLayout(this);
    row->addWidget(picIcon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    row->addSpacing(12);
    row->addLayout(buttons);
    setMinimumWidth(480);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::Form_Load() {
    lblVersion->setText(versionText(kVersionMajor, kVersionMinor, kVersionBuild));
}

void frmAbout::cmdOK_Click() {
    accept();
    if (QWidget* main = parentWidget())
        main->activateWindow();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

} // namespace kelvane
