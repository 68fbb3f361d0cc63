// Plain substring search over a document's text, forwards only, and the edits of Replace All.
#pragma once

#include "document/TextEdits.h"
#include "platform/TextEncoding.h"

#include <QString>
#include <QStringView>

namespace kelvane {

/// Position of the first occurrence of `needle` at or after `from`, or -1. An empty needle
/// finds nothing.
qsizetype findText(QStringView haystack, QStringView needle, qsizetype from,
                   Qt::CaseSensitivity sensitivity);

/// The edits that replace every occurrence of `needle` by `replacement`, each search going on
/// after the end of the previous occurrence (the inserted text is never searched again).
TextEdits replaceAllEdits(QStringView haystack, QStringView needle, const QString& replacement,
                          Qt::CaseSensitivity sensitivity);
/// The same over a text handed over in consecutive pieces (each valid during its call only):
/// occurrences across the ends of pieces are found, and little of the text is held at once.
TextEdits replaceAllEdits(const TextPieces& pieces, QStringView needle, const QString& replacement,
                          Qt::CaseSensitivity sensitivity);

} // namespace kelvane
