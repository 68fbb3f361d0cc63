// A menu's items as the tests compare them: captions as written (access keys included), "-" for
// a separator.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace kelvane::test {

/// One item: its caption, followed by " [shortcut]" when it has one and `withShortcut` is set.
inline QString menuItemText(const QAction* action, bool withShortcut = true) {
    if (action->isSeparator())
        return QStringLiteral("-");
    if (!withShortcut || action->shortcut().isEmpty())
        return action->text();
    return action->text() + " [" + action->shortcut().toString() + "]";
}

/// Every item of the menu, hidden ones included.
inline QStringList menuItems(const QMenu* menu, bool withShortcut = true) {
    QStringList items;
    for (const QAction* action : menu->actions())
        items << menuItemText(action, withShortcut);
    return items;
}

} // namespace kelvane::test
