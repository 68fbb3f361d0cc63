// The main toolbar: keyed buttons over the command table's actions.
#include "app/MainToolbar.h"

#include <QAction>

#include <array>
#include <exception>

namespace kelvane {

namespace {

constexpr std::array<ToolbarButtonInfo, 22> kButtons{{
    {"New", "mnuFileNew"},
    {"Open", "mnuFileOpen"},
    {"Save", "mnuFileSave"},
    {"SaveAll", "mnuFileSaveAll"},
    {"Print", "mnuFilePrint"},
    {"Copy", "mnuEditCopy"},
    {"Cut", "mnuEditCut"},
    {"Paste", "mnuEditPaste"},
    {"Undo", "mnuEditUndo"},
    {"Indent", "mnuFormatIndent"},
    {"Unindent", "mnuFormatUnindent"},
    {"CapAll", "mnuFOrmatUpper"},
    {"CapNone", "mnuFormatLower"},
    {"CapFirst", "mnuFormatCapSentence"},
    {"Find", "mnuSearchFind"},
    {"Replace", "mnuSearchReplace"},
    {"ColorCode", "mnuViewRefreshColors"},
    {"Options", "mnuPrefsEditorSetup"},
    {"Run", "mnuAdvancedRunCompiler"},
    {"ConfigCompiler", "mnuAdvancedConfigure"},
    {"DefaultViewer", "mnuAdvancedOpenViewer"},
    {"Help", "mnuHelpContents"},
}};

QAction* commandOf(const MainToolbar::CommandLookup& lookup, const ToolbarButtonInfo& info) {
    return lookup ? lookup(QString::fromLatin1(info.command)) : nullptr;
}

} // namespace

std::span<const ToolbarButtonInfo> toolbarButtons() {
    return kButtons;
}

MainToolbar::MainToolbar(QWidget* parent, CommandLookup lookup)
    : QToolBar(QStringLiteral("Toolbar"), parent), lookup_(std::move(lookup)) {
    setObjectName(QStringLiteral("tbToolBar"));
    setAccessibleName(QStringLiteral("Toolbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    Rebuild();
}

void MainToolbar::Rebuild() {
    clear();
    for (const ToolbarButtonInfo& info : kButtons) {
        QAction* command = commandOf(lookup_, info);
        if (!command || actions().contains(command))
            continue; // appears once its command exists
        addAction(command);
        if (QWidget* widget = widgetForAction(command)) {
            widget->setObjectName(QStringLiteral("tbToolBar_") + QLatin1String(info.key));
            widget->setAccessibleName(command->toolTip());
        }
    }
}

void MainToolbar::tbToolBar_ButtonClick(const QString& key) {
    for (const ToolbarButtonInfo& info : kButtons) {
        if (key != QLatin1String(info.key))
            continue;
        QAction* command = button(key);
        if (!command)
            return;
        try {
            command->trigger(); // a disabled command does nothing
        } catch (const std::exception&) {
            // A failing command leaves the toolbar as it was; the next click runs again.
        }
        return;
    }
}

QAction* MainToolbar::button(const QString& key) const {
    for (const ToolbarButtonInfo& info : kButtons) {
        if (key != QLatin1String(info.key))
            continue;
        QAction* command = commandOf(lookup_, info);
        return command && actions().contains(command) ? command : nullptr;
    }
    return nullptr;
}

QStringList MainToolbar::keys() const {
    QStringList shown;
    for (const ToolbarButtonInfo& info : kButtons)
        if (button(QString::fromLatin1(info.key)))
            shown << QString::fromLatin1(info.key);
    return shown;
}

} // namespace kelvane
