// A colour swatch of the Options dialog: a label whose back colour is a setting's colour.
#pragma once

#include "platform/text/RichText.h"

#include <QLabel>

namespace kelvane {

class ColourSwatch : public QLabel {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    /// The colour shown, a Windows colour value (system colours included).
    WinColour BackColor() const { return colour_; }
    void setBackColor(WinColour colour);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    WinColour colour_ = 0;
};

} // namespace kelvane
