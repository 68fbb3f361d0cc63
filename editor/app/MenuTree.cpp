// Menus filled from the declared tables of command names.
#include "app/MenuTree.h"

#include <QAction>
#include <QMenu>

namespace kelvane {

void placeCommands(QMenu* menu, std::span<const char* const> names, const CommandLookup& lookup) {
    for (const char* name : names) {
        const QList<QAction*> items = menu->actions();
        if (QLatin1String(name) == QLatin1String("-")) {
            if (!items.isEmpty() && !items.last()->isSeparator())
                menu->addSeparator();
        } else if (QAction* found = lookup(QString::fromLatin1(name))) {
            if (!items.contains(found))
                menu->addAction(found);
        } else {
            qWarning("The menu names %s, which is no command", name);
        }
    }
}

} // namespace kelvane
