// Display rows of a document shown with word wrap: how many rows each text line takes, known
// exactly for lines that were laid out and estimated from their length for the rest, with
// running totals so that the row of a line and the line of a row are found without laying out
// the document.
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kelvane {

class DisplayRows {
public:
    /// Starts afresh with `lines` lines, each with its estimate.
    void reset(std::vector<std::int32_t> estimates);
    qsizetype lineCount() const { return qsizetype(rows_.size()); }

    /// The most rows a line can hold.
    static constexpr std::int32_t kMaxRows = 0x3FFFFFFF;
    /// A count of rows as a line holds it: at most kMaxRows.
    static std::int32_t clampRows(qsizetype rows) {
        return std::int32_t(std::min<qsizetype>(rows, kMaxRows));
    }

    /// Rows of a line (estimated until set exactly).
    std::int32_t rowsOf(qsizetype line) const { return rows_[size_t(line)] & kRowsMask; }
    bool isExact(qsizetype line) const { return rows_[size_t(line)] & kExactBit; }
    /// Records the exact rows of a line.
    void setExact(qsizetype line, std::int32_t rows);
    /// Records a new estimate of a line (its text changed).
    void setEstimate(qsizetype line, std::int32_t rows);

    /// Lines [first, first + removed) became `added` lines with the given estimates.
    void replaceLines(qsizetype first, qsizetype removed,
                      const std::vector<std::int32_t>& estimates);

    /// Rows before a line.
    qsizetype rowOfLine(qsizetype line) const;
    /// The line holding a row, and the row's index inside that line.
    qsizetype lineOfRow(qsizetype row, qsizetype* rowInLine = nullptr) const;
    qsizetype totalRows() const;

private:
    static constexpr std::int32_t kExactBit = 0x40000000;
    static constexpr std::int32_t kRowsMask = kMaxRows;

    void add(qsizetype line, qsizetype delta);
    void rebuild() const;

    std::vector<std::int32_t> rows_;
    mutable std::vector<qsizetype> tree_; ///< Fenwick tree of row counts; empty when stale
};

} // namespace kelvane
