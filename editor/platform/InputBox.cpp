// InputBoxEx: the modal input box, or the installed back end that answers in its place.
#include "platform/InputBox.h"

#include "platform/frmInputBox.h"

#include <QApplication>

namespace kelvane {

namespace {

InputBoxBackend*& installedBackend() {
    static InputBoxBackend* backend = nullptr;
    return backend;
}

} // namespace

QString ScriptedInputBox::ask(const InputBoxRequest& request) {
    asked_ << request;
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
}

void setInputBoxBackend(InputBoxBackend* backend) {
    installedBackend() = backend;
}

QString InputBoxEx(const QString& prompt, const QString& title, const QString& defaultText) {
    if (InputBoxBackend* backend = installedBackend())
        return backend->ask(InputBoxRequest{prompt, title, defaultText});
    frmInputBox dialog(QApplication::activeWindow());
    dialog.setup(prompt, title, defaultText);
    dialog.exec();
    return dialog.Tag();
}

} // namespace kelvane
