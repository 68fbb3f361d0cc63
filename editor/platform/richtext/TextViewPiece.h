// What the files of the text view share: a laid-out piece of a line, a caret's spot, and the
// room kept beside the text.
#pragma once

#include "platform/richtext/TextView.h"

#include <QTextLayout>

namespace kelvane {

/// Room kept right of the widest line and left of the text.
inline constexpr int kCaretRoom = 4;

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

} // namespace kelvane
