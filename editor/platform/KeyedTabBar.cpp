// A tab strip with keyed tabs.
#include "platform/KeyedTabBar.h"

namespace kelvane {

namespace {

/// A tab strip reads "&" as the mark of an access key; a caption shows every "&" it has.
QString shownAsWritten(QString caption) {
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

KeyedTabBar::KeyedTabBar(QWidget* parent) : QTabBar(parent) {
    setExpanding(false);
    setUsesScrollButtons(true);
    setDocumentMode(true);
    connect(this, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            emit keyClicked(keyAt(index));
    });
}

void KeyedTabBar::addKeyedTab(const QString& key, const QString& caption) {
    const QSignalBlocker quiet(this);
    const int index = addTab(shownAsWritten(caption));
    setTabData(index, key);
}

int KeyedTabBar::indexOfKey(const QString& key) const {
    for (int i = 0; i < count(); ++i)
        if (tabData(i).toString() == key)
            return i;
    return -1;
}

QString KeyedTabBar::keyAt(int index) const {
    return tabData(index).toString();
}

bool KeyedTabBar::removeKeyedTab(const QString& key) {
    const int index = indexOfKey(key);
    if (index < 0)
        return false;
    const QSignalBlocker quiet(this);
    removeTab(index);
    return true;
}

void KeyedTabBar::setKeyedCaption(const QString& key, const QString& caption) {
    const int index = indexOfKey(key);
    if (index >= 0)
        setTabText(index, shownAsWritten(caption));
}

void KeyedTabBar::setKeyedToolTip(const QString& key, const QString& tip) {
    const int index = indexOfKey(key);
    if (index >= 0)
        setTabToolTip(index, tip);
}

void KeyedTabBar::selectKey(const QString& key) {
    const int index = indexOfKey(key);
    if (index >= 0) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    }
}

void KeyedTabBar::removeAllTabs() {
    const QSignalBlocker quiet(this);
    while (count() > 0)
        removeTab(0);
}

} // namespace kelvane
