// A main window with one document for the command tests, and a way to answer the modal
// dialogs a command opens.
#pragma once

#include "app/AppFixture.h"
#include "platform/InputBox.h"
#include "platform/richtext/TextView.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

namespace kelvane::test {

class DocumentFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        setInputBoxBackend(&inputs);
        start();
        // Menu shortcuts reach only the active window.
        main->activateWindow();
        const bool active = QTest::qWaitForWindowActive(main.get(), 2000);
        Q_UNUSED(active); // offscreen windows may not report activation; the tests still run
        document = main->activeDocument();
        ASSERT_NE(document, nullptr);
        box = document->rtfText;
    }
    void TearDown() override {
        setInputBoxBackend(nullptr);
        AppFixture::TearDown();
    }

    /// Sets the text and selects [start, start + length) (CR LF counting).
    void load(const QString& text, qsizetype start = 0, qsizetype length = 0) {
        box->setText(text);
        select(start, length);
        document->Changed = false;
    }
    void select(qsizetype start, qsizetype length) {
        box->setSelStart(start);
        box->setSelLength(length);
    }
    /// Prompts of the message boxes asked so far.
    QStringList prompts() const {
        QStringList result;
        for (const MsgBoxRequest& request : boxes.asked())
            result << request.prompt;
        return result;
    }

    ScriptedInputBox inputs;
    frmDocument* document = nullptr;
    RichTextBox* box = nullptr;
};

} // namespace kelvane::test
