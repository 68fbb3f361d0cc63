// A tab strip whose tabs are addressed by key text, as the open-files strip needs.
#pragma once

#include <QTabBar>

namespace kelvane {

class KeyedTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit KeyedTabBar(QWidget* parent = nullptr);

    /// Adds a tab at the end.
    void addKeyedTab(const QString& key, const QString& caption);
    /// Removes the tab with the key; false when there is none.
    bool removeKeyedTab(const QString& key);
    /// Index of the tab with the key, or -1.
    int indexOfKey(const QString& key) const;
    QString keyAt(int index) const;
    void setKeyedCaption(const QString& key, const QString& caption);
    void setKeyedToolTip(const QString& key, const QString& tip);
    /// Selects the tab with the key without reporting a click.
    void selectKey(const QString& key);
    void removeAllTabs();

signals:
    /// The user clicked the tab with this key.
    void keyClicked(const QString& key);
};

} // namespace kelvane
