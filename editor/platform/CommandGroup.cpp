// The command table: actions declared once and the menu built from them.
#include "platform/CommandGroup.h"
#include "platform/CommandNeeds.h"

#include <QIcon>
#include <QMenu>
#include <QWidget>

namespace kelvane {

CommandGroup::CommandGroup(const QString& menuTitle, QWidget* parent)
    : QObject(parent), parent_(parent), menu_(new QMenu(menuTitle, parent)) {}

CommandGroup::CommandGroup(QWidget* parent) : QObject(parent), parent_(parent), menu_(nullptr) {}

CommandGroup::~CommandGroup() = default;

QAction* CommandGroup::action(QStringView name) const {
    for (QAction* command : actions_)
        if (command->objectName() == name)
            return command;
    return nullptr;
}

QAction* CommandGroup::addUnlisted(const CommandInfo& info, std::function<void()> handler) {
    auto* command = new QAction(info.caption, parent_);
    command->setObjectName(QString::fromLatin1(info.name));
    if (!info.shortcut.isEmpty())
        command->setShortcut(info.shortcut);
    if (!info.icon.isEmpty())
        command->setIcon(QIcon(QStringLiteral(":/icons/") + info.icon + QStringLiteral(".svg")));
    if (!info.toolTip.isEmpty())
        command->setToolTip(info.toolTip);
    if (info.needsDocument)
        command->setProperty(kNeedsDocumentProperty, true);
    connect(command, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    actions_ << command;
    return command;
}

QAction* CommandGroup::add(const CommandInfo& info, std::function<void()> handler) {
    QAction* command = addUnlisted(info, std::move(handler));
    Q_ASSERT(menu_);
    menu_->addAction(command);
    return command;
}

void CommandGroup::addSeparator() {
    menu_->addSeparator();
}

QMenu* CommandGroup::addSubmenu(const QString& title) {
    return menu_->addMenu(title);
}

void CommandGroup::addToMenu(QAction* action) {
    menu_->addAction(action);
}

} // namespace kelvane
