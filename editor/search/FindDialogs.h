// The Find dialogs: frmFind (one-line search text with a history, kept between uses) and
// frmFindEx (several lines, unloaded when closed). Both search the active document.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelvane {

class DocumentHost;

/// Where the Find dialog opens on a screen (in desktop coordinates).
QPoint findDialogPlace(const QRect& screen, QSize dialog);

/// What the two Find dialogs share: the buttons and the search itself.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    QLabel* Label1;
    QCheckBox* chkCaseSensitive;
    QPushButton* cmdFind;
    QPushButton* cmdFindNext;
    QPushButton* cmdClose;

    /// The search text, line breaks as CR LF.
    virtual QString searchText() const = 0;

    void cmdFind_Click();
    void cmdFindNext_Click();
    virtual void cmdClose_Click() = 0;

protected:
    FindDialog(DocumentHost& host, QWidget* parent, const QString& caption, const QString& label);
    /// Lays the dialog out around the search field.
    void build(QWidget* field);
    Qt::CaseSensitivity sensitivity() const;
    /// Called by Find before it searches.
    virtual void rememberSearchText() {}
    /// Searches the active document from a 1-based position; reports a miss.
    void searchFrom(qsizetype start);
    void reject() override;
    /// Every opening puts the keyboard in the search field, its text selected.
    void showEvent(QShowEvent* event) override;

    DocumentHost& host_;

private:
    QWidget* field_ = nullptr;
};

class frmFind : public FindDialog {
    Q_OBJECT
public:
    explicit frmFind(DocumentHost& host, QWidget* parent = nullptr);
    QComboBox* cboFind;
    QString searchText() const override;
    /// Hides the dialog; its text, history and check box stay for the next time.
    void cmdClose_Click() override;

protected:
    /// Appends the search text to the history (duplicates included, in the order searched).
    void rememberSearchText() override;

private:
    void Form_Load();
};

class frmFindEx : public FindDialog {
    Q_OBJECT
public:
    explicit frmFindEx(DocumentHost& host, QWidget* parent = nullptr);
    QPlainTextEdit* txtFind;
    QString searchText() const override;
    /// Unloads the dialog (its text is lost).
    void cmdClose_Click() override;
};

/// A multi-line text box of the Extended dialogs: both scroll bars, no wrapping.
QPlainTextEdit* newMultiLineBox(QWidget* parent);
/// The text of a multi-line box with its line breaks as CR LF.
QString multiLineText(const QPlainTextEdit* box);
/// Puts the keyboard in a search or replace field, its text selected.
void focusSearchField(QWidget* field);
/// Hides a dialog and destroys it once control returns to the event loop.
void unloadDialog(QDialog* dialog);

} // namespace kelvane
