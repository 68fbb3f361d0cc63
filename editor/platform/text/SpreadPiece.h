// One of many replacements made together in a text.
#pragma once

#include <QtGlobal>

namespace kelvane {

/// `removed` characters at `at` replaced by `inserted` characters.
struct SpreadPiece {
    qsizetype at = 0;
    qsizetype removed = 0;
    qsizetype inserted = 0;
};

} // namespace kelvane
