// InputBoxEx: asks the user for one line of text; answers can be scripted for tests.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kelvane {

/// One question put to the input box.
struct InputBoxRequest {
    QString prompt;
    QString title;
    QString defaultText;
};

/// Answers InputBoxEx instead of the dialog.
class InputBoxBackend {
public:
    virtual ~InputBoxBackend() = default;
    /// The answer to one question; empty means cancelled.
    virtual QString ask(const InputBoxRequest& request) = 0;
};

/// A back end for tests: answers from a queue and records every question asked. When the
/// queue runs dry it answers with the empty text, as Cancel would.
class ScriptedInputBox : public InputBoxBackend {
public:
    /// Queues the answer to the next question.
    void queueAnswer(const QString& answer) { answers_ << answer; }
    /// Every question asked so far, oldest first.
    const QList<InputBoxRequest>& asked() const { return asked_; }
    /// Answers still queued.
    qsizetype pendingAnswers() const { return answers_.size(); }
    QString ask(const InputBoxRequest& request) override;

private:
    QStringList answers_;
    QList<InputBoxRequest> asked_;
};

/// Installs the back end that answers InputBoxEx; nullptr restores the real dialog. The caller
/// keeps ownership.
void setInputBoxBackend(InputBoxBackend* backend);

/// Asks for one line of text in a modal dialog captioned title, with the field starting at
/// defaultText. Returns the answer; the empty text means cancelled or nothing entered.
QString InputBoxEx(const QString& prompt, const QString& title, const QString& defaultText);

} // namespace kelvane
