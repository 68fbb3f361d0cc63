// A status bar of numbered text panels (1-based), written by the document windows.
#pragma once

#include <QStatusBar>

#include <vector>

class QLabel;

namespace kelvane {

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PanelStatusBar(int panels, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    int panelCount() const { return int(panels_.size()); }

private:
    std::vector<QLabel*> panels_;
};

} // namespace kelvane
