// The main toolbar: a row of keyed buttons, each the very action of the command its key names,
// so a button shows the command's icon and tool tip and is enabled exactly when its menu item is.
#pragma once

#include <QString>
#include <QToolBar>

#include <functional>
#include <span>

class QAction;

namespace kelvane {

/// One button of the toolbar: its key and the command table's name of the command it runs.
struct ToolbarButtonInfo {
    const char* key;
    const char* command;
};

/// The buttons, left to right.
std::span<const ToolbarButtonInfo> toolbarButtons();

/// The toolbar `tbToolBar`. A button is shown only while its command exists in the command
/// table; Rebuild picks up commands that were added since.
class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    /// Finds a command by its name, or returns nullptr when there is none.
    using CommandLookup = std::function<QAction*(const QString& name)>;

    MainToolbar(QWidget* parent, CommandLookup lookup);

    /// Shows the command of every key whose command exists, in table order.
    void Rebuild();
    /// Runs the command of the first key that matches exactly; an unknown key does nothing,
    /// nor does a command that is disabled, and errors raised by the command are ignored.
    void tbToolBar_ButtonClick(const QString& key);
    /// The action a key's button shows (its command's own), or nullptr when it is not shown.
    QAction* button(const QString& key) const;
    /// The keys shown, left to right.
    QStringList keys() const;

private:
    CommandLookup lookup_;
};

} // namespace kelvane
