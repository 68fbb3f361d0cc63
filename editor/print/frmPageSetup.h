// The Page Setup dialog: the four page margins in centimetres, stored on OK.
#pragma once

#include <QDialog>
#include <QLineEdit>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kelvane {

/// A margin field: takes digits, one decimal point and backspace; focus selects the text from
/// the caret onwards.
class MarginField : public QLineEdit {
    Q_OBJECT
public:
    explicit MarginField(QWidget* parent = nullptr) : QLineEdit(parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

class frmPageSetup : public QDialog {
    Q_OBJECT
public:
    /// Loads the dialog with the current margins.
    explicit frmPageSetup(QWidget* owner = nullptr);

    QGroupBox* Frame1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    MarginField* txtTop;
    MarginField* txtBottom;
    MarginField* txtLeft;
    MarginField* txtRight;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    /// Stores the four margins under "Printer Settings" and in the margin globals, then closes.
    void cmdOK_Click();
    /// Closes without storing anything.
    void cmdCancel_Click();
    /// Shows the help topic of this dialog.
    void cmdHelp_Click();

private:
    MarginField* addField(QGridLayout* grid, int row, QLabel*& label, const QString& caption,
                          float margin);
};

/// File > Page Setup...: shows the dialog modally.
void mnuFilePageSetup(QWidget* owner);

} // namespace kelvane
