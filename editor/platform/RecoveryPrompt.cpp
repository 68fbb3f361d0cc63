// The recovery question on a QMessageBox with its own two buttons.
#include "platform/RecoveryPrompt.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>

namespace kelvane {

namespace {

std::function<RecoveryAnswer(const RecoveryRecord&)>& backend() {
    static std::function<RecoveryAnswer(const RecoveryRecord&)> current;
    return current;
}

} // namespace

QString recoveryQuestion(const RecoveryRecord& record) {
    const QString name =
        record.path.isEmpty() ? record.title : QDir::toNativeSeparators(record.path);
    return QStringLiteral("Kelvane closed before the changes to %1 were saved. Its unsaved text "
                          "was kept.\n\nRecover opens that text in a new window; the file on "
                          "disk stays as it is until you save. Discard deletes the kept text.")
        .arg(name);
}

RecoveryAnswer askRecovery(const RecoveryRecord& record) {
    if (backend())
        return backend()(record);
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Recover Unsaved Text"));
    box.setIcon(QMessageBox::Question);
    box.setText(recoveryQuestion(record));
    QPushButton* recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    recover->setAccessibleName(QStringLiteral("Recover"));
    discard->setAccessibleName(QStringLiteral("Discard"));
    box.setDefaultButton(recover);
    recover->setFocus();
    box.exec();
    if (box.clickedButton() == recover)
        return RecoveryAnswer::Recover;
    if (box.clickedButton() == discard)
        return RecoveryAnswer::Discard;
    return RecoveryAnswer::Later; // closed with Esc or the window's close button
}

void setRecoveryPromptBackend(std::function<RecoveryAnswer(const RecoveryRecord&)> backend_) {
    backend() = std::move(backend_);
}

} // namespace kelvane
