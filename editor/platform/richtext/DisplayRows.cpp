// Row counts per line with a Fenwick tree of running totals.
#include "platform/richtext/DisplayRows.h"

#include <algorithm>

namespace kelvane {

void DisplayRows::reset(std::vector<std::int32_t> estimates) {
    rows_ = std::move(estimates);
    for (std::int32_t& rows : rows_)
        rows = std::clamp<std::int32_t>(rows, 1, kRowsMask);
    tree_.clear();
}

void DisplayRows::add(qsizetype line, qsizetype delta) {
    if (tree_.empty() || delta == 0)
        return;
    for (qsizetype i = line + 1; i <= qsizetype(rows_.size()); i += i & -i)
        tree_[size_t(i)] += delta;
}

void DisplayRows::setExact(qsizetype line, std::int32_t rows) {
    rows = std::clamp<std::int32_t>(rows, 1, kRowsMask);
    const qsizetype delta = rows - rowsOf(line);
    rows_[size_t(line)] = rows | kExactBit;
    add(line, delta);
}

void DisplayRows::setEstimate(qsizetype line, std::int32_t rows) {
    rows = std::clamp<std::int32_t>(rows, 1, kRowsMask);
    const qsizetype delta = rows - rowsOf(line);
    rows_[size_t(line)] = rows;
    add(line, delta);
}

void DisplayRows::replaceLines(qsizetype first, qsizetype removed,
                               const std::vector<std::int32_t>& estimates) {
    if (removed == 1 && estimates.size() == 1) {
        setEstimate(first, estimates.front()); // typing inside a line: no rebuild
        return;
    }
    auto at = rows_.begin() + first;
    at = rows_.erase(at, at + removed);
    rows_.insert(at, estimates.begin(), estimates.end());
    for (qsizetype i = first; i < first + qsizetype(estimates.size()); ++i)
        rows_[size_t(i)] = std::clamp<std::int32_t>(rows_[size_t(i)], 1, kRowsMask);
    tree_.clear();
}

void DisplayRows::rebuild() const {
    const qsizetype n = qsizetype(rows_.size());
    tree_.assign(size_t(n + 1), 0);
    for (qsizetype i = 1; i <= n; ++i) {
        tree_[size_t(i)] += rows_[size_t(i - 1)] & kRowsMask;
        const qsizetype parent = i + (i & -i);
        if (parent <= n)
            tree_[size_t(parent)] += tree_[size_t(i)];
    }
}

qsizetype DisplayRows::rowOfLine(qsizetype line) const {
    if (tree_.empty())
        rebuild();
    qsizetype sum = 0;
    for (qsizetype i = std::min<qsizetype>(line, qsizetype(rows_.size())); i > 0; i -= i & -i)
        sum += tree_[size_t(i)];
    return sum;
}

qsizetype DisplayRows::totalRows() const {
    return rowOfLine(qsizetype(rows_.size()));
}

qsizetype DisplayRows::lineOfRow(qsizetype row, qsizetype* rowInLine) const {
    if (tree_.empty())
        rebuild();
    const qsizetype n = qsizetype(rows_.size());
    if (n == 0) {
        if (rowInLine)
            *rowInLine = 0;
        return 0;
    }
    // Walk down the tree for the last line whose rows before it are at most `row`.
    qsizetype position = 0;
    qsizetype remaining = std::max<qsizetype>(row, 0);
    qsizetype step = 1;
    while (step * 2 <= n)
        step *= 2;
    for (; step > 0; step /= 2) {
        const qsizetype next = position + step;
        if (next <= n && tree_[size_t(next)] <= remaining) {
            position = next;
            remaining -= tree_[size_t(next)];
        }
    }
    if (position >= n) { // past the last row: the last row of the last line
        position = n - 1;
        remaining = rowsOf(position) - 1;
    }
    if (rowInLine)
        *rowInLine = remaining;
    return position;
}

} // namespace kelvane
