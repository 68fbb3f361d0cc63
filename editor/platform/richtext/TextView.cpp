// The text view: pieces of lines laid out on demand, painting, caret, selection and input.
#include "platform/richtext/TextView.h"

#include "platform/TextLines.h"
#include "platform/richtext/DisplayFormats.h"
#include "platform/richtext/KeyCodes.h"
#include "platform/richtext/TextDrag.h"
#include "platform/richtext/TextViewAccessible.h"
#include "platform/text/TextModel.h"

#include <QAccessible>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLine>

#include <cmath>

namespace kelvane {

namespace {

/// Room kept right of the widest line and left of the text.
constexpr int kCaretRoom = 4;
/// Layouts kept before the cache starts afresh.
constexpr std::size_t kMaxLayouts = 4096;

quint64 pieceKey(qsizetype line, qsizetype piece) {
    return (quint64(line) << 24) | quint64(piece & 0xFFFFFF);
}

/// Whether a key would change the text when a view takes it.
bool editsText(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Tab:
        return !(event->modifiers() & Qt::ControlModifier);
    default:
        return !event->text().isEmpty() && event->text().front().isPrint() &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    }
}

} // namespace

struct TextView::Piece {
    QTextLayout layout;
    qreal width = 0;
    int rows = 1;
    qreal origin = 0;   ///< x of the piece in its unwrapped line when its tab stops were set
    int preeditAt = -1; ///< offset of the text being composed inside the piece, -1 for none
    int preeditLength = 0;
};

struct TextView::Spot {
    qsizetype line = 0;
    qsizetype piece = 0;
    qsizetype rowInLine = 0;
    qreal x = 0; ///< from the start of the line (unwrapped) or of the row (wrapped)
};

TextView::TextView(QWidget* parent) : QAbstractScrollArea(parent) {
    TextViewAccessible::installFactory();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

TextView::~TextView() = default;

void TextView::setModel(TextModel* model) {
    if (model_)
        disconnect(model_, nullptr, this, nullptr);
    model_ = model;
    styleFormats_ = StyleFormats();
    if (!model_) {
        dropLayouts();
        viewport()->update();
        return;
    }
    connect(model_, &TextModel::contentsChanged, this, &TextView::onContentsChanged);
    connect(model_, &TextModel::stylesChanged, this, &TextView::onStylesChanged);
    connect(model_, &TextModel::reset, this, &TextView::onReset);
    onReset();
}

// --- pieces ---

qsizetype TextView::pieceCount(qsizetype line) const {
    const qsizetype length = model_->text().lineLength(line);
    // A wrapped paragraph of ordinary length is laid out whole, so its rows break where the
    // words do; only longer lines are cut into pieces, each starting a row of its own.
    if (length <= kPieceLength || (wrapping() && length <= kWrappedWholeLine))
        return 1;
    return (length + kPieceLength - 1) / kPieceLength;
}

qsizetype TextView::pieceStart(qsizetype line, qsizetype piece) const {
    if (piece > 0 && wrapping())
        return wrappedPieceStart(line, piece);
    return nominalPieceStart(line, piece);
}

qsizetype TextView::nominalPieceStart(qsizetype line, qsizetype piece) const {
    const TextStore& text = model_->text();
    const qsizetype start = text.lineStart(line);
    if (piece <= 0)
        return start;
    const qsizetype end = text.lineEnd(line);
    qsizetype at = std::min(start + piece * kPieceLength, end);
    // Never split a surrogate pair between two pieces.
    if (at < end && text.at(at).isLowSurrogate() && text.at(at - 1).isHighSurrogate())
        ++at;
    return at;
}

qsizetype TextView::pieceEnd(qsizetype line, qsizetype piece) const {
    return piece + 1 < pieceCount(line) ? pieceStart(line, piece + 1)
                                        : model_->text().lineEnd(line);
}

qsizetype TextView::pieceOf(qsizetype line, qsizetype position) const {
    const qsizetype start = model_->text().lineStart(line);
    const qsizetype pieces = pieceCount(line);
    qsizetype piece = std::clamp<qsizetype>((position - start) / kPieceLength, 0, pieces - 1);
    // Pieces start near their nominal starts: a step or two at most.
    while (piece > 0 && position < pieceStart(line, piece))
        --piece;
    while (piece + 1 < pieces && position >= pieceStart(line, piece + 1))
        ++piece;
    return piece;
}

qreal TextView::estimatedWidth(qsizetype characters) const {
    return qreal(characters) * averageCharWidth_;
}

std::int32_t TextView::estimatedRows(qsizetype line) const {
    if (!wrapping())
        return 1;
    const qsizetype length = model_->text().lineLength(line);
    const qsizetype pieces = pieceCount(line);
    if (pieces == 1)
        return std::max<std::int32_t>(
            1, std::int32_t(std::ceil(estimatedWidth(length) / effectiveWrap_)));
    const auto perPiece = std::int32_t(std::ceil(estimatedWidth(kPieceLength) / effectiveWrap_));
    const qsizetype last = length - (pieces - 1) * kPieceLength;
    const auto lastRows = std::int32_t(std::ceil(estimatedWidth(last) / effectiveWrap_));
    return std::int32_t(std::min<qsizetype>(
        (pieces - 1) * std::max(1, perPiece) + std::max(1, lastRows), 0x3FFFFFFF));
}

int TextView::pieceRows(qsizetype line, qsizetype index) const {
    if (pieceCount(line) == 1)
        return rows_.rowsOf(line);
    if (auto found = pieceRows_.find(line); found != pieceRows_.end()) {
        if (found->second[size_t(index)] > 0)
            return found->second[size_t(index)];
    }
    // Estimated from the nominal length: the exact start of a piece costs a layout.
    const qsizetype length =
        std::min(kPieceLength, model_->text().lineLength(line) - index * kPieceLength);
    return std::max(1, int(std::ceil(estimatedWidth(length) / effectiveWrap_)));
}

qreal TextView::pieceWidth(qsizetype line, qsizetype index, const std::vector<qreal>* known) const {
    if (known && index < qsizetype(known->size()) && (*known)[size_t(index)] >= 0)
        return (*known)[size_t(index)];
    return estimatedWidth(pieceEnd(line, index) - pieceStart(line, index));
}

const std::vector<qreal>* TextView::knownWidths(qsizetype line) const {
    const auto found = pieceWidths_.find(line);
    return found != pieceWidths_.end() ? &found->second : nullptr;
}

qreal TextView::pieceX(qsizetype line, qsizetype index) {
    if (index == 0 || wrapping())
        return 0;
    const std::vector<qreal>* known = knownWidths(line);
    qreal x = 0;
    for (qsizetype k = 0; k < index; ++k)
        x += pieceWidth(line, k, known);
    return x;
}

TextView::Piece& TextView::piece(qsizetype line, qsizetype index) {
    const quint64 key = pieceKey(line, index);
    // A later piece of a long unwrapped line sets its tab stops from where it starts in the
    // line; once the pieces before it are measured, that start may move.
    const bool tabsFromOrigin = !wrapping() && index > 0;
    const qreal origin = tabsFromOrigin ? pieceX(line, index) : 0;
    if (auto found = layouts_.find(key); found != layouts_.end()) {
        if (found->second->origin == origin)
            return *found->second;
        layouts_.erase(found);
    }
    if (layouts_.size() >= kMaxLayouts)
        layouts_.clear();

    const qsizetype start = pieceStart(line, index);
    const qsizetype end = pieceEnd(line, index);
    auto made = std::make_unique<Piece>();
    made->origin = origin;
    QTextLayout& layout = made->layout;
    const QString pieceText = model_->text().text(start, end);
    layout.setText(pieceText);
    layout.setFont(font());
    QTextOption option;
    option.setTabStopDistance(tabStop_);
    if (tabsFromOrigin)
        option.setTabArray(tabStopsFrom(origin, pieceText));
    option.setWrapMode(wrapping() ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::NoWrap);
    layout.setTextOption(option);
    // Text being composed in an input method shows at the caret, inside its piece.
    const bool composing = !preedit_.isEmpty() && position_ >= start &&
                           (position_ < end || position_ == model_->text().lineEnd(line)) &&
                           model_->text().lineOf(position_) == line;
    const int preeditAt = int(position_ - start);
    if (composing) {
        layout.setPreeditArea(preeditAt, preedit_);
        made->preeditAt = preeditAt;
        made->preeditLength = int(preedit_.size());
    }

    QList<QTextLayout::FormatRange> ranges = formatsOf(start, end);
    if (composing) {
        // Formats count the composed text as part of the piece: runs after it move along.
        QList<QTextLayout::FormatRange> shifted;
        for (const QTextLayout::FormatRange& range : ranges) {
            const int rangeEnd = range.start + range.length;
            if (rangeEnd <= preeditAt) {
                shifted.append(range);
            } else if (range.start >= preeditAt) {
                shifted.append({range.start + int(preedit_.size()), range.length, range.format});
            } else {
                shifted.append({range.start, preeditAt - range.start, range.format});
                shifted.append(
                    {preeditAt + int(preedit_.size()), rangeEnd - preeditAt, range.format});
            }
        }
        for (const QTextLayout::FormatRange& range : preeditFormats_)
            shifted.append({preeditAt + range.start, range.length, range.format});
        ranges = shifted;
    }
    layout.setFormats(ranges);

    layout.beginLayout();
    int rows = 0;
    qreal width = 0;
    for (QTextLine textLine = layout.createLine(); textLine.isValid();
         textLine = layout.createLine()) {
        textLine.setLineWidth(wrapping() ? effectiveWrap_ : 1e7);
        textLine.setPosition(QPointF(0, rows * rowHeight_));
        width = std::max(width, textLine.naturalTextWidth());
        ++rows;
    }
    layout.endLayout();
    made->rows = std::max(rows, 1);
    made->width = width;

    // What the layout tells about the line replaces the estimate.
    const qsizetype pieces = pieceCount(line);
    if (wrapping()) {
        if (pieces == 1) {
            if (rows_.rowsOf(line) != made->rows || !rows_.isExact(line)) {
                rows_.setExact(line, made->rows);
                updateScrollBars();
            }
        } else {
            std::vector<std::int32_t>& known = pieceRows_[line];
            known.resize(size_t(pieces), 0);
            known[size_t(index)] = made->rows;
            qsizetype total = 0;
            for (qsizetype k = 0; k < pieces; ++k)
                total += pieceRows(line, k);
            if (rows_.rowsOf(line) != total) {
                rows_.setEstimate(line, std::int32_t(std::min<qsizetype>(total, 0x3FFFFFFF)));
                updateScrollBars();
            }
        }
    } else if (pieces == 1) {
        if (width > widestLine_) {
            widestLine_ = width;
            updateScrollBars();
        }
    } else {
        std::vector<qreal>& known = pieceWidths_[line];
        known.resize(size_t(pieces), -1);
        known[size_t(index)] = width;
    }
    Piece& result = *made;
    layouts_.emplace(key, std::move(made));
    return result;
}

QList<QTextLayout::FormatRange> TextView::formatsOf(qsizetype start, qsizetype end) const {
    // The overlay's formats, one range per run of one style.
    const CharStyles& styles = model_->styles();
    return formatRanges(
        end - start, [&styles, start](qsizetype i) { return styles.indexAt(start + i); },
        styleFormats_.of(styles.table()));
}

qsizetype TextView::wrappedPieceStart(qsizetype line, qsizetype piece) const {
    std::vector<qsizetype>& known = rowBreakPieces_[line];
    known.resize(size_t(pieceCount(line)), -1);
    if (known[size_t(piece)] >= 0)
        return known[size_t(piece)];
    // A piece starts where a row does: at the start of the row that holds the piece's nominal
    // start, in a layout of the text from the piece before. From that piece's own start when
    // it is known, so that rows read from the line's start are those of the whole line laid
    // out at once; else from its nominal start, whose rows meet the whole line's within a few
    // rows in ordinary text.
    const qsizetype nominal = nominalPieceStart(line, piece);
    const qsizetype previous = known[size_t(piece - 1)];
    const qsizetype from = previous >= 0 ? previous : nominalPieceStart(line, piece - 1);
    const qsizetype to = std::min(model_->text().lineEnd(line), nominal + kBreakLookahead);
    QTextLayout layout(model_->text().text(from, to), font());
    QTextOption option;
    option.setTabStopDistance(tabStop_);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setFormats(formatsOf(from, to));
    layout.beginLayout();
    qsizetype start = nominal; // no row starts in the span (a row longer than a piece)
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(effectiveWrap_);
        if (from + row.textStart() > nominal)
            break;
        if (row.lineNumber() > 0)
            start = from + row.textStart();
    }
    layout.endLayout();
    known[size_t(piece)] = start;
    return start;
}

QList<qreal> TextView::tabStopsFrom(qreal origin, QStringView pieceText) const {
    // Stops at the line's own multiples of the tab distance, enough for the widest the piece
    // can be: every character as wide as the font's widest, and every tab a whole stop.
    const qsizetype tabs = pieceText.count(u'\t');
    const qreal widest = std::max<qreal>(maxCharWidth_, averageCharWidth_);
    const auto count = qsizetype(std::ceil(qreal(pieceText.size()) * widest / tabStop_)) + tabs + 2;
    QList<qreal> stops;
    stops.reserve(count);
    qreal stop = tabStop_ - std::fmod(origin, tabStop_);
    for (qsizetype i = 0; i < count; ++i, stop += tabStop_)
        stops.append(stop);
    return stops;
}

TextView::Spot TextView::spotOf(qsizetype position) {
    const TextStore& text = model_->text();
    Spot spot;
    position = std::clamp<qsizetype>(position, 0, text.size());
    spot.line = text.lineOf(position);
    spot.piece = pieceOf(spot.line, position);
    Piece& layout = piece(spot.line, spot.piece);
    const int offset = toLayoutOffset(layout, position - pieceStart(spot.line, spot.piece));
    QTextLine textLine = layout.layout.lineForTextPosition(offset);
    if (!textLine.isValid())
        textLine = layout.layout.lineAt(layout.layout.lineCount() - 1);
    spot.x = textLine.cursorToX(offset) + pieceX(spot.line, spot.piece);
    if (wrapping()) {
        qsizetype before = 0;
        for (qsizetype k = 0; k < spot.piece; ++k)
            before += pieceRows(spot.line, k);
        spot.rowInLine = before + textLine.lineNumber();
    }
    return spot;
}

qsizetype TextView::rowInLineToPosition(qsizetype line, qsizetype rowInLine, qreal x) {
    const qsizetype pieces = pieceCount(line);
    if (!wrapping()) {
        // Find the piece under x.
        const std::vector<qreal>* known = knownWidths(line);
        qreal left = 0;
        qsizetype k = 0;
        for (; k + 1 < pieces; ++k) {
            const qreal width = pieceWidth(line, k, known);
            if (x < left + width)
                break;
            left += width;
        }
        Piece& layout = piece(line, k);
        const QTextLine textLine = layout.layout.lineAt(0);
        return pieceStart(line, k) + fromLayoutOffset(layout, textLine.xToCursor(x - left));
    }
    qsizetype k = 0;
    while (k + 1 < pieces && rowInLine >= pieceRows(line, k)) {
        rowInLine -= pieceRows(line, k);
        ++k;
    }
    Piece& layout = piece(line, k);
    const int row = int(std::clamp<qsizetype>(rowInLine, 0, layout.layout.lineCount() - 1));
    const QTextLine textLine = layout.layout.lineAt(row);
    int offset = textLine.xToCursor(x);
    // Past the end of a wrapped row the caret stays on that row, before the next one's start.
    if (row + 1 < layout.layout.lineCount() &&
        offset >= textLine.textStart() + textLine.textLength())
        offset = textLine.textStart() + textLine.textLength() - 1;
    return pieceStart(line, k) + fromLayoutOffset(layout, std::max(offset, 0));
}

// --- rows ---

qsizetype TextView::rowCount() const {
    if (!model_)
        return 0;
    return wrapping() ? rows_.totalRows() : model_->text().lineCount();
}

qsizetype TextView::rowOf(qsizetype position) {
    const Spot spot = spotOf(position);
    return wrapping() ? rows_.rowOfLine(spot.line) + spot.rowInLine : spot.line;
}

qsizetype TextView::rowStart(qsizetype row) {
    if (row < 0 || row >= rowCount())
        return -1;
    if (!wrapping())
        return model_->text().lineStart(row);
    qsizetype rowInLine = 0;
    const qsizetype line = rows_.lineOfRow(row, &rowInLine);
    const qsizetype pieces = pieceCount(line);
    qsizetype k = 0;
    while (k + 1 < pieces && rowInLine >= pieceRows(line, k)) {
        rowInLine -= pieceRows(line, k);
        ++k;
    }
    Piece& layout = piece(line, k);
    if (rowInLine >= layout.layout.lineCount())
        return -1; // the estimate counted a row the layout does not have
    return pieceStart(line, k) +
           fromLayoutOffset(layout, layout.layout.lineAt(int(rowInLine)).textStart());
}

int TextView::toLayoutOffset(const Piece& piece, qsizetype offset) const {
    if (piece.preeditAt >= 0 && offset > piece.preeditAt)
        return int(offset) + piece.preeditLength;
    return int(offset);
}

qsizetype TextView::fromLayoutOffset(const Piece& piece, int offset) const {
    if (piece.preeditAt < 0 || offset <= piece.preeditAt)
        return offset;
    // Inside the composed text is at the caret, where it will be inserted.
    return std::max(piece.preeditAt, offset - piece.preeditLength);
}

qsizetype TextView::rowEnd(qsizetype row) {
    const qsizetype start = rowStart(row);
    if (start < 0)
        return -1;
    const qsizetype next = rowStart(row + 1);
    const TextStore& text = model_->text();
    const qsizetype lineEnd = text.lineEnd(text.lineOf(start));
    return next < 0 || next > lineEnd ? lineEnd : next;
}

QRect TextView::caretRect() {
    return rectAt(position_);
}

QRect TextView::rectAt(qsizetype position) {
    const Spot spot = spotOf(position);
    const qsizetype row = wrapping() ? rows_.rowOfLine(spot.line) + spot.rowInLine : spot.line;
    const qsizetype top = (row - verticalScrollBar()->value()) * rowHeight_;
    const int x = int(spot.x) - horizontalScrollBar()->value() + kCaretRoom;
    return QRect(x, int(top), 1, rowHeight_);
}

qsizetype TextView::positionAt(QPoint point) {
    const qsizetype total = rowCount();
    qsizetype row = verticalScrollBar()->value() + (point.y() >= 0 ? point.y() / rowHeight_ : -1);
    if (row < 0)
        return 0;
    if (row >= total)
        return model_->size();
    const qreal x = qreal(point.x() + horizontalScrollBar()->value() - kCaretRoom);
    if (!wrapping())
        return rowInLineToPosition(row, 0, x);
    qsizetype rowInLine = 0;
    const qsizetype line = rows_.lineOfRow(row, &rowInLine);
    return rowInLineToPosition(line, rowInLine, x);
}

void TextView::measureLines(qsizetype lastLine, qsizetype budget) {
    if (!wrapping())
        return;
    const TextStore& text = model_->text();
    lastLine = std::min(lastLine, text.lineCount() - 1);
    while (measuredLines_ <= lastLine && budget > 0) {
        const qsizetype line = measuredLines_;
        if (!rows_.isExact(line)) {
            const qsizetype pieces = pieceCount(line);
            for (qsizetype k = 0; k < pieces; ++k)
                piece(line, k);
            if (pieces > 1) {
                qsizetype total = 0;
                for (qsizetype k = 0; k < pieces; ++k)
                    total += pieceRows(line, k);
                rows_.setExact(line, std::int32_t(std::min<qsizetype>(total, 0x3FFFFFFF)));
            }
            budget -= text.lineLength(line) + 1;
        }
        ++measuredLines_;
    }
    updateScrollBars();
}

void TextView::ensureCaretVisible() {
    const int visibleRows = std::max(1, viewport()->height() / rowHeight_);
    const qsizetype row = rowOf(position_);
    QScrollBar* vertical = verticalScrollBar();
    updateScrollBars();
    if (row < vertical->value())
        vertical->setValue(int(row));
    else if (row >= vertical->value() + visibleRows)
        vertical->setValue(int(row - visibleRows + 1));
    const int x = int(spotOf(position_).x);
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width() - 2 * kCaretRoom;
    if (x < horizontal->value())
        horizontal->setValue(std::max(0, x - width / 4));
    else if (x > horizontal->value() + width)
        horizontal->setValue(x - width + width / 4);
}

// --- model changes ---

void TextView::dropLayouts() {
    layouts_.clear();
    pieceRows_.clear();
    rowBreakPieces_.clear();
    pieceWidths_.clear();
}

void TextView::dropLayoutsOfLines(qsizetype first, qsizetype last) {
    // One pass over the cache: the pieces of a long line on screen need not be consecutive.
    for (auto entry = layouts_.begin(); entry != layouts_.end();) {
        const auto line = qsizetype(entry->first >> 24);
        if (line >= first && line <= last)
            entry = layouts_.erase(entry);
        else
            ++entry;
    }
}

void TextView::onContentsChanged(qsizetype from, qsizetype removed, qsizetype added) {
    const TextStore& text = model_->text();
    if (QAccessible::isActive() && removed + added <= 65536) {
        // Screen readers hear what changed, not the whole text again.
        if (removed > 0) {
            QAccessibleTextRemoveEvent event(this, int(from), QString(int(removed), QChar()));
            QAccessible::updateAccessibility(&event);
        }
        if (added > 0) {
            QAccessibleTextInsertEvent event(this, int(from), text.text(from, from + added));
            QAccessible::updateAccessibility(&event);
        }
    }
    const qsizetype first = text.lineOf(from);
    const qsizetype newSpan = text.lineOf(from + added) - first + 1;
    const qsizetype delta = text.lineCount() - knownLines_;
    const qsizetype oldSpan = newSpan - delta;
    knownLines_ = text.lineCount();
    measuredLines_ = std::min(measuredLines_, first);
    if (delta == 0 && newSpan <= 64) {
        // Lines keep their numbers: only the changed ones are laid out again.
        dropLayoutsOfLines(first, first + newSpan - 1);
        for (qsizetype line = first; line < first + newSpan; ++line) {
            pieceRows_.erase(line);
            pieceWidths_.erase(line);
            rowBreakPieces_.erase(line);
        }
    } else {
        dropLayouts();
    }
    if (wrapping()) {
        std::vector<std::int32_t> estimates(static_cast<size_t>(newSpan));
        for (qsizetype i = 0; i < newSpan; ++i)
            estimates[size_t(i)] = estimatedRows(first + i);
        rows_.replaceLines(first, oldSpan, estimates);
    }
    for (qsizetype line = first; line < first + std::min<qsizetype>(newSpan, 4096); ++line)
        widestLine_ = std::max(widestLine_, estimatedWidth(text.lineLength(line)));

    // The caret and anchor follow the text they stood in.
    auto follow = [&](qsizetype p) {
        if (p < from)
            return p;
        if (p >= from + removed)
            return p + added - removed;
        return from;
    };
    const qsizetype oldAnchor = anchor_;
    const qsizetype oldPosition = position_;
    anchor_ = follow(anchor_);
    position_ = follow(position_);
    updateScrollBars();
    viewport()->update();
    emitCaretSignals(oldAnchor, oldPosition);
}

void TextView::onStylesChanged(qsizetype from, qsizetype count) {
    const TextStore& text = model_->text();
    if (model_->styles().table().count() != knownStyles_)
        updateMetrics();
    const qsizetype first = text.lineOf(from);
    const qsizetype last = text.lineOf(from + count);
    if (last - first > 64)
        layouts_.clear(); // measurements stay: styles keep the text's rows
    else
        dropLayoutsOfLines(first, last);
    viewport()->update();
}

void TextView::onReset() {
    const qsizetype oldAnchor = anchor_;
    const qsizetype oldPosition = position_;
    anchor_ = 0;
    position_ = 0;
    goalX_ = -1;
    updateMetrics();
    emitCaretSignals(oldAnchor, oldPosition);
}

void TextView::updateMetrics() {
    if (!model_)
        return;
    // Every row is as tall as the tallest font in use, so rows never overlap.
    const QFontMetricsF metrics(font());
    qreal height = metrics.lineSpacing();
    const StyleTable& table = model_->styles().table();
    for (std::size_t i = 1; i < table.count(); ++i) {
        const CharStyle& style = table.at(std::uint8_t(i));
        if (style.pointSize <= 0 && style.fontName.isEmpty())
            continue;
        QFont styled = font();
        if (style.pointSize > 0)
            styled.setPointSizeF(style.pointSize);
        if (!style.fontName.isEmpty())
            styled.setFamilies({style.fontName});
        height = std::max(height, QFontMetricsF(styled).lineSpacing());
    }
    knownStyles_ = table.count();
    rowHeight_ = std::max(1, int(std::ceil(height)));
    averageCharWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('x')));
    maxCharWidth_ = std::max<qreal>(averageCharWidth_, metrics.maxWidth());

    effectiveWrap_ = wrapWidthFor(viewport()->width());
    const TextStore& text = model_->text();
    knownLines_ = text.lineCount();
    qsizetype longest = 0;
    std::vector<std::int32_t> estimates;
    if (wrapping())
        estimates.resize(size_t(text.lineCount()));
    for (qsizetype line = 0; line < text.lineCount(); ++line) {
        longest = std::max(longest, text.lineLength(line));
        if (wrapping())
            estimates[size_t(line)] = estimatedRows(line);
    }
    rows_.reset(std::move(estimates));
    measuredLines_ = 0;
    widestLine_ = estimatedWidth(longest);
    dropLayouts();
    updateScrollBars();
    viewport()->update();
}

void TextView::updateScrollBars() {
    const int visibleRows = std::max(1, viewport()->height() / rowHeight_);
    const qsizetype rows = rowCount();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, int(std::min<qsizetype>(std::max<qsizetype>(0, rows - visibleRows),
                                                  std::numeric_limits<int>::max())));
    vertical->setPageStep(visibleRows);
    vertical->setSingleStep(1);
    const qreal contentWidth = wrapping() ? effectiveWrap_ : widestLine_;
    const qreal limit = std::numeric_limits<int>::max() / 2;
    const int width = int(std::min(contentWidth, limit)) + 2 * kCaretRoom;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, width - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(std::max(1, int(averageCharWidth_ * 2)));
}

// --- settings ---

void TextView::setWrapWidth(int pixels) {
    pixels = std::max(pixels, 0);
    if (pixels == wrapPixels_)
        return;
    wrapPixels_ = pixels;
    updateMetrics();
}

void TextView::setTabStopDistance(qreal pixels) {
    if (pixels <= 0 || pixels == tabStop_)
        return;
    tabStop_ = pixels;
    updateMetrics();
}

void TextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
    else if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}

int TextView::wrapWidthFor(int viewportWidth) const {
    if (!wrapping())
        return 0;
    // A window narrower than the wrap width wraps at its own width, so nothing is cut off.
    const int available = viewportWidth - 2 * kCaretRoom;
    return std::max(int(std::ceil(averageCharWidth_)), std::min(wrapPixels_, available));
}

void TextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (wrapWidthFor(viewport()->width()) != effectiveWrap_)
        updateMetrics();
    else
        updateScrollBars();
}

void TextView::scrollContentsBy(int, int) {
    viewport()->update();
}

// --- painting ---

void TextView::paintEvent(QPaintEvent* event) {
    if (!model_)
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.setPen(palette().color(QPalette::Text));
    const qsizetype selStart = selectionStart();
    const qsizetype selEnd = selectionEnd();
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    const bool showCaret = caretShown_ && hasFocus();
    const int left = kCaretRoom - horizontalScrollBar()->value();
    const int height = viewport()->height();

    auto drawPiece = [&](qsizetype line, qsizetype k, QPointF origin) {
        Piece& layout = piece(line, k);
        const qsizetype start = pieceStart(line, k);
        const qsizetype end = pieceEnd(line, k);
        QList<QTextLayout::FormatRange> selections;
        if (selStart < end && selEnd > start) {
            const int from = toLayoutOffset(layout, std::max(selStart, start) - start);
            const int to = toLayoutOffset(layout, std::min(selEnd, end) - start);
            selections.append({from, to - from, selected});
        }
        layout.layout.draw(&painter, origin, selections);
        const bool lastPiece = k + 1 == pieceCount(line);
        if (showCaret && position_ >= start &&
            (position_ < end || (lastPiece && position_ == end))) {
            const int composed = preedit_.isEmpty() ? 0 : preeditCursor_;
            layout.layout.drawCursor(&painter, origin, int(position_ - start) + composed, 1);
        }
        // Where dragged text would land, shown while a drag hovers over the view.
        if (dropCaret_ >= start && (dropCaret_ < end || (lastPiece && dropCaret_ == end)))
            layout.layout.drawCursor(&painter, origin, toLayoutOffset(layout, dropCaret_ - start),
                                     2);
    };

    const TextStore& text = model_->text();
    qsizetype row = verticalScrollBar()->value();
    if (!wrapping()) {
        const qreal viewLeft = horizontalScrollBar()->value();
        const qreal viewRight = viewLeft + viewport()->width();
        int y = 0;
        for (qsizetype line = row; line < text.lineCount() && y < height; ++line, y += rowHeight_) {
            if (y + rowHeight_ <= area.top() || y >= area.bottom() + 1)
                continue;
            const qsizetype pieces = pieceCount(line);
            if (pieces == 1) {
                drawPiece(line, 0, QPointF(left, y));
                continue;
            }
            // Only the pieces of a long line that reach into the window are laid out; each
            // is drawn near the window's origin, so large offsets never reach the painter.
            qreal x = 0;
            for (qsizetype k = 0; k < pieces && x <= viewRight; ++k) {
                const qreal next = x + pieceWidth(line, k, knownWidths(line));
                if (next + kCaretRoom >= viewLeft) {
                    drawPiece(line, k, QPointF(x - viewLeft + kCaretRoom, y));
                    // Laying the piece out measured it: later pieces start where it ends.
                    x += pieceWidth(line, k, knownWidths(line));
                } else {
                    x = next;
                }
            }
        }
        return;
    }
    qsizetype rowInLine = 0;
    qsizetype line = rows_.lineOfRow(row, &rowInLine);
    int y = 0;
    while (line < text.lineCount() && y < height) {
        const qsizetype pieces = pieceCount(line);
        qsizetype k = 0;
        while (k + 1 < pieces && rowInLine >= pieceRows(line, k)) {
            rowInLine -= pieceRows(line, k);
            ++k;
        }
        for (; k < pieces && y < height; ++k) {
            Piece& layout = piece(line, k);
            rowInLine = std::min<qsizetype>(rowInLine, layout.rows - 1);
            drawPiece(line, k, QPointF(left, y - rowInLine * rowHeight_));
            y += int(layout.rows - rowInLine) * rowHeight_;
            rowInLine = 0;
        }
        ++line;
        rowInLine = 0;
    }
}

// --- caret and selection ---

void TextView::emitCaretSignals(qsizetype oldAnchor, qsizetype oldPosition) {
    if (oldPosition != position_) {
        emit cursorPositionChanged();
        if (QAccessible::isActive()) {
            QAccessibleTextCursorEvent event(this, int(position_));
            QAccessible::updateAccessibility(&event);
        }
    }
    const bool hadSelection = oldAnchor != oldPosition;
    if (hasSelection() || hadSelection) {
        if (std::min(oldAnchor, oldPosition) != selectionStart() ||
            std::max(oldAnchor, oldPosition) != selectionEnd()) {
            emit selectionChanged();
            if (QAccessible::isActive()) {
                QAccessibleTextSelectionEvent event(this, int(selectionStart()),
                                                    int(selectionEnd()));
                event.setCursorPosition(int(position_));
                QAccessible::updateAccessibility(&event);
            }
        }
    }
}

void TextView::setSelection(qsizetype anchor, qsizetype position) {
    if (!model_)
        return;
    const qsizetype size = model_->size();
    const qsizetype oldAnchor = anchor_;
    const qsizetype oldPosition = position_;
    anchor_ = std::clamp<qsizetype>(anchor, 0, size);
    position_ = std::clamp<qsizetype>(position, 0, size);
    goalX_ = -1;
    if (anchor_ != oldAnchor || position_ != oldPosition) {
        restartBlink();
        viewport()->update();
    }
    emitCaretSignals(oldAnchor, oldPosition);
}

void TextView::moveTo(qsizetype position, bool extend, bool keepGoalX) {
    const qreal goal = goalX_;
    setSelection(extend ? anchor_ : position, position);
    if (keepGoalX)
        goalX_ = goal;
    ensureCaretVisible();
}

void TextView::insertText(QStringView text, EditKind kind) {
    const qsizetype from = selectionStart();
    const qsizetype removed = selectionEnd() - from;
    model_->replace(from, removed, text, kind);
    setSelection(from + text.size(), from + text.size());
    ensureCaretVisible();
}

void TextView::undo() {
    const qsizetype caret = model_->undo();
    if (caret >= 0) {
        setCaret(caret);
        ensureCaretVisible();
    }
}

void TextView::redo() {
    const qsizetype caret = model_->redo();
    if (caret >= 0) {
        setCaret(caret);
        ensureCaretVisible();
    }
}

qsizetype TextView::nextCharacter(qsizetype position) const {
    const TextStore& text = model_->text();
    if (position >= text.size())
        return text.size();
    if (text.at(position).isHighSurrogate() && position + 1 < text.size() &&
        text.at(position + 1).isLowSurrogate())
        return position + 2;
    return position + 1;
}

qsizetype TextView::previousCharacter(qsizetype position) const {
    const TextStore& text = model_->text();
    if (position <= 0)
        return 0;
    if (text.at(position - 1).isLowSurrogate() && position >= 2 &&
        text.at(position - 2).isHighSurrogate())
        return position - 2;
    return position - 1;
}

bool TextView::isWordChar(qsizetype position) const {
    const QChar c = model_->text().at(position);
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.isMark();
}

qsizetype TextView::nextWord(qsizetype position) const {
    const qsizetype size = model_->size();
    if (position < size && !isWordChar(position) && !model_->text().at(position).isSpace())
        ++position; // a punctuation character is a word of its own
    else
        while (position < size && isWordChar(position))
            ++position;
    while (position < size && model_->text().at(position).isSpace() &&
           model_->text().at(position) != QLatin1Char('\n'))
        ++position;
    return position;
}

qsizetype TextView::previousWord(qsizetype position) const {
    while (position > 0 && model_->text().at(position - 1).isSpace() &&
           model_->text().at(position - 1) != QLatin1Char('\n'))
        --position;
    if (position > 0 && !isWordChar(position - 1))
        return position - 1;
    while (position > 0 && isWordChar(position - 1))
        --position;
    return position;
}

void TextView::selectWordAt(qsizetype position) {
    const qsizetype size = model_->size();
    if (position >= size || !isWordChar(position)) {
        if (position > 0 && isWordChar(position - 1))
            --position;
        else {
            setSelection(position, nextCharacter(position));
            return;
        }
    }
    qsizetype start = position;
    qsizetype end = position;
    while (start > 0 && isWordChar(start - 1))
        --start;
    while (end < size && isWordChar(end))
        ++end;
    setSelection(start, end);
}

qsizetype TextView::rowMove(qsizetype rows) {
    const Spot spot = spotOf(position_);
    if (goalX_ < 0)
        goalX_ = spot.x;
    const qsizetype row = (wrapping() ? rows_.rowOfLine(spot.line) + spot.rowInLine : spot.line);
    const qsizetype target = row + rows;
    if (target < 0)
        return 0;
    if (target >= rowCount())
        return model_->size();
    if (!wrapping())
        return rowInLineToPosition(target, 0, goalX_);
    qsizetype rowInLine = 0;
    const qsizetype line = rows_.lineOfRow(target, &rowInLine);
    return rowInLineToPosition(line, rowInLine, goalX_);
}

// --- keys ---

void TextView::keyPressEvent(QKeyEvent* event) {
    if (!model_)
        return QAbstractScrollArea::keyPressEvent(event);
    int keyCode = vbKeyCode(event->key());
    if (onKeyDown)
        onKeyDown(keyCode, vbShiftState(event->modifiers()));
    if (keyCode == 0) { // the handler consumed the key
        event->accept();
        return;
    }
    const qsizetype oldStart = selectionStart();
    const qsizetype oldEnd = selectionEnd();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const TextStore& text = model_->text();
    const int pageRows = std::max(1, viewport()->height() / rowHeight_);

    if (readOnly_ && editsText(event)) {
        if (event->matches(QKeySequence::Cut) && hasSelection()) // Cut copies, takes nothing
            QGuiApplication::clipboard()->setText(text.text(selectionStart(), selectionEnd()));
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo)) {
        redo();
    } else if (event->matches(QKeySequence::SelectAll)) {
        setSelection(0, model_->size());
    } else if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        if (hasSelection()) {
            QString copied = text.text(selectionStart(), selectionEnd());
            QGuiApplication::clipboard()->setText(copied);
            if (event->matches(QKeySequence::Cut))
                insertText(u"");
        }
    } else if (event->matches(QKeySequence::Paste)) {
        insertText(toLfLineBreaks(QGuiApplication::clipboard()->text()));
    } else if ((event->modifiers() & Qt::AltModifier) && event->text().isEmpty()) {
        // Alt with a moving or editing key is a command of the window's (Alt+End spans over
        // sentence marks, Alt+Backspace undoes): the text is left as it is.
        event->ignore();
        return;
    } else {
        switch (event->key()) {
        case Qt::Key_Left:
            if (hasSelection() && !shift)
                moveTo(selectionStart(), false);
            else
                moveTo(control ? previousWord(position_) : previousCharacter(position_), shift);
            break;
        case Qt::Key_Right:
            if (hasSelection() && !shift)
                moveTo(selectionEnd(), false);
            else
                moveTo(control ? nextWord(position_) : nextCharacter(position_), shift);
            break;
        case Qt::Key_Up:
            moveTo(rowMove(-1), shift, true);
            break;
        case Qt::Key_Down:
            moveTo(rowMove(1), shift, true);
            break;
        case Qt::Key_PageUp:
            verticalScrollBar()->setValue(verticalScrollBar()->value() - pageRows);
            moveTo(rowMove(-pageRows), shift, true);
            break;
        case Qt::Key_PageDown:
            verticalScrollBar()->setValue(verticalScrollBar()->value() + pageRows);
            moveTo(rowMove(pageRows), shift, true);
            break;
        case Qt::Key_Home:
            if (control)
                moveTo(0, shift);
            else
                moveTo(wrapping() ? rowStart(rowOf(position_))
                                  : text.lineStart(text.lineOf(position_)),
                       shift);
            break;
        case Qt::Key_End:
            if (control)
                moveTo(model_->size(), shift);
            else if (!wrapping())
                moveTo(text.lineEnd(text.lineOf(position_)), shift);
            else {
                // A wrapped row's last character is where it wrapped: End stops before it, so
                // the caret stays on the row.
                const qsizetype row = rowOf(position_);
                const qsizetype end = rowEnd(row);
                const bool lastRowOfLine = end == text.lineEnd(text.lineOf(end));
                moveTo(lastRowOfLine ? end : previousCharacter(end), shift);
            }
            break;
        case Qt::Key_Backspace:
            if (hasSelection())
                insertText(u"", EditKind::DeleteBack);
            else if (position_ > 0) {
                const qsizetype from =
                    control ? previousWord(position_) : previousCharacter(position_);
                setSelection(from, position_);
                insertText(u"", EditKind::DeleteBack);
            }
            break;
        case Qt::Key_Delete:
            if (hasSelection())
                insertText(u"", EditKind::DeleteForward);
            else if (position_ < model_->size()) {
                const qsizetype to = control ? nextWord(position_) : nextCharacter(position_);
                setSelection(position_, to);
                insertText(u"", EditKind::DeleteForward);
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            insertText(u"\n", EditKind::Typing);
            break;
        case Qt::Key_Tab:
            if (control) {
                event->ignore();
                return;
            }
            insertText(u"\t", EditKind::Typing);
            break;
        default: {
            const QString typed = event->text();
            const bool printable = !typed.isEmpty() && typed.front().isPrint();
            const bool commandKey =
                (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                !(event->modifiers() & Qt::AltModifier);
            if (!printable || commandKey) {
                event->ignore();
                return;
            }
            insertText(typed, EditKind::Typing);
            break;
        }
        }
    }
    if (hasSelection() && (selectionStart() != oldStart || selectionEnd() != oldEnd))
        publishSelection();
    event->accept();
}

void TextView::publishSelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(model_->text().text(selectionStart(), selectionEnd()),
                           QClipboard::Selection);
}

void TextView::keyReleaseEvent(QKeyEvent* event) {
    if (!model_)
        return QAbstractScrollArea::keyReleaseEvent(event);
    int keyCode = vbKeyCode(event->key());
    if (onKeyUp)
        onKeyUp(keyCode, vbShiftState(event->modifiers()));
    QAbstractScrollArea::keyReleaseEvent(event);
}

// --- mouse ---

void TextView::mousePressEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mousePressEvent(event);
    endComposing();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !readOnly_) {
        // X11 habit: the middle button pastes the text selected last, where it is pressed.
        const QString selected = toLfLineBreaks(clipboard->text(QClipboard::Selection));
        setCaret(positionAt(event->position().toPoint()));
        if (!selected.isEmpty())
            insertText(selected);
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QPoint point = event->position().toPoint();
    const qsizetype at = positionAt(point);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (!shift && textdrag::pressOnSelection(at, rectAt(at).x(), point.x(), selectionStart(),
                                             selectionEnd())) {
        // A press on the selection may start dragging it; the caret waits for the release.
        pressOnSelection_ = true;
        pressPoint_ = point;
        pressPosition_ = at;
        event->accept();
        return;
    }
    if (shift)
        setSelection(anchor_, at);
    else
        setCaret(at);
    dragging_ = true;
    event->accept();
}

void TextView::mouseMoveEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mouseMoveEvent(event);
    if (pressOnSelection_ && (event->buttons() & Qt::LeftButton)) {
        if (textdrag::dragDistanceReached(pressPoint_, event->position().toPoint(),
                                          QApplication::startDragDistance())) {
            pressOnSelection_ = false;
            startDrag();
        }
        return;
    }
    if (!dragging_ || !(event->buttons() & Qt::LeftButton))
        return;
    setSelection(anchor_, positionAt(event->position().toPoint()));
    ensureCaretVisible();
}

void TextView::mouseReleaseEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    if (pressOnSelection_ && event->button() == Qt::LeftButton)
        setCaret(pressPosition_); // a click on the selection that dragged nothing
    pressOnSelection_ = false;
    if (dragging_ && event->button() == Qt::LeftButton)
        publishSelection();
    dragging_ = false;
    const int button = vbButton(event->button());
    if (onMouseUp && button)
        onMouseUp(button, vbShiftState(event->modifiers()), event->globalPosition().toPoint());
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!model_)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        selectWordAt(positionAt(event->position().toPoint()));
        publishSelection();
    }
    event->accept();
}

void TextView::contextMenuEvent(QContextMenuEvent* event) {
    // The document window shows its own menu on the right button's release.
    event->accept();
}

// --- input methods ---

void TextView::inputMethodEvent(QInputMethodEvent* event) {
    if (!model_)
        return QAbstractScrollArea::inputMethodEvent(event);
    if (readOnly_) {
        event->ignore();
        return;
    }
    const qsizetype composedLine = model_->text().lineOf(position_);
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        preedit_.clear();
        if (event->replacementLength() > 0) {
            const qsizetype from = position_ + event->replacementStart();
            setSelection(from, from + event->replacementLength());
        }
        insertText(event->commitString(), EditKind::Typing);
    }
    // The text still being composed, its formats and its own caret.
    preedit_ = event->preeditString();
    preeditFormats_.clear();
    preeditCursor_ = int(preedit_.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            preeditCursor_ = attribute.start;
        } else if (attribute.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = attribute.value.value<QTextFormat>().toCharFormat();
            if (format.isValid())
                preeditFormats_.append({attribute.start, attribute.length, format});
        }
    }
    if (!preedit_.isEmpty() && preeditFormats_.isEmpty()) {
        QTextCharFormat underlined;
        underlined.setFontUnderline(true);
        preeditFormats_.append({0, int(preedit_.size()), underlined});
    }
    dropLayoutsOfLines(composedLine, composedLine);
    const qsizetype caretLine = model_->text().lineOf(position_);
    dropLayoutsOfLines(caretLine, caretLine);
    viewport()->update();
    event->accept();
}

void TextView::endComposing() {
    if (preedit_.isEmpty())
        return;
    QGuiApplication::inputMethod()->commit();
    if (preedit_.isEmpty())
        return; // the input method committed the text
    preedit_.clear();
    preeditFormats_.clear();
    const qsizetype line = model_->text().lineOf(position_);
    dropLayoutsOfLines(line, line);
    viewport()->update();
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (!model_)
        return QAbstractScrollArea::inputMethodQuery(query);
    auto* self = const_cast<TextView*>(this);
    const TextStore& text = model_->text();
    const qsizetype line = text.lineOf(position_);
    const qsizetype lineStart = text.lineStart(line);
    // The surrounding text is the caret's line, cut to a window around the caret.
    const qsizetype from = std::max(lineStart, position_ - 512);
    const qsizetype to = std::min(text.lineEnd(line), position_ + 512);
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle: {
        QRect caret = self->caretRect();
        if (!preedit_.isEmpty()) // the composed text pushes the caret along its row
            caret.translate(
                int(QFontMetricsF(font()).horizontalAdvance(preedit_.left(preeditCursor_))), 0);
        return QRectF(caret.translated(viewport()->pos()));
    }
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return int(position_ - from);
    case Qt::ImAnchorPosition:
        return int(std::clamp(anchor_, from, to) - from);
    case Qt::ImSurroundingText:
        return text.text(from, to);
    case Qt::ImCurrentSelection:
        return text.text(selectionStart(), selectionEnd());
    case Qt::ImMaximumTextLength:
        return QVariant();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// --- focus and the caret's blinking ---

void TextView::restartBlink() {
    caretShown_ = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        blink_.start(flash / 2, this);
    else
        blink_.stop();
}

void TextView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    viewport()->update();
}

void TextView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    endComposing();
    blink_.stop();
    viewport()->update();
}

void TextView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId() || !model_) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    viewport()->update(caretRect().adjusted(-2, 0, 2, 0));
}

} // namespace kelvane
