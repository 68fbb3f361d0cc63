// The run dialog: the filled-in command line, the window style, and OK to start it once.
#include "tools/frmRunCompiler.h"

#include "platform/Shell.h"
#include "settings/EditorSettings.h"
#include "tools/CommandLineTemplate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {
struct WindowStyle {
    const char* text;
    int code;
};
constexpr WindowStyle kWindowStyles[] = {
    {"in hidden window with focus", vbHide},
    {"in normal window with focus", vbNormalFocus},
    {"in minimised window with focus", vbMinimizedFocus},
    {"in maximised window with focus", vbMaximizedFocus},
    {"in normal window without focus!", vbNormalNoFocus},
    {"in minimised window without focus!", vbMinimizedNoFocus},
};
} // namespace

frmRunCompiler::frmRunCompiler(const QString& documentPath, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmRunCompiler"));
    setWindowTitle(QStringLiteral("Run Compiler/Viewer"));
    Label1 = new QLabel(QStringLiteral("Command Line:"), this);
    txtCmdLine =
        new QLineEdit(substituteFileName(EditorSettings.CompilerString, documentPath), this);
    txtCmdLine->setObjectName(QStringLiteral("txtCmdLine"));
    txtCmdLine->setAccessibleName(QStringLiteral("Command Line"));
    txtCmdLine->setMinimumWidth(txtCmdLine->fontMetrics().averageCharWidth() * 60);
    Label1->setBuddy(txtCmdLine);
    Label2 = new QLabel(QStringLiteral("Run compiler/viewer "), this);
    cboWindowStyle = new QComboBox(this);
    cboWindowStyle->setObjectName(QStringLiteral("cboWindowStyle"));
    cboWindowStyle->setAccessibleName(QStringLiteral("Run compiler/viewer"));
    for (const WindowStyle& style : kWindowStyles)
        cboWindowStyle->addItem(QString::fromLatin1(style.text), style.code);
    cboWindowStyle->setCurrentIndex(1);
    Label2->setBuddy(cboWindowStyle);
#ifndef Q_OS_WIN
    // An X11 or Wayland program chooses its own window state; offering a choice that cannot be
    // carried out would mislead, so the list only shows the normal way.
    cboWindowStyle->setEnabled(false);
    cboWindowStyle->setToolTip(
        QStringLiteral("On this system the started program decides how its window appears."));
#endif
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtCmdLine, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cboWindowStyle, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmRunCompiler::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRunCompiler::cmdCancel_Click);
    txtCmdLine->setFocus();
}

int frmRunCompiler::windowStyleCode() const {
    return cboWindowStyle->currentData().toInt();
}

void frmRunCompiler::cmdOK_Click() {
    // Starting reports nothing: a program that cannot be found simply does not run.
    StartProgram(txtCmdLine->text(), windowStyleCode());
    accept();
}

void frmRunCompiler::cmdCancel_Click() {
    reject();
}

} // namespace kelvane
