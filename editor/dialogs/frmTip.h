// The Tip of the Day dialog: a random line of the tips file, the next tip on request, and the
// switch that shows the dialog at start-up.
#pragma once

#include <QDialog>
#include <QRandomGenerator>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kelvane {

class frmTip : public QDialog {
    Q_OBJECT
public:
    /// Loads the dialog (reads the setting and the tips file); show it with exec().
    explicit frmTip(QWidget* owner = nullptr);

    QLabel* Label1;
    QLabel* lblTipText;
    QCheckBox* chkLoadTipsAtStartup;
    QPushButton* cmdNextTip;
    QPushButton* cmdOK;
    QLabel* Picture1;

    /// The tips in file order (index 1 is TipList[0]).
    QStringList TipList;
    /// The 1-based index of the tip shown.
    qint32 CurrentTipIndex = 0;

    /// Reads a tips file into TipList and shows a first tip; false when the path is empty or
    /// the file cannot be read.
    bool LoadTips(const QString& path);
    /// Chooses a tip at random (a repeat is possible) and shows it.
    void PickRandomTip();
    /// Shows tip CurrentTipIndex; with no tips the label keeps its text.
    void DisplayCurrentTip();

    void cmdNextTip_Click();
    void cmdOK_Click();
    /// Stores the check box at once as "1" or "0" under "Show Tips at Startup".
    void chkLoadTipsAtStartup_Click();

    /// AppPath + "Kelvane.dat".
    static QString tipsFilePath();

private:
    void Form_Load();

    QRandomGenerator random_;
};

/// True unless the setting "Show Tips at Startup" reads as 0.
bool showTipsAtStartup();

} // namespace kelvane
