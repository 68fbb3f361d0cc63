// The strip below the document area: the "Opened Files:" label, which works as a button that
// lists the open windows, and the tabs of the open documents right of it.
#pragma once

#include <QWidget>

class QLabel;
class QMenu;

namespace kelvane {

class KeyedTabBar;

class OpenFilesStrip : public QWidget {
    Q_OBJECT
public:
    explicit OpenFilesStrip(QWidget* parent);

    QLabel* lblOpenFiles;
    KeyedTabBar* tabFiles;
    /// The menu the label pops up when clicked.
    void setWindowMenu(QMenu* menu) { windowMenu_ = menu; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* windowMenu_ = nullptr;
};

} // namespace kelvane
