// The "Convert Tabs to Spaces" dialog: asks how many spaces replace each tab.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvane {

class frmTabsToSpaces : public QDialog {
    Q_OBJECT
public:
    explicit frmTabsToSpaces(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* txtSpaces;
    QLabel* Label2;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    /// True once OK was pressed; Cancel and the close box leave it false.
    bool accepted() const { return accepted_; }
    /// The number typed; an empty field gives 0.
    int spaces() const;

    /// Longest number the field takes.
    static constexpr int kMaxDigits = 3;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    bool accepted_ = false;
};

} // namespace kelvane
