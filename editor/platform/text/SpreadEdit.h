// Many replacements spread over a text, made and undone together (Replace All, Tabs to Spaces):
// the undo history keeps the pieces that changed, never a copy of the text between them.
#pragma once

#include "platform/text/CharStyles.h"
#include "platform/text/SpreadPiece.h"

#include <QString>

#include <vector>

namespace kelvane {

/// The pieces that take `pieces` back, positions in the text after them.
std::vector<SpreadPiece> invertPieces(const std::vector<SpreadPiece>& pieces);

struct SpreadEdit {
    /// Ascending and not overlapping, positions in the text before the edit.
    std::vector<SpreadPiece> pieces;
    QString removed;  ///< the removed characters of every piece, one piece after another
    QString inserted; ///< the inserted characters likewise
    SavedStyles removedStyles;
    SavedStyles insertedStyles; ///< taken when the edit is undone, given back on redo

    /// The range the pieces span before the edit: [from, oldEnd); after it: [from, newEnd).
    qsizetype from() const { return pieces.front().at; }
    qsizetype oldEnd() const { return pieces.back().at + pieces.back().removed; }
    qsizetype newEnd() const { return oldEnd() + inserted.size() - removed.size(); }
};

} // namespace kelvane
