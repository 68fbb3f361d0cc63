// The main toolbar: a row of keyed buttons, each running the command its key names.
#pragma once

#include <QString>
#include <QToolBar>

#include <functional>
#include <span>

class QAction;

namespace kelvane {

/// One button of the toolbar: its key, tool tip, the command it runs and its icon.
struct ToolbarButtonInfo {
    const char* key;
    const char* toolTip;
    const char* command;   ///< the command table's name of the command it runs
    const char* themeIcon; ///< the icon theme's name
    const char* iconFile;  ///< the fallback under ":/icons/toolbar/", without ".svg"
    bool needsDocument;    ///< does nothing without a document window
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

    /// Shows one button for every key whose command exists, in table order.
    void Rebuild();
    /// Runs the command of the first key that matches exactly; an unknown key does nothing,
    /// and errors raised by the command are ignored.
    void tbToolBar_ButtonClick(const QString& key);
    /// The button of a key, or nullptr when it is not shown.
    QAction* button(const QString& key) const;
    /// The keys shown, left to right.
    QStringList keys() const;
    /// Gives the buttons that need a document their disabled look while none is open.
    void setDocumentOpen(bool open);

private:
    CommandLookup lookup_;
    bool documentOpen_ = true;
};

} // namespace kelvane
