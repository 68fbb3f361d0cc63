// A status bar of numbered text panels.
#include "platform/PanelStatusBar.h"

#include <QLabel>

namespace kelvane {

PanelStatusBar::PanelStatusBar(int panels, QWidget* parent) : QStatusBar(parent) {
    for (int i = 0; i < panels; ++i) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(120);
        addWidget(label, i == 0 ? 2 : 1);
        panels_.push_back(label);
    }
}

void PanelStatusBar::setPanelText(int panel, const QString& text) {
    if (panel >= 1 && panel <= panelCount())
        panels_[size_t(panel - 1)]->setText(text);
}

QString PanelStatusBar::panelText(int panel) const {
    return panel >= 1 && panel <= panelCount() ? panels_[size_t(panel - 1)]->text() : QString();
}

} // namespace kelvane
