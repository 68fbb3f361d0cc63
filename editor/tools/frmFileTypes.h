// "File Assocaitions": makes the editor the default program for a choice of file types.
#pragma once

#include <QDialog>
#include <QList>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kelvane {

class frmFileTypes : public QDialog {
    Q_OBJECT
public:
    /// Registers for the program at programPath (the running executable by default).
    explicit frmFileTypes(QWidget* parent = nullptr, const QString& programPath = QString());

    QLabel* Label1;
    QLabel* Label2;
    /// One box per file type, in screen order; each carries its extension key as "tag".
    QList<QCheckBox*> chkTypes;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    /// The extension key of box i (".KPJ", ".TXT", ...).
    QString tagOf(int index) const;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QString programPath_;
};

} // namespace kelvane
