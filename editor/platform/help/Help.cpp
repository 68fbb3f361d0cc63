// The program's help requests: one help window, reused, associated with the requesting window.
#include "platform/help/Help.h"

#include "platform/help/HelpWindow.h"

#include <QApplication>
#include <QPointer>
#include <QShortcut>
#include <QWindow>

namespace kelvane {

namespace {

const char* const kContextProperty = "helpContextId";
const QString kShortcutName = QStringLiteral("contextHelpShortcut");

QString& helpFilePath() {
    static QString path;
    return path;
}

QPointer<HelpWindow>& sharedWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

// The help window, created on first use, with the help file (re)loaded and tied to the window
// that asked: as a transient child of it, the help window stays usable while that window is a
// modal dialog, and stays above it.
HelpWindow* prepareWindow(QWidget* requester) {
    QPointer<HelpWindow>& window = sharedWindow();
    if (!window) {
        window = new HelpWindow;
        // Deleted directly: no event loop runs after aboutToQuit to honour a deleteLater.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.data(), [] { closeHelp(); });
    }
    window->loadHelpFile(helpFilePath());
    QWidget* owner = requester ? requester->window() : QApplication::activeWindow();
    if (owner == window)
        owner = nullptr;
    window->winId(); // make sure the native window exists before it is tied to its owner
    if (QWindow* handle = window->windowHandle())
        handle->setTransientParent(owner ? owner->windowHandle() : nullptr);
    return window;
}

void present(HelpWindow* window) {
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void setHelpFile(const QString& path) {
    helpFilePath() = path;
}

QString helpFile() {
    return helpFilePath();
}

bool ShowHelpContents(QWidget* requester) {
    if (helpFilePath().isEmpty())
        return false;
    HelpWindow* window = prepareWindow(requester);
    present(window);
    window->showContents();
    return true;
}

bool ShowHelpSearch(QWidget* requester) {
    if (helpFilePath().isEmpty())
        return false;
    HelpWindow* window = prepareWindow(requester);
    present(window);
    window->showSearch();
    return true;
}

bool ShowHelpTopic(int context, QWidget* requester) {
    if (helpFilePath().isEmpty())
        return false;
    HelpWindow* window = prepareWindow(requester);
    present(window);
    window->showContext(context);
    return true;
}

void installContextHelp(QWidget* dialog, int context) {
    if (!dialog)
        return;
    dialog->setProperty(kContextProperty, context);
    QShortcut* shortcut = dialog->findChild<QShortcut*>(kShortcutName, Qt::FindDirectChildrenOnly);
    if (context == 0) {
        delete shortcut;
        return;
    }
    if (!shortcut) {
        shortcut = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
        shortcut->setObjectName(kShortcutName);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, dialog, [dialog] {
            const int current = helpContextOf(dialog);
            if (current != 0)
                ShowHelpTopic(current, dialog);
        });
    }
}

int helpContextOf(const QWidget* window) {
    return window ? window->property(kContextProperty).toInt() : 0;
}

HelpWindow* helpWindow() {
    return sharedWindow();
}

void closeHelp() {
    delete sharedWindow().data();
}

} // namespace kelvane
