// The main toolbar: keyed buttons over the command table's actions.
#include "app/MainToolbar.h"

#include <QAction>
#include <QIcon>

#include <array>
#include <exception>

namespace kelvane {

namespace {

constexpr std::array<ToolbarButtonInfo, 22> kButtons{{
    {"New", "New", "mnuFileNew", "document-new", "new", false},
    {"Open", "Open", "mnuFileOpen", "document-open", "open", false},
    {"Save", "Save", "mnuFileSave", "document-save", "save", true},
    {"SaveAll", "Save All", "mnuFileSaveAll", "document-save-all", "saveall", true},
    {"Print", "Print", "mnuFilePrint", "document-print", "print", true},
    {"Copy", "Copy", "mnuEditCopy", "edit-copy", "copy", true},
    {"Cut", "Cut", "mnuEditCut", "edit-cut", "cut", true},
    {"Paste", "Paste", "mnuEditPaste", "edit-paste", "paste", true},
    {"Undo", "Undo", "mnuEditUndo", "edit-undo", "undo", true},
    {"Indent", "Indent Selection", "mnuFormatIndent", "format-indent-more", "indent", true},
    {"Unindent", "Unindent Selection", "mnuFormatUnindent", "format-indent-less", "unindent", true},
    {"CapAll", "Raise to Upper Case", "mnuFOrmatUpper", "format-text-uppercase", "capall", true},
    {"CapNone", "Change to Lower Case", "mnuFormatLower", "format-text-lowercase", "capnone", true},
    {"CapFirst", "Capitalize first letter", "mnuFormatCapSentence", "format-text-capitalize",
     "capfirst", true},
    {"Find", "Find", "mnuSearchFind", "edit-find", "find", true},
    {"Replace", "Replace", "mnuSearchReplace", "edit-find-replace", "replace", true},
    {"ColorCode", "Color Code Entire Document", "mnuViewRefreshColors", "format-text-color",
     "colorcode", true},
    {"Options", "Options", "mnuPrefsEditorSetup", "preferences-system", "options", false},
    {"Run", "Run Compiler", "mnuAdvancedRunCompiler", "system-run", "run", true},
    {"ConfigCompiler", "Configure Compiler/Viewer", "mnuAdvancedConfigure", "run-build-configure",
     "configcompiler", false},
    {"DefaultViewer", "Show in Default Viewer", "mnuAdvancedOpenViewer", "document-preview",
     "defaultviewer", true},
    {"Help", "Help Contents", "mnuHelpContents", "help-contents", "help", false},
}};

const char* const kKeyProperty = "ButtonKey";

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
        const QString command = QString::fromLatin1(info.command);
        if (!lookup_ || !lookup_(command))
            continue; // appears once its command exists
        const QString key = QString::fromLatin1(info.key);
        const QString toolTip = QString::fromLatin1(info.toolTip);
        const QIcon icon = QIcon::fromTheme(
            QString::fromLatin1(info.themeIcon),
            QIcon(QStringLiteral(":/icons/toolbar/%1.svg").arg(QLatin1String(info.iconFile))));
        QAction* button = addAction(icon, toolTip);
        button->setObjectName(QStringLiteral("tbToolBar_") + key);
        button->setProperty(kKeyProperty, key);
        button->setToolTip(toolTip);
        button->setEnabled(documentOpen_ || !info.needsDocument);
        connect(button, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
        if (QWidget* widget = widgetForAction(button)) {
            widget->setAccessibleName(toolTip);
            widget->setObjectName(button->objectName());
        }
    }
}

void MainToolbar::tbToolBar_ButtonClick(const QString& key) {
    for (const ToolbarButtonInfo& info : kButtons) {
        if (key != QLatin1String(info.key))
            continue;
        if (info.needsDocument && !documentOpen_)
            return;
        QAction* command = lookup_ ? lookup_(QString::fromLatin1(info.command)) : nullptr;
        if (!command)
            return;
        try {
            command->trigger();
        } catch (const std::exception&) {
            // A failing command leaves the toolbar as it was; the next click runs again.
        }
        return;
    }
}

QAction* MainToolbar::button(const QString& key) const {
    for (QAction* action : actions())
        if (action->property(kKeyProperty).toString() == key)
            return action;
    return nullptr;
}

QStringList MainToolbar::keys() const {
    QStringList shown;
    for (QAction* action : actions())
        shown << action->property(kKeyProperty).toString();
    return shown;
}

void MainToolbar::setDocumentOpen(bool open) {
    documentOpen_ = open;
    for (const ToolbarButtonInfo& info : kButtons)
        if (QAction* action = button(QString::fromLatin1(info.key)))
            action->setEnabled(open || !info.needsDocument);
}

} // namespace kelvane
