// The Page Setup dialog: margin fields with their key filter, OK storing the margins.
#include "print/frmPageSetup.h"

#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"
#include "platform/TypedKey.h"
#include "platform/help/Help.h"
#include "print/MarginText.h"
#include "settings/EditorSettings.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {
/// The dialog carries no help context number of its own; topic 0 is its page.
constexpr int kPageSetupHelpContext = 0;
} // namespace

void MarginField::keyPressEvent(QKeyEvent* event) {
    // Only typed characters are filtered: editing keys (Delete, Backspace, arrows, Home, End,
    // Ctrl+A, the clipboard and undo keys) edit as usual, even where the window system gives
    // them a control character as their text; Enter, Escape and Tab type nothing either.
    const QString typed = event->text();
    if (typesText(*event) && !marginFieldAccepts(typed.front(), text())) {
        event->accept(); // swallowed
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void MarginField::focusInEvent(QFocusEvent* event) {
    // The caret is where the selection starts (the cursor of a selection stands at its end).
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    QLineEdit::focusInEvent(event);
    // Selected from the caret to the end: all of it when the caret stands at the start.
    setSelection(caret, int(text().size()) - caret);
}

MarginField* frmPageSetup::addField(QGridLayout* grid, int row, QLabel*& label,
                                    const QString& caption, float margin) {
    label = new QLabel(caption, Frame1);
    auto* field = new MarginField(Frame1);
    field->setText(marginText(margin).trimmed());
    field->setCursorPosition(0);
    field->setAccessibleName(caption);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

frmPageSetup::frmPageSetup(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Page Setup"));
    Frame1 = new QGroupBox(QStringLiteral("Margins"), this);
    auto* grid = new QGridLayout(Frame1);
    txtTop =
        addField(grid, 0, Label1, QStringLiteral("Top Margin (in cm):"), PageMargins.TopMargin);
    txtBottom = addField(grid, 1, Label2, QStringLiteral("Bottom Margin (in cm):"),
                         PageMargins.BottomMargin);
    txtLeft =
        addField(grid, 2, Label3, QStringLiteral("Left Margin (in cm):"), PageMargins.LeftMargin);
    txtRight =
        addField(grid, 3, Label4, QStringLiteral("Right Margin (in cm):"), PageMargins.RightMargin);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout(this);
    row->addWidget(Frame1, 1);
    row->addLayout(buttons);

    setTabOrder(txtTop, txtBottom);
    setTabOrder(txtBottom, txtLeft);
    setTabOrder(txtLeft, txtRight);
    setTabOrder(txtRight, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
    txtTop->setFocus(Qt::TabFocusReason);

    connect(cmdOK, &QPushButton::clicked, this, &frmPageSetup::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPageSetup::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPageSetup::cmdHelp_Click);
}

void frmPageSetup::cmdOK_Click() {
    const struct {
        MarginField* field;
        const char* key;
    } sides[] = {{txtTop, "TopMargin"},
                 {txtBottom, "BottomMargin"},
                 {txtLeft, "LeftMargin"},
                 {txtRight, "RightMargin"}};
    for (const auto& side : sides)
        SaveSetting(kAppTitle, kPrinterSettingsSection, QLatin1String(side.key),
                    marginText(marginValue(side.field->text())));
    PageMargins.TopMargin = marginValue(txtTop->text());
    PageMargins.BottomMargin = marginValue(txtBottom->text());
    PageMargins.LeftMargin = marginValue(txtLeft->text());
    PageMargins.RightMargin = marginValue(txtRight->text());
    accept();
}

void frmPageSetup::cmdCancel_Click() {
    reject();
}

void frmPageSetup::cmdHelp_Click() {
    ShowHelpTopic(kPageSetupHelpContext, this);
}

void mnuFilePageSetup(QWidget* owner) {
    frmPageSetup dialog(owner);
    dialog.exec();
}

} // namespace kelvane
