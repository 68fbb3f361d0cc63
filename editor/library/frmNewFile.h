// The New File dialog: a blank document or one started from a template.
#pragma once

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace kelvane {

class frmNewFile : public QDialog {
    Q_OBJECT
public:
    explicit frmNewFile(QWidget* parent = nullptr);

    QRadioButton* optBlank;    ///< "Create Blank File", chosen when the dialog opens
    QRadioButton* optTemplate; ///< "Use a Template:"
    QListWidget* lstTemplates; ///< the templates, enabled only with optTemplate
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* Command1; ///< "Help"

    /// What the user asked for once the dialog is closed.
    enum class Choice { Cancelled, Blank, Template };
    Choice choice() const { return choice_; }
    /// The template chosen with OK; empty when none was selected.
    QString templateName() const { return templateName_; }

    /// The help topic of this dialog.
    static constexpr int kHelpContext = 40;

private:
    void optTemplate_Toggled(bool on);
    void cmdOK_Click();
    void cmdCancel_Click();
    void lstTemplates_DblClick(QListWidgetItem* item);

    Choice choice_ = Choice::Cancelled;
    QString templateName_;
};

} // namespace kelvane
