// The Replace dialogs: frmReplace (one-line boxes) and frmReplaceEx (multi-line boxes). A
// Replace pass asks at every occurrence; Replace All replaces them all as one edit.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelvane {

class DocumentHost;

/// What the two Replace dialogs share: the buttons and the passes.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    QLabel* Label1;
    QLabel* Label2;
    QCheckBox* chkCaseSensitive;
    QPushButton* cmdReplace;
    QPushButton* cmdReplaceAll;
    QPushButton* cmdClose;

    /// The search and replacement texts, line breaks as CR LF.
    virtual QString findText() const = 0;
    virtual QString replaceText() const = 0;

    /// Goes through the occurrences from the start, asking Yes / No / Cancel at each.
    void cmdReplace_Click();
    /// Replaces every occurrence and reports how many.
    void cmdReplaceAll_Click();
    /// Unloads the dialog.
    void cmdClose_Click();

protected:
    ReplaceDialog(DocumentHost& host, QWidget* parent, const QString& caption);
    /// Lays the dialog out around the two text boxes.
    void build(QWidget* findBox, QWidget* replaceBox);
    void reject() override;
    /// Every opening puts the keyboard in the text-to-find box, its text selected.
    void showEvent(QShowEvent* event) override;

private:
    Qt::CaseSensitivity sensitivity() const;

    DocumentHost& host_;
    QWidget* findBox_ = nullptr;
};

class frmReplace : public ReplaceDialog {
    Q_OBJECT
public:
    explicit frmReplace(DocumentHost& host, QWidget* parent = nullptr);
    QLineEdit* txtFind;
    QLineEdit* txtReplace;
    QString findText() const override;
    QString replaceText() const override;
};

class frmReplaceEx : public ReplaceDialog {
    Q_OBJECT
public:
    explicit frmReplaceEx(DocumentHost& host, QWidget* parent = nullptr);
    QPlainTextEdit* txtFind;
    QPlainTextEdit* txtReplace;
    QString findText() const override;
    QString replaceText() const override;
};

} // namespace kelvane
