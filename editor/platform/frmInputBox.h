// The input box dialog: one prompt, one filtered text field, OK and Cancel.
#pragma once

#include <QDialog>
#include <QLineEdit>

class QLabel;
class QPushButton;

namespace kelvane {

/// A one-line field that takes only the characters a name or number may hold.
class InputBoxField : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    /// True for the characters that may be typed: letters, digits and !@#$%^&*()-_+=.
    static bool isAllowed(QChar ch);
    /// The text with every character that could not be typed left out.
    static QString filtered(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void pasteFiltered(const QString& text);
};

/// The modal prompt behind InputBoxEx.
class frmInputBox : public QDialog {
    Q_OBJECT
public:
    explicit frmInputBox(QWidget* parent = nullptr);

    /// Fills the prompt, the dialog's caption and the field's starting text.
    void setup(const QString& prompt, const QString& title, const QString& defaultText);
    /// The answer: the field's text after OK, empty after Cancel or the close box.
    QString Tag() const { return tag_; }

    QLabel* lblCaption = nullptr;
    InputBoxField* txtResponse = nullptr;
    QPushButton* Command1 = nullptr; // OK
    QPushButton* Command2 = nullptr; // Cancel

public slots:
    /// Cancel, Esc and the close box: the answer is the empty text.
    void reject() override;

private:
    void Command1_Click();
    void Command2_Click();

    QString tag_;
};

} // namespace kelvane
