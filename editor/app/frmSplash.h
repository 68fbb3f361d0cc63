// The splash window shown while the main window loads, with a progress text.
#pragma once

#include <QWidget>

class QLabel;

namespace kelvane {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* Picture1;
    QLabel* lblLoadStatus;

    /// Shows a status text and paints it at once (no events run while the editor loads).
    void showStatus(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutStatus();
};

} // namespace kelvane
