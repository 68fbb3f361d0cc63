// "Run Compiler/Viewer": the command line with the document's path filled in, started on OK.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvane {

class frmRunCompiler : public QDialog {
    Q_OBJECT
public:
    /// Fills the command line from CompilerString with the first "%f" replaced by the path.
    explicit frmRunCompiler(const QString& documentPath, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* txtCmdLine;
    QLabel* Label2;
    QComboBox* cboWindowStyle;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    /// The show-window code of the chosen window style.
    int windowStyleCode() const;

    void cmdOK_Click();
    void cmdCancel_Click();
};

} // namespace kelvane
