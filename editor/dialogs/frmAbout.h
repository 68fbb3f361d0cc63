// The About box: name, description, version, notices, and the System Information button.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace kelvane {

/// "Version major.minor Build build", the numbers without leading zeros.
QString versionText(int major, int minor, int build);

class frmAbout : public QDialog {
    Q_OBJECT
public:
    /// Loads the dialog with the program's version; show it with exec().
    explicit frmAbout(QWidget* owner = nullptr);

    QLabel* picIcon;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* lblVersion;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* lblDisclaimer;
    QFrame* Line1[2];
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void Form_Load();
};

} // namespace kelvane
