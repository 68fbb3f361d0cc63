// The layout cache's settings and how it follows the text: measuring the fonts, estimating every
// line's rows, and forgetting what an edit or a new style made stale.
#include "platform/richtext/LayoutCache.h"

#include "platform/text/TextModel.h"

#include <QFontMetricsF>

#include <cmath>

namespace kelvane {

void LayoutCache::setModel(const TextModel* model) {
    model_ = model;
    styleFormats_ = StyleFormats();
    dropAll();
    rows_.reset({});
    knownLines_ = model_ ? model_->text().lineCount() : 1;
    measuredLines_ = 0;
}

void LayoutCache::setMetrics(const QFont& font, qreal tabStop, int wrapPixels, int available) {
    font_ = font;
    tabStop_ = tabStop;
    wrapPixels_ = std::max(wrapPixels, 0);
    available_ = available;
    remeasure();
}

int LayoutCache::wrapWidthFor(int available) const {
    if (!wrapping())
        return 0;
    return std::max(int(std::ceil(averageCharWidth_)), std::min(wrapPixels_, available));
}

void LayoutCache::remeasure() {
    // Every row is as tall as the tallest font in use, so rows never overlap.
    const QFontMetricsF metrics(font_);
    qreal height = metrics.lineSpacing();
    averageCharWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('x')));
    maxCharWidth_ = std::max<qreal>(averageCharWidth_, metrics.maxWidth());
    effectiveWrap_ = wrapWidthFor(available_);
    dropAll();
    if (!model_) {
        rowHeight_ = std::max(1, int(std::ceil(height)));
        return;
    }
    const StyleTable& table = model_->styles().table();
    for (std::size_t i = 1; i < table.count(); ++i) {
        const CharStyle& style = table.at(std::uint8_t(i));
        if (style.pointSize <= 0 && style.fontName.isEmpty())
            continue;
        QFont styled = font_;
        if (style.pointSize > 0)
            styled.setPointSizeF(style.pointSize);
        if (!style.fontName.isEmpty())
            styled.setFamilies({style.fontName});
        height = std::max(height, QFontMetricsF(styled).lineSpacing());
    }
    knownStyles_ = table.count();
    rowHeight_ = std::max(1, int(std::ceil(height)));

    const TextStore& text = model_->text();
    const qsizetype lines = text.lineCount();
    knownLines_ = lines;
    qsizetype longest = 0;
    std::vector<std::int32_t> estimates;
    if (wrapping()) {
        estimates.resize(size_t(lines));
        for (qsizetype line = 0; line < lines; ++line) {
            longest = std::max(longest, text.lineLength(line));
            estimates[size_t(line)] = estimatedRows(line);
        }
    } else {
        // Each line ends one character before the next begins: one look-up per line.
        qsizetype start = 0;
        for (qsizetype line = 1; line < lines; ++line) {
            const qsizetype next = text.lineStart(line);
            longest = std::max(longest, next - 1 - start);
            start = next;
        }
        longest = std::max(longest, text.size() - start);
    }
    rows_.reset(std::move(estimates));
    measuredLines_ = 0;
    widestLine_ = estimatedWidth(longest);
    extentChanged();
}

void LayoutCache::extentChanged() {
    if (onExtentChanged)
        onExtentChanged();
}

void LayoutCache::setPreedit(const Preedit* preedit, const qsizetype* caret) {
    preedit_ = preedit;
    preeditCaret_ = caret;
}

LayoutCache::LineChange LayoutCache::contentsChanged(qsizetype from, qsizetype removed,
                                                     qsizetype added) {
    Q_UNUSED(removed);
    const TextStore& text = model_->text();
    const qsizetype first = text.lineOf(from);
    const qsizetype newSpan = text.lineOf(from + added) - first + 1;
    const qsizetype delta = text.lineCount() - knownLines_;
    const qsizetype oldSpan = newSpan - delta;
    // The rows the changed lines took, before their estimates replace them.
    const qsizetype oldRows =
        wrapping() ? rows_.rowOfLine(first + oldSpan) - rows_.rowOfLine(first) : oldSpan;
    knownLines_ = text.lineCount();
    measuredLines_ = std::min(measuredLines_, first);
    if (delta == 0 && newSpan <= 64) {
        // Lines keep their numbers: only the changed ones are laid out again.
        dropLines(first, first + newSpan - 1);
        for (qsizetype line = first; line < first + newSpan; ++line) {
            pieceRows_.erase(line);
            pieceWidths_.erase(line);
            rowBreakPieces_.erase(line);
        }
    } else {
        dropAll();
    }
    if (wrapping()) {
        std::vector<std::int32_t> estimates(static_cast<size_t>(newSpan));
        for (qsizetype i = 0; i < newSpan; ++i)
            estimates[size_t(i)] = estimatedRows(first + i);
        rows_.replaceLines(first, oldSpan, estimates);
    }
    for (qsizetype line = first; line < first + std::min<qsizetype>(newSpan, 4096); ++line)
        widestLine_ = std::max(widestLine_, estimatedWidth(text.lineLength(line)));
    extentChanged();
    return {first, newSpan, oldSpan, oldRows};
}

bool LayoutCache::stylesChanged(qsizetype from, qsizetype count) {
    const StyleTable& table = model_->styles().table();
    if (table.count() != knownStyles_) {
        // A new font in use may make the rows taller or the lines wider. Styles that only
        // colour the text (the whole-document colouring adds a few) change no measurement.
        bool sameLetters = table.count() > knownStyles_;
        for (std::size_t i = knownStyles_; sameLetters && i < table.count(); ++i) {
            const CharStyle& style = table.at(std::uint8_t(i));
            sameLetters = !style.bold && !style.italic && !style.underline &&
                          style.pointSize <= 0 && style.fontName.isEmpty();
        }
        if (!sameLetters) {
            remeasure();
            return true;
        }
        knownStyles_ = table.count();
    }
    const TextStore& text = model_->text();
    const qsizetype first = text.lineOf(from);
    const qsizetype last = text.lineOf(from + count);
    if (last - first > 64)
        layouts_.clear(); // measurements stay: styles keep the text's rows
    else
        dropLines(first, last);
    return false;
}

void LayoutCache::dropAll() {
    layouts_.clear();
    pieceRows_.clear();
    rowBreakPieces_.clear();
    pieceWidths_.clear();
}

void LayoutCache::dropLines(qsizetype first, qsizetype last) {
    // One pass over the cache: the pieces of a long line on screen need not be consecutive.
    for (auto entry = layouts_.begin(); entry != layouts_.end();) {
        const auto line = qsizetype(entry->first >> 24);
        if (line >= first && line <= last)
            entry = layouts_.erase(entry);
        else
            ++entry;
    }
}

} // namespace kelvane
