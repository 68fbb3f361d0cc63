// Replacements spread over a text and their inverse.
#include "platform/text/SpreadEdit.h"

namespace kelvane {

std::vector<SpreadPiece> invertPieces(const std::vector<SpreadPiece>& pieces) {
    std::vector<SpreadPiece> back;
    back.reserve(pieces.size());
    qsizetype shift = 0;
    for (const SpreadPiece& piece : pieces) {
        back.push_back({piece.at + shift, piece.inserted, piece.removed});
        shift += piece.inserted - piece.removed;
    }
    return back;
}

} // namespace kelvane
