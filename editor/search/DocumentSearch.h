// Find over a document's rich-text control: positions as the search commands count them
// (1-based, a line break counting two characters), the match shown as the selection.
#pragma once

#include <QString>

namespace kelvane {

class RichTextBox;

/// Where the next Find Next of the Find dialogs starts (1-based); 0 while unset, which counts
/// as 1. Shared by the Find dialogs and the menu's Find Next, for whichever document is active.
inline qsizetype SearchStart = 0;

/// The text the search dialogs report when a search finds nothing.
inline const QString kSearchTextNotFound = QStringLiteral("Search Text not found.");

/// Searches the document from the 1-based position `start` for `needle` (line breaks as CR LF,
/// CR or LF). On a match selects it and returns its 1-based position; otherwise returns 0 and
/// leaves the selection alone. An empty needle finds nothing.
qsizetype findInDocument(RichTextBox& box, const QString& needle, qsizetype start,
                         Qt::CaseSensitivity sensitivity);

/// Selects the document range [from, to) given in document positions ('\n' breaks).
void selectDocumentRange(RichTextBox& box, qsizetype from, qsizetype to);

} // namespace kelvane
