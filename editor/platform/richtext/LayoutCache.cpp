// The layout cache of the text view: pieces laid out on demand, rows counted from estimates until
// laid out, and the mapping between positions and rows.
#include "platform/richtext/LayoutCache.h"

#include "platform/richtext/Preedit.h"
#include "platform/text/TextModel.h"

#include <QTextLine>

#include <cmath>

namespace kelvane {

namespace {

/// Layouts kept before the cache starts afresh.
constexpr std::size_t kMaxLayouts = 4096;

quint64 pieceKey(qsizetype line, qsizetype piece) {
    return (quint64(line) << 24) | quint64(piece & 0xFFFFFF);
}

} // namespace

int LayoutCache::toLayoutOffset(const Piece& piece, qsizetype offset) {
    if (piece.preeditAt >= 0 && offset > piece.preeditAt)
        return int(offset) + piece.preeditLength;
    return int(offset);
}

qsizetype LayoutCache::fromLayoutOffset(const Piece& piece, int offset) {
    if (piece.preeditAt < 0 || offset <= piece.preeditAt)
        return offset;
    // Inside the composed text is at the caret, where it will be inserted.
    return std::max(piece.preeditAt, offset - piece.preeditLength);
}

qsizetype LayoutCache::lineOfRow(qsizetype row, qsizetype* rowInLine) const {
    if (!wrapping()) {
        *rowInLine = 0;
        return row;
    }
    return rows_.lineOfRow(row, rowInLine);
}

qsizetype LayoutCache::rowOfLine(qsizetype line) const {
    if (!model_)
        return 0;
    return wrapping() ? rows_.rowOfLine(line) : std::min(line, model_->text().lineCount());
}

qsizetype LayoutCache::rowOfSpot(const Spot& spot) const {
    return wrapping() ? rows_.rowOfLine(spot.line) + spot.rowInLine : spot.line;
}

qsizetype LayoutCache::positionOnRow(qsizetype row, qreal x) {
    qsizetype rowInLine = 0;
    const qsizetype line = lineOfRow(row, &rowInLine);
    return rowInLineToPosition(line, rowInLine, x);
}

qsizetype LayoutCache::pieceCount(qsizetype line) const {
    const qsizetype length = model_->text().lineLength(line);
    // A wrapped paragraph of ordinary length is laid out whole, so its rows break where the
    // words do; only longer lines are cut into pieces, each starting a row of its own.
    if (length <= kPieceLength || (wrapping() && length <= kWrappedWholeLine))
        return 1;
    return (length + kPieceLength - 1) / kPieceLength;
}

qsizetype LayoutCache::pieceStart(qsizetype line, qsizetype piece) const {
    if (piece > 0 && wrapping())
        return wrappedPieceStart(line, piece);
    return nominalPieceStart(line, piece);
}

qsizetype LayoutCache::nominalPieceStart(qsizetype line, qsizetype piece) const {
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

qsizetype LayoutCache::pieceEnd(qsizetype line, qsizetype piece) const {
    return piece + 1 < pieceCount(line) ? pieceStart(line, piece + 1)
                                        : model_->text().lineEnd(line);
}

qsizetype LayoutCache::pieceOf(qsizetype line, qsizetype position) const {
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

qreal LayoutCache::estimatedWidth(qsizetype characters) const {
    return qreal(characters) * averageCharWidth_;
}

std::int32_t LayoutCache::estimatedRows(qsizetype line) const {
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
    return DisplayRows::clampRows((pieces - 1) * std::max(1, perPiece) + std::max(1, lastRows));
}

int LayoutCache::pieceRows(qsizetype line, qsizetype index) const {
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

qsizetype LayoutCache::rowsBefore(qsizetype line, qsizetype piece) const {
    qsizetype rows = 0;
    for (qsizetype k = 0; k < piece; ++k)
        rows += pieceRows(line, k);
    return rows;
}

qsizetype LayoutCache::pieceOfRow(qsizetype line, qsizetype& rowInLine) const {
    const qsizetype pieces = pieceCount(line);
    qsizetype k = 0;
    while (k + 1 < pieces && rowInLine >= pieceRows(line, k)) {
        rowInLine -= pieceRows(line, k);
        ++k;
    }
    return k;
}

qreal LayoutCache::pieceWidth(qsizetype line, qsizetype index) const {
    return pieceWidth(line, index, knownWidths(line));
}

qreal LayoutCache::pieceWidth(qsizetype line, qsizetype index,
                              const std::vector<qreal>* known) const {
    if (known && index < qsizetype(known->size()) && (*known)[size_t(index)] >= 0)
        return (*known)[size_t(index)];
    return estimatedWidth(pieceEnd(line, index) - pieceStart(line, index));
}

const std::vector<qreal>* LayoutCache::knownWidths(qsizetype line) const {
    const auto found = pieceWidths_.find(line);
    return found != pieceWidths_.end() ? &found->second : nullptr;
}

qreal LayoutCache::pieceX(qsizetype line, qsizetype index) {
    if (index == 0 || wrapping())
        return 0;
    const std::vector<qreal>* known = knownWidths(line);
    qreal x = 0;
    for (qsizetype k = 0; k < index; ++k)
        x += pieceWidth(line, k, known);
    return x;
}

LayoutCache::Piece& LayoutCache::piece(qsizetype line, qsizetype index) {
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
    layout.setFont(font_);
    QTextOption option;
    option.setTabStopDistance(tabStop_);
    if (tabsFromOrigin)
        option.setTabArray(tabStopsFrom(origin, pieceText));
    option.setWrapMode(wrapping() ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::NoWrap);
    layout.setTextOption(option);
    // Text being composed in an input method shows at the caret, inside its piece.
    const qsizetype at = preeditCaret_ ? *preeditCaret_ : -1;
    const bool composing = preedit_ && !preedit_->isEmpty() && at >= start &&
                           (at < end || at == model_->text().lineEnd(line)) &&
                           model_->text().lineOf(at) == line;
    QList<QTextLayout::FormatRange> ranges = formatsOf(start, end);
    if (composing) {
        const int preeditAt = int(at - start);
        layout.setPreeditArea(preeditAt, preedit_->text());
        made->preeditAt = preeditAt;
        made->preeditLength = int(preedit_->text().size());
        ranges = preedit_->withFormats(ranges, preeditAt);
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
                extentChanged();
            }
        } else {
            std::vector<std::int32_t>& known = pieceRows_[line];
            known.resize(size_t(pieces), 0);
            known[size_t(index)] = made->rows;
            const qsizetype total = rowsBefore(line, pieces);
            if (rows_.rowsOf(line) != total) {
                rows_.setEstimate(line, DisplayRows::clampRows(total));
                extentChanged();
            }
        }
    } else if (pieces == 1) {
        if (width > widestLine_) {
            widestLine_ = width;
            extentChanged();
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

QList<QTextLayout::FormatRange> LayoutCache::formatsOf(qsizetype start, qsizetype end) const {
    // The overlay's formats, one range per run of one style.
    const CharStyles& styles = model_->styles();
    return formatRanges(
        end - start, [&styles, start](qsizetype i) { return styles.indexAt(start + i); },
        styleFormats_.of(styles.table()));
}

qsizetype LayoutCache::wrappedPieceStart(qsizetype line, qsizetype piece) const {
    // Kept from the line's start: an edit in a line above moves the line, not its row breaks.
    const qsizetype lineStart = model_->text().lineStart(line);
    std::vector<qsizetype>& known = rowBreakPieces_[line];
    known.resize(size_t(pieceCount(line)), -1);
    if (known[size_t(piece)] >= 0)
        return lineStart + known[size_t(piece)];
    // A piece starts where a row does: at the start of the row that holds the piece's nominal
    // start, in a layout of the text from the piece before. From that piece's own start when
    // it is known, so that rows read from the line's start are those of the whole line laid
    // out at once; else from its nominal start, whose rows meet the whole line's within a few
    // rows in ordinary text.
    const qsizetype nominal = nominalPieceStart(line, piece);
    const qsizetype previous = known[size_t(piece - 1)];
    const qsizetype from =
        previous >= 0 ? lineStart + previous : nominalPieceStart(line, piece - 1);
    const qsizetype to = std::min(model_->text().lineEnd(line), nominal + kBreakLookahead);
    QTextLayout layout(model_->text().text(from, to), font_);
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
    known[size_t(piece)] = start - lineStart;
    return start;
}

QList<qreal> LayoutCache::tabStopsFrom(qreal origin, QStringView pieceText) const {
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

LayoutCache::Spot LayoutCache::spotOf(qsizetype position) {
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
        spot.rowInLine = rowsBefore(spot.line, spot.piece) + textLine.lineNumber();
    }
    return spot;
}

qsizetype LayoutCache::rowInLineToPosition(qsizetype line, qsizetype rowInLine, qreal x) {
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
    const qsizetype k = pieceOfRow(line, rowInLine);
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

qsizetype LayoutCache::rowCount() const {
    if (!model_)
        return 0;
    return wrapping() ? rows_.totalRows() : model_->text().lineCount();
}

qsizetype LayoutCache::rowOf(qsizetype position) {
    return rowOfSpot(spotOf(position));
}

qsizetype LayoutCache::rowStart(qsizetype row) {
    if (row < 0 || row >= rowCount())
        return -1;
    if (!wrapping())
        return model_->text().lineStart(row);
    qsizetype rowInLine = 0;
    const qsizetype line = rows_.lineOfRow(row, &rowInLine);
    const qsizetype k = pieceOfRow(line, rowInLine);
    Piece& layout = piece(line, k);
    if (rowInLine >= layout.layout.lineCount())
        return -1; // the estimate counted a row the layout does not have
    return pieceStart(line, k) +
           fromLayoutOffset(layout, layout.layout.lineAt(int(rowInLine)).textStart());
}

qsizetype LayoutCache::rowEnd(qsizetype row) {
    const qsizetype start = rowStart(row);
    if (start < 0)
        return -1;
    const qsizetype next = rowStart(row + 1);
    const TextStore& text = model_->text();
    const qsizetype lineEnd = text.lineEnd(text.lineOf(start));
    return next < 0 || next > lineEnd ? lineEnd : next;
}

void LayoutCache::measureLines(qsizetype lastLine, qsizetype budget) {
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
            if (pieces > 1)
                rows_.setExact(line, DisplayRows::clampRows(rowsBefore(line, pieces)));
            budget -= text.lineLength(line) + 1;
        }
        ++measuredLines_;
    }
    extentChanged();
}

} // namespace kelvane
