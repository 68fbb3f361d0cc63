// Message boxes on QMessageBox, or on a scripted back end in tests.
#include "platform/MsgBox.h"

#include "platform/TextLines.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kelvane {

namespace {

MsgBoxBackend*& currentBackend() {
    static MsgBoxBackend* backend = nullptr;
    return backend;
}

int showRealBox(const MsgBoxRequest& request) {
    QMessageBox box(QApplication::activeWindow());
    box.setText(toLfLineBreaks(request.prompt));
    box.setWindowTitle(request.title);
    switch (request.icon()) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<Choice> choices;
    switch (request.buttons()) {
    case vbOKCancel:
        choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbAbortRetryIgnore:
        choices = {{QMessageBox::Abort, vbAbort},
                   {QMessageBox::Retry, vbRetry},
                   {QMessageBox::Ignore, vbIgnore}};
        break;
    case vbYesNoCancel:
        choices = {
            {QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbYesNo:
        choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
        break;
    case vbRetryCancel:
        choices = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
        break;
    default:
        choices = {{QMessageBox::Ok, vbOK}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& choice : choices)
        buttons |= choice.button;
    box.setStandardButtons(buttons);
    for (qsizetype i = 0; i < request.buttonTexts.size() && i < qsizetype(choices.size()); ++i)
        box.button(choices[size_t(i)].button)->setText(request.buttonTexts[i]);
    const bool second = (request.style & vbDefaultButton2) && choices.size() > 1;
    box.setDefaultButton(choices[second ? 1 : 0].button);
    const int clicked = box.exec();
    for (const Choice& choice : choices)
        if (clicked == choice.button)
            return choice.result;
    return escapeAnswer(request.style);
}

} // namespace

int escapeAnswer(int style) {
    switch (style & 7) {
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel:
        return vbCancel;
    case vbYesNo:
        return vbNo;
    case vbAbortRetryIgnore:
        return vbAbort;
    default:
        return vbOK;
    }
}

int MsgBox(const QString& prompt, int style, const QString& title) {
    return MsgBox(prompt, style, title, {});
}

int MsgBox(const QString& prompt, int style, const QString& title, const QStringList& buttonTexts) {
    MsgBoxRequest request{prompt, style, title.isEmpty() ? QApplication::applicationName() : title,
                          buttonTexts};
    if (MsgBoxBackend* backend = currentBackend())
        return backend->ask(request);
    return showRealBox(request);
}

void setMsgBoxBackend(MsgBoxBackend* backend) {
    currentBackend() = backend;
}

int ScriptedMsgBoxes::ask(const MsgBoxRequest& request) {
    asked_.push_back(request);
    if (answers_.empty())
        return escapeAnswer(request.style);
    const int result = answers_.front();
    answers_.pop_front();
    return result;
}

} // namespace kelvane
