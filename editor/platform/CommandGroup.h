// The command table: a group of commands declared once as QActions, and the menu built from
// them. Menus, the toolbar and keyboard shortcuts all trigger these same actions.
//
// How a subsystem declares its commands:
//
//   class FormatCommands : public CommandGroup {
//   public:
//       FormatCommands(DocumentHost& host, QWidget* parent)
//           : CommandGroup(QStringLiteral("&Format"), parent), host_(host) {
//           add({"mnuFormatIndent", "Indent Selection", QKeySequence(Qt::CTRL | Qt::Key_I),
//                "indent", "Indents the selected lines", true},
//               [this] { mnuFormatIndent_Click(); });
//           addSeparator();
//           ...
//       }
//       void mnuFormatIndent_Click();   // the handler keeps its menu name
//   };
//
// A window may also fill a plain CommandGroup with its own handlers the same way.
//
// `add` creates the action (caption with its access key, shortcut, icon, tool tip, whether it
// needs a document), connects
// it to the handler and appends it to the group's menu; `addSeparator` and `addSubmenu` place
// what the menu needs between them. Actions are found again by command name (the handler name
// without "_Click"), which is how the main window's toolbar picks the very same actions.
//
// The main window owns one object per group and puts `menu()` into its menu bar in the order
// of the menu tree; it adds `actions()` to itself so shortcuts work wherever the focus is.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace kelvane {

/// What a command is, apart from what it does.
struct CommandInfo {
    /// The command name: its menu handler's name without "_Click" (e.g. "mnuFileSave").
    const char* name;
    /// The caption, '&' before the access key.
    QString caption;
    QKeySequence shortcut = {};
    /// Name of the icon under ":/icons/" without ".svg"; empty for none.
    QString icon = {};
    QString toolTip = {};
    /// The command does nothing without a document window: menu item and toolbar button are
    /// enabled only while one is open.
    bool needsDocument = false;
};

class CommandGroup : public QObject {
    Q_OBJECT
public:
    /// A group whose menu has the given title ('&' before the access key). The menu and the
    /// actions belong to `parent`'s window.
    CommandGroup(const QString& menuTitle, QWidget* parent);
    /// A group without a menu of its own: its commands stand in menus of other groups (placed
    /// there by the menu tree) and on the toolbar.
    explicit CommandGroup(QWidget* parent);
    ~CommandGroup() override;

    /// The menu of the group's commands, in the order they were declared; nullptr for a group
    /// without a menu.
    QMenu* menu() const { return menu_; }
    /// Every command of the group, in declaration order (separators not included).
    const QList<QAction*>& actions() const { return actions_; }
    /// The command of that name, or nullptr.
    QAction* action(QStringView name) const;

    /// Declares a command and appends it to the menu (the group must have one).
    QAction* add(const CommandInfo& info, std::function<void()> handler);
    /// Declares a command without putting it on the group's menu (another group's menu or the
    /// toolbar shows it).
    QAction* addUnlisted(const CommandInfo& info, std::function<void()> handler);
    void addSeparator();
    /// Appends a submenu to the group's menu and returns it.
    QMenu* addSubmenu(const QString& title);
    /// Appends an action declared elsewhere (for example by another group) to the menu.
    void addToMenu(QAction* action);

private:
    QWidget* parent_;
    QMenu* menu_;
    QList<QAction*> actions_;
};

} // namespace kelvane
