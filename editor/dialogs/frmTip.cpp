// The Tip of the Day dialog.
#include "dialogs/frmTip.h"

#include "dialogs/TipFile.h"
#include "platform/AppPaths.h"
#include "platform/FileIO.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {
const QString kOptions = QStringLiteral("Options");
const QString kShowTips = QStringLiteral("Show Tips at Startup");
const QString kTipsFile = QStringLiteral("Kelvane.dat");

/// The setting as a number; a value that is not a number counts as the default, 1.
int showTipsValue() {
    bool ok = false;
    const int value =
        GetSetting(kAppTitle, kOptions, kShowTips, QStringLiteral("1")).trimmed().toInt(&ok);
    return ok ? value : 1;
}
} // namespace

bool showTipsAtStartup() {
    return showTipsValue() != 0;
}

QString frmTip::tipsFilePath() {
    return AppPath() + kTipsFile;
}

frmTip::frmTip(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Picture1 = new QLabel(this);
    Picture1->setPixmap(QIcon(QStringLiteral(":/icons/kelvane.svg")).pixmap(48, 48));
    Picture1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    // The tip stands on a white panel, as a note would.
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    Label1 = new QLabel(QStringLiteral("Did you know..."), panel);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    Label1->setFont(heading);
    lblTipText = new QLabel(panel);
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setTextFormat(Qt::PlainText);
    lblTipText->setMinimumSize(320, 110);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(Label1);
    panelLayout->addWidget(lblTipText, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(Picture1);
    top->addWidget(panel, 1);

    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    cmdNextTip = new QPushButton(QStringLiteral("&Next Tip"), this);
    cmdNextTip->setAutoDefault(false);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkLoadTipsAtStartup);
    bottom->addStretch(1);
    bottom->addWidget(cmdNextTip);
    bottom->addWidget(cmdOK);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top, 1);
    column->addLayout(bottom);

    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    // Only the user's clicks store the setting, not the value set while loading.
    connect(chkLoadTipsAtStartup, &QCheckBox::clicked, this, &frmTip::chkLoadTipsAtStartup_Click);

    Form_Load();
    // The keyboard starts on OK, so a blank or Enter closes the tip; a blank must never tick
    // the start-up box away.
    setTabOrder(cmdOK, cmdNextTip);
    setTabOrder(cmdNextTip, chkLoadTipsAtStartup);
    cmdOK->setFocus(Qt::OtherFocusReason);
}

void frmTip::Form_Load() {
    chkLoadTipsAtStartup->setChecked(showTipsValue() != 0);
    random_.seed(quint32(QDateTime::currentMSecsSinceEpoch()));
    if (!LoadTips(tipsFilePath()))
        lblTipText->setText(QStringLiteral("That the ") + kTipsFile +
                            QStringLiteral(" file was not found? "));
}

bool frmTip::LoadTips(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QByteArray bytes;
    QString error;
    // A file that exists but cannot be read is treated as missing: the not-found text.
    if (!readWholeFile(path, bytes, error))
        return false;
    TipList = tipsFromBytes(bytes);
    PickRandomTip();
    return true;
}

void frmTip::PickRandomTip() {
    CurrentTipIndex = qint32(double(TipList.size()) * random_.generateDouble() + 1);
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    if (TipList.isEmpty())
        return;
    lblTipText->setText(TipList[CurrentTipIndex - 1]);
}

void frmTip::cmdNextTip_Click() {
    PickRandomTip();
}

void frmTip::cmdOK_Click() {
    accept();
}

void frmTip::chkLoadTipsAtStartup_Click() {
    SaveSetting(kAppTitle, kOptions, kShowTips,
                chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace kelvane
