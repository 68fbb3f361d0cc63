// The text view inside RichTextBox: a QPlainTextEdit that reports keys and mouse buttons with
// the editor's key codes, wraps at a set width, and pulls styles from the overlay as it paints.
#pragma once

#include <QPlainTextEdit>

#include <functional>

namespace kelvane {

class StyleOverlay;

/// Key code of a key as the editor's handlers know it (13 Enter, 38 Up, 40 Down, 35 End, ...).
int vbKeyCode(int qtKey);
/// Shift state: 1 Shift, 2 Ctrl, 4 Alt, added together.
int vbShiftState(Qt::KeyboardModifiers modifiers);

class RichTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RichTextView(QWidget* parent = nullptr);

    void setOverlay(StyleOverlay* overlay) { overlay_ = overlay; }
    /// Wrap width in pixels; 0 or less means no wrapping.
    void setWrapWidth(int pixels);
    int wrapWidth() const { return wrapPixels_; }

    /// Hands current styles to the blocks on screen (also done before every paint).
    void refreshVisibleFormats();

    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyCode, int shift)> onKeyUp;
    std::function<void(int button, int shift, QPoint position)> onMouseUp;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void applyWrapMargin();

    StyleOverlay* overlay_ = nullptr;
    int wrapPixels_ = 0;
    bool applyingMargin_ = false;
};

} // namespace kelvane
