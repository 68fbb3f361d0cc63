// "Configure Compiler/Viewer": edits the command line that Run Compiler/Viewer starts.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvane {

class CommonDialog;

class frmCompilerConfig : public QDialog {
    Q_OBJECT
public:
    /// Browse asks through the given (shared) common dialog.
    explicit frmCompilerConfig(CommonDialog& commonDialog, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* txtCmdLine;
    QLabel* Label2;
    QPushButton* cmdBrowse;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    /// The dialog's help topic.
    static constexpr int kHelpContext = 170;
    /// What Browse offers: programs of any name here, with the executables of Windows second.
    static const QString kBrowseFilter;

    void cmdBrowse_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

private:
    CommonDialog& dlgCommonDialog;
};

} // namespace kelvane
