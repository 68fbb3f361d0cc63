// The layout of a text for the text view, kept without a widget: lines laid out piece by piece
// on demand with QTextLayout, rows counted from estimates until laid out, and the mapping
// between positions and (row, x). A line longer than one piece is laid out piece by piece
// around what is asked for, so a line of ten million characters costs no more than a short one.
// With word wrap, the rows of each line are estimated from its length until it is laid out.
#pragma once

#include "platform/richtext/DisplayFormats.h"
#include "platform/richtext/DisplayRows.h"

#include <QFont>
#include <QTextLayout>

#include <functional>
#include <memory>
#include <unordered_map>

namespace kelvane {

class Preedit;
class TextModel;

class LayoutCache {
public:
    /// Characters of a line laid out together; longer lines are laid out in such pieces.
    static constexpr qsizetype kPieceLength = 1024;
    /// With word wrap, lines up to this length are laid out whole (one typed key lays out
    /// the line again: this bounds its cost).
    static constexpr qsizetype kWrappedWholeLine = 16 * 1024;
    /// Text past a piece's nominal start laid out to find the row break its start moves to.
    static constexpr qsizetype kBreakLookahead = 256;

    /// A laid-out piece of a line.
    struct Piece {
        QTextLayout layout;
        qreal width = 0;
        int rows = 1;
        qreal origin = 0;   ///< x of the piece in its unwrapped line when its tab stops were set
        int preeditAt = -1; ///< offset of the text being composed inside the piece, -1 for none
        int preeditLength = 0;
    };
    /// The lines an edit changed, as the rows know them.
    struct LineChange {
        qsizetype first = 0;    ///< the first line changed
        qsizetype lines = 0;    ///< lines the changed text takes now
        qsizetype oldLines = 0; ///< lines it took before
        qsizetype oldRows = 0;  ///< display rows it took before (lines, unwrapped)
    };
    /// Where a position shows.
    struct Spot {
        qsizetype line = 0;
        qsizetype piece = 0;
        qsizetype rowInLine = 0;
        qreal x = 0; ///< from the start of the line (unwrapped) or of the row (wrapped)
    };

    /// The text laid out (null: none); it must outlive the cache or be taken away first. The
    /// caller passes on its changes (contentsChanged, stylesChanged, and remeasure or
    /// setMetrics when it was replaced whole).
    void setModel(const TextModel* model);
    const TextModel* model() const { return model_; }

    /// Font, tab distance and wrap width in pixels (0: none), and the width there is to show
    /// rows in: a narrower width wraps there, so nothing is cut off. Lays out afresh.
    void setMetrics(const QFont& font, qreal tabStop, int wrapPixels, int available);
    /// Measures the fonts again and estimates every line's rows afresh.
    void remeasure();
    /// The wrap width setMetrics would use for a given width to show rows in.
    int wrapWidthFor(int available) const;
    bool wrapping() const { return wrapPixels_ > 0; }
    int wrapWidth() const { return effectiveWrap_; }
    int rowHeight() const { return rowHeight_; }
    qreal averageCharWidth() const { return averageCharWidth_; }
    /// The widest line seen so far (unwrapped), estimated for lines not laid out.
    qreal widestLine() const { return widestLine_; }
    /// Called when the rows or the widest line changed (the view's scroll range follows).
    std::function<void()> onExtentChanged;

    /// Text an input method is composing at the caret, shown inside the caret's piece: both
    /// are read when a piece is laid out (null: none). The caller drops the layouts of the
    /// lines a change of the composition touches.
    void setPreedit(const Preedit* preedit, const qsizetype* caret);

    // --- Pieces ---
    qsizetype pieceCount(qsizetype line) const;
    qsizetype pieceStart(qsizetype line, qsizetype piece) const;
    qsizetype pieceEnd(qsizetype line, qsizetype piece) const;
    qsizetype pieceOf(qsizetype line, qsizetype position) const;
    /// A piece laid out (from the cache, or now).
    Piece& piece(qsizetype line, qsizetype index);
    /// x of a piece in its unwrapped line (0 when wrapping).
    qreal pieceX(qsizetype line, qsizetype index);
    /// A piece's width: measured when laid out, estimated before.
    qreal pieceWidth(qsizetype line, qsizetype index) const;
    /// The piece holding row `rowInLine` of a line; `rowInLine` becomes the row in that piece.
    qsizetype pieceOfRow(qsizetype line, qsizetype& rowInLine) const;
    /// Layout offsets count the composed text inside the caret's piece; text offsets do not.
    static int toLayoutOffset(const Piece& piece, qsizetype offset);
    static qsizetype fromLayoutOffset(const Piece& piece, int offset);

    // --- Rows (display rows when wrapping, lines otherwise) ---
    /// Rows of the whole text (estimated for lines not laid out yet).
    qsizetype rowCount() const;
    /// The line holding a row, and the row's index inside that line.
    qsizetype lineOfRow(qsizetype row, qsizetype* rowInLine) const;
    /// The first row of a line (rows of the whole text past the last line).
    qsizetype rowOfLine(qsizetype line) const;
    Spot spotOf(qsizetype position);
    qsizetype rowOfSpot(const Spot& spot) const;
    /// The row holding a position; lays out only that line's piece.
    qsizetype rowOf(qsizetype position);
    /// Position of a row's first character, -1 past the last row.
    qsizetype rowStart(qsizetype row);
    /// Position just past a row's last character (before its break).
    qsizetype rowEnd(qsizetype row);
    /// The position nearest x on a row (x from the row's start; unwrapped, the line's).
    qsizetype positionOnRow(qsizetype row, qreal x);
    /// Lays out the lines up to `lastLine` whose rows are still estimates, until about `budget`
    /// characters were laid out; the rows found stay known until the lines change.
    void measureLines(qsizetype lastLine, qsizetype budget);

    // --- Changes of the text ---
    LineChange contentsChanged(qsizetype from, qsizetype removed, qsizetype added);
    /// True when the change laid out everything afresh (a new font in use).
    bool stylesChanged(qsizetype from, qsizetype count);
    /// Forgets the layouts of lines [first, last] (their text or composition changed).
    void dropLines(qsizetype first, qsizetype last);
    void dropAll();

private:
    qsizetype nominalPieceStart(qsizetype line, qsizetype piece) const;
    /// Where a piece of a long wrapped line starts: at a row break near its nominal start.
    qsizetype wrappedPieceStart(qsizetype line, qsizetype piece) const;
    QList<QTextLayout::FormatRange> formatsOf(qsizetype start, qsizetype end) const;
    const std::vector<qreal>* knownWidths(qsizetype line) const;
    qreal pieceWidth(qsizetype line, qsizetype index, const std::vector<qreal>* known) const;
    int pieceRows(qsizetype line, qsizetype index) const;
    /// Rows of the pieces of a line before piece `piece`.
    qsizetype rowsBefore(qsizetype line, qsizetype piece) const;
    qreal estimatedWidth(qsizetype characters) const;
    QList<qreal> tabStopsFrom(qreal origin, QStringView pieceText) const;
    std::int32_t estimatedRows(qsizetype line) const;
    qsizetype rowInLineToPosition(qsizetype line, qsizetype rowInLine, qreal x);
    void extentChanged();

    const TextModel* model_ = nullptr;
    StyleFormats styleFormats_;
    QFont font_;
    const Preedit* preedit_ = nullptr;
    const qsizetype* preeditCaret_ = nullptr;
    int wrapPixels_ = 0;
    int effectiveWrap_ = 0; ///< the wrap width, or the window's when that is narrower
    int available_ = 0;
    qreal tabStop_ = 80;
    int rowHeight_ = 16;
    qreal averageCharWidth_ = 8;
    qreal maxCharWidth_ = 8;
    qreal widestLine_ = 0;
    qsizetype knownLines_ = 1;    ///< lines when the cache last looked
    qsizetype measuredLines_ = 0; ///< the rows of every line before this one are exact
    std::size_t knownStyles_ = 0; ///< the styles the measurements allow for (a table size)
    DisplayRows rows_;
    std::unordered_map<quint64, std::unique_ptr<Piece>> layouts_;
    /// Rows of the pieces of long wrapped lines, 0 where not yet laid out.
    std::unordered_map<qsizetype, std::vector<std::int32_t>> pieceRows_;
    /// Starts of the pieces of long wrapped lines from their line's start, negative where not
    /// yet found.
    mutable std::unordered_map<qsizetype, std::vector<qsizetype>> rowBreakPieces_;
    /// Widths of the pieces of long unwrapped lines, negative where not yet laid out.
    std::unordered_map<qsizetype, std::vector<qreal>> pieceWidths_;
};

} // namespace kelvane
