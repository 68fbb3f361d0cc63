// The text view of the rich-text control: a scroll area that shows a TextModel, laying out only
// the rows on screen (through its LayoutCache, which knows no widget).
#pragma once

#include "platform/richtext/KeyActions.h"
#include "platform/richtext/LayoutCache.h"
#include "platform/richtext/Preedit.h"
#include "platform/richtext/TextDrag.h"
#include "platform/text/EditHistory.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QTextLayout>

#include <functional>
#include <memory>
#include <unordered_map>

namespace kelvane {

class TextModel;

class TextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr qsizetype kPieceLength = LayoutCache::kPieceLength;
    static constexpr qsizetype kWrappedWholeLine = LayoutCache::kWrappedWholeLine;

    explicit TextView(QWidget* parent = nullptr);
    ~TextView() override;

    /// Shows a text, which must outlive the view or be taken away first (null: none). A view
    /// without a text shows nothing and takes no input.
    void setModel(TextModel* model);
    TextModel* model() const { return model_; }

    // --- Caret and selection, in document positions ---
    qsizetype position() const { return position_; }
    qsizetype anchor() const { return anchor_; }
    qsizetype selectionStart() const { return std::min(anchor_, position_); }
    qsizetype selectionEnd() const { return std::max(anchor_, position_); }
    bool hasSelection() const { return anchor_ != position_; }
    /// Selects from `anchor` to `position` (the caret); both clamped to the text.
    void setSelection(qsizetype anchor, qsizetype position);
    void setCaret(qsizetype position) { setSelection(position, position); }
    /// Replaces the selection with text ('\n' line breaks) and puts the caret after it.
    void insertText(QStringView text, EditKind kind = EditKind::Command);
    void undo();
    void redo();
    /// A read-only view shows and selects text, and lets it be copied or dragged out, but
    /// takes no typing, pasting or dropping.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    // --- Layout ---
    /// Wrap width in pixels; 0 or less means no wrapping.
    void setWrapWidth(int pixels);
    int wrapWidth() const { return wrapPixels_; }
    bool wrapping() const { return wrapPixels_ > 0; }
    void setTabStopDistance(qreal pixels);
    qreal tabStopDistance() const { return tabStop_; }
    int rowHeight() const { return layout_.rowHeight(); }

    /// Display rows of the whole text (estimated for lines not laid out yet).
    qsizetype rowCount() const { return layout_.rowCount(); }
    /// The row holding a position; lays out only that line's piece.
    qsizetype rowOf(qsizetype position) { return layout_.rowOf(position); }
    /// Position of a row's first character, -1 past the last row.
    qsizetype rowStart(qsizetype row) { return layout_.rowStart(row); }
    /// Position just past a row's last character (before its break).
    qsizetype rowEnd(qsizetype row) { return layout_.rowEnd(row); }
    /// Lays out the lines up to `lastLine` whose display rows are still estimates, until about
    /// `budget` characters were laid out; the rows found stay known until the lines change.
    void measureLines(qsizetype lastLine, qsizetype budget) {
        layout_.measureLines(lastLine, budget);
    }
    /// The caret's rectangle in viewport coordinates.
    QRect caretRect();
    /// The rectangle a caret at a position would take, in viewport coordinates.
    QRect rectAt(qsizetype position);
    /// The position under a point of the viewport.
    qsizetype positionAt(QPoint point);
    void ensureCaretVisible();

    /// Which action each key runs; a window takes out the keys it keeps for itself.
    KeyTable& keys() { return keys_; }
    /// Runs `command` for the keys of `action` in place of the view's own action (and before
    /// onKeyDown hears of the key); an empty command gives the action back to the view.
    void setKeyCommand(KeyAction action, std::function<void()> command);

    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyCode, int shift)> onKeyUp;
    std::function<void(int button, int shift, QPoint globalPosition)> onMouseUp;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    /// Runs the drag of a view's selected text (`data`, which it takes) and returns the action
    /// the drop took.
    using DragRunner =
        std::function<Qt::DropAction(TextView* source, QMimeData* data, Qt::DropActions)>;
    /// Replaces QDrag::exec, whose event loop holds until the mouse is released, for every
    /// view; an empty runner restores it.
    static void setDragRunner(DragRunner runner);

signals:
    void cursorPositionChanged();
    void selectionChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    using Piece = LayoutCache::Piece;
    using Spot = LayoutCache::Spot;

    // model changes
    void onContentsChanged(qsizetype from, qsizetype removed, qsizetype added);
    void onStylesChanged(qsizetype from, qsizetype count);
    void onReset();
    void updateMetrics();
    void updateScrollBars();

    // what a change repaints (TextViewPaint.cpp)
    /// Repaints the rows [firstRow, endRow) that are on screen.
    void updateRows(qsizetype firstRow, qsizetype endRow);
    /// Repaints the rows of lines [first, last] that are on screen.
    void updateLines(qsizetype first, qsizetype last);
    /// Repaints the changed lines, and the rows below them when those moved.
    void updateChangedLines(const LayoutCache::LineChange& change);
    /// Repaints where the caret and the selection were and are.
    void updateSelection(qsizetype oldAnchor, qsizetype oldPosition);
    /// The width there is to show rows in.
    int availableWidth() const;

    // editing and moving
    void moveTo(qsizetype position, bool extend, bool keepGoalX = false);
    qsizetype rowMove(qsizetype rows);
    void runKeyAction(KeyAction action, bool extend);
    void selectWordAt(qsizetype position);
    void emitCaretSignals(qsizetype oldAnchor, qsizetype oldPosition);
    void restartBlink();
    /// Puts the selected text where X11's middle button pastes it from.
    void publishSelection();
    /// Commits or drops text still being composed, before the caret moves elsewhere.
    void endComposing();
    /// The layouts of a line are made again (its composition changed).
    void dropLayoutOfLine(qsizetype line);

    // dragging text
    /// Drags the selection out: to this view, another one or another program.
    void startDrag();
    /// What a drop at the event's point does (its position in `at`); sets the event's action.
    textdrag::DropEffect dropEffectOf(QDropEvent* event, qsizetype* at);
    void setDropCaret(qsizetype position);
    /// Scrolls when a drag hovers near the viewport's top or bottom edge.
    void scrollForDrag(QPoint point);

    TextModel* model_ = nullptr; ///< the text shown; owned by whoever set it
    LayoutCache layout_;
    qsizetype anchor_ = 0;
    qsizetype position_ = 0;
    qreal goalX_ = -1; ///< x kept while moving up and down
    int wrapPixels_ = 0;
    qreal tabStop_ = 80;
    KeyTable keys_;
    std::unordered_map<KeyAction, std::function<void()>> keyCommands_;
    Preedit preedit_; ///< text an input method is composing at the caret
    bool dragging_ = false;
    bool readOnly_ = false;
    bool pressOnSelection_ = false; ///< the left button went down on the selection
    QPoint pressPoint_;
    qsizetype pressPosition_ = 0;
    bool movedByDrop_ = false; ///< the running drag's text was moved by a drop into its text
    qsizetype dropCaret_ = -1; ///< where a drag hovering over the view would drop
    bool caretShown_ = true;
    QBasicTimer blink_;
};

} // namespace kelvane
