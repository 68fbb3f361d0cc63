// Helpers shared by the test suites: scratch folders and file contents.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <QApplication>
#include <QProcessEnvironment>
#include <QTimer>
#include <QWidget>

#include "platform/text/CharStyles.h"

#include <gtest/gtest.h>

#include <functional>

namespace kelvane::test {

/// A character style with only a colour.
inline CharStyle coloured(WinColour colour) {
    CharStyle style;
    style.hasColour = true;
    style.colour = colour;
    return style;
}

/// A scratch folder removed when the object goes away.
class ScratchDir {
public:
    ScratchDir();
    QString path() const { return dir_.path(); }
    /// Full path of a name inside the folder.
    QString file(const QString& name) const;
    /// Writes bytes to a name inside the folder (making its subfolders) and returns its full
    /// path.
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

/// Runs `act` on the next modal dialog of the given class once its loop runs; any other modal
/// window is closed and the test fails, so a test never blocks.
template <typename Dialog, typename F> void whenShown(F act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "expected dialog not shown";
            if (modal)
                modal->close();
            return;
        }
        act(dialog);
        // A dialog the test failed to close is closed for it, so the run goes on.
        QTimer::singleShot(5000, dialog, [dialog] {
            if (dialog->isVisible()) {
                ADD_FAILURE() << "dialog left open";
                dialog->close();
            }
        });
    });
}

/// While alive, closes every modal window as soon as its loop runs, for tests that run
/// commands which may ask something but whose answer does not matter to them.
class ModalCloser {
public:
    ModalCloser() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++closed_;
                modal->close();
            }
        });
        timer_.start();
    }
    /// How many modal windows were closed so far.
    int closed() const { return closed_; }

private:
    QTimer timer_;
    int closed_ = 0;
};

/// Shows a dialog, checks that it drew its contents and, with KELVANE_SCREENSHOT_DIR set, saves
/// the picture there under `name`; returns the picture.
QImage grabDialog(QWidget& dialog, const QString& name);

/// How many pixels of a control, in the dialog's picture, stand out from the control's
/// background (text, drawn lines): an empty or unpainted control shows none.
int inkIn(const QImage& picture, const QWidget& dialog, const QWidget& control);

/// Runs `work` with the process's file size limit lowered to `bytes`, the way a full disk fails
/// writes (the limit's signal is ignored so writes just fail).
void runWithFileSizeLimit(qint64 bytes, const std::function<void()>& work);

/// Makes a folder refuse new entries (or accept them again): its permissions for ordinary
/// users, the immutable attribute for root, who ignores permissions. False when neither is
/// possible here.
bool lockFolder(const QString& folder, bool lock);

/// A routine that a test runs in a child process of its own: the test program started again,
/// which runs the routine (once its QApplication exists) instead of the tests and exits with
/// what it returns. Register one at namespace scope:
///     const TestChild saver("saver", [] { ...; return 0; });
class TestChild {
public:
    TestChild(const char* name, std::function<int()> routine);
};

/// Called by the test program's main: runs the child routine asked for, if any. False when
/// this process is no child, so the tests run.
bool runTestChild(int& exitCode);

/// The environment that makes a started test program run the named child routine.
QProcessEnvironment testChildEnvironment(const char* name);

/// Permissions root passes by: a test of what an ordinary user meets calls this first. Run as
/// root, it runs the same test again in a child process as the unprivileged user "kelvane-test"
/// (created if needed), with `extra` added to the child's environment; the child's failures
/// and skips become this test's failures, and it returns true: the caller returns. Run as an
/// ordinary user it returns false and the test goes on.
bool rerunAsOrdinaryUser(const QProcessEnvironment& extra = {});

/// The ids of that user, created if needed; false when none can be had.
bool ordinaryUserIds(uint& uid, uint& gid);

/// The whole content of a file, or an empty array when it cannot be read.
QByteArray readAll(const QString& path);

} // namespace kelvane::test
