// The compiler set-up dialog: the command line, Browse for the program, OK stores it.
#include "tools/frmCompilerConfig.h"

#include "platform/CommonDialog.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/help/Help.h"
#include "settings/EditorSettings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

#ifdef Q_OS_WIN
const QString frmCompilerConfig::kBrowseFilter =
    QStringLiteral("Executables (*.exe,*.com)|*.exe;*.com");
#else
// Programs here carry no extension, so every file is offered first.
const QString frmCompilerConfig::kBrowseFilter =
    QStringLiteral("Programs (*)|*|Executables (*.exe,*.com)|*.exe;*.com");
#endif

frmCompilerConfig::frmCompilerConfig(CommonDialog& commonDialog, QWidget* parent)
    : QDialog(parent), dlgCommonDialog(commonDialog) {
    setObjectName(QStringLiteral("frmCompilerConfig"));
    setWindowTitle(QStringLiteral("Configure Compiler/Viewer"));
    Label1 = new QLabel(QStringLiteral("Command Line:"), this);
    txtCmdLine = new QLineEdit(EditorSettings.CompilerString, this);
    txtCmdLine->setObjectName(QStringLiteral("txtCmdLine"));
    txtCmdLine->setAccessibleName(QStringLiteral("Command Line"));
    txtCmdLine->setMinimumWidth(txtCmdLine->fontMetrics().averageCharWidth() * 50);
    Label1->setBuddy(txtCmdLine);
    Label2 = new QLabel(QStringLiteral("NOTE: Insert the %f into the command string to have the "
                                       "name of the current file automatically inserted there."),
                        this);
    Label2->setWordWrap(true);
    cmdBrowse = new QPushButton(QStringLiteral("Browse..."), this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    for (QPushButton* button : {cmdBrowse, cmdOK, cmdCancel, cmdHelp})
        button->setAutoDefault(false);
    cmdOK->setAutoDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtCmdLine, 0, 1);
    grid->addWidget(cmdBrowse, 0, 2);
    grid->addWidget(Label2, 1, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(buttons);

    connect(cmdBrowse, &QPushButton::clicked, this, &frmCompilerConfig::cmdBrowse_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmCompilerConfig::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCompilerConfig::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmCompilerConfig::cmdHelp_Click);
    installContextHelp(this, kHelpContext);
    txtCmdLine->setFocus();
}

void frmCompilerConfig::cmdBrowse_Click() {
    dlgCommonDialog.DialogTitle.clear();
    dlgCommonDialog.Filter = kBrowseFilter;
    dlgCommonDialog.FileName.clear();
    dlgCommonDialog.Flags = cdlOFNFileMustExist;
    if (!dlgCommonDialog.ShowOpen())
        return;
    // The chosen program replaces the whole line; a path with blanks is quoted so that it
    // still names one program when the line is split.
    txtCmdLine->setText(quoteCommandWord(dlgCommonDialog.FileName));
}

void frmCompilerConfig::cmdOK_Click() {
    EditorSettings.CompilerString = txtCmdLine->text();
    SaveSetting(kAppTitle, QStringLiteral("Settings"), QStringLiteral("CompilerString"),
                EditorSettings.CompilerString);
    accept();
    if (parentWidget())
        parentWidget()->activateWindow();
}

void frmCompilerConfig::cmdCancel_Click() {
    reject();
    if (parentWidget())
        parentWidget()->activateWindow();
}

void frmCompilerConfig::cmdHelp_Click() {
    ShowHelpTopic(kHelpContext, this);
}

} // namespace kelvane
