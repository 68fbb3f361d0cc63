// Message boxes: one entry point for every question and notice the editor shows.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace kelvane {

/// Button sets and icons, combined by addition as the editor's callers write them.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    /// The second button is the default (Enter) instead of the first.
    vbDefaultButton2 = 256,
};

/// The button the user chose.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

/// One question as it was asked.
struct MsgBoxRequest {
    QString prompt;
    int style = vbOKOnly;
    QString title;
    /// Own captions for the buttons of the set, in order; empty for the usual ones.
    QStringList buttonTexts;
    int buttons() const { return style & 7; }
    int icon() const { return style & 0x70; }
};

/// Shows a message box and returns the chosen button. An empty title shows the program's
/// title. Line breaks may be CR LF, CR or LF.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
/// The same with own captions for the buttons ("&Reload", "&Keep" for vbYesNo); the answer is
/// still the set's button (vbYes, vbNo).
int MsgBox(const QString& prompt, int style, const QString& title, const QStringList& buttonTexts);

/// Where message boxes go: the real dialog, or a script in tests.
class MsgBoxBackend {
public:
    virtual ~MsgBoxBackend() = default;
    virtual int ask(const MsgBoxRequest& request) = 0;
};

/// Replaces the real dialog (nullptr restores it).
void setMsgBoxBackend(MsgBoxBackend* backend);

/// A scripted back end: answers from a queue and records every question. When the queue is
/// empty it answers as Esc would (Cancel, No, or OK) so a test never blocks.
class ScriptedMsgBoxes : public MsgBoxBackend {
public:
    ScriptedMsgBoxes() { setMsgBoxBackend(this); }
    ~ScriptedMsgBoxes() override { setMsgBoxBackend(nullptr); }
    ScriptedMsgBoxes(const ScriptedMsgBoxes&) = delete;
    ScriptedMsgBoxes& operator=(const ScriptedMsgBoxes&) = delete;

    void answer(int result) { answers_.push_back(result); }
    const std::vector<MsgBoxRequest>& asked() const { return asked_; }
    void clear() { asked_.clear(); }
    int ask(const MsgBoxRequest& request) override;

private:
    std::deque<int> answers_;
    std::vector<MsgBoxRequest> asked_;
};

/// The answer Esc gives for a button set.
int escapeAnswer(int style);

} // namespace kelvane
