// Where characters and words begin and end in a text: one answer for the caret keys, double
// clicks and screen readers alike. A surrogate pair is one character; combining marks belong to
// the word they follow; letters outside the Basic Multilingual Plane are letters.
#pragma once

#include <QtGlobal>

#include <utility>

namespace kelvane {

class TextStore;

namespace boundaries {

/// The position after the character at `position` (a surrogate pair is one character).
qsizetype nextCharacter(const TextStore& text, qsizetype position);
/// The position before the character that ends at `position`.
qsizetype previousCharacter(const TextStore& text, qsizetype position);
/// Whether the character at `position` belongs to a word: letters and digits (of any plane),
/// the underscore and combining marks.
bool isWordCharacter(const TextStore& text, qsizetype position);
/// Where Ctrl+Right goes: past the word (or the one punctuation character) at `position` and
/// the blanks after it, never past a line break.
qsizetype nextWord(const TextStore& text, qsizetype position);
/// Where Ctrl+Left goes: back over blanks, then to the start of the word before.
qsizetype previousWord(const TextStore& text, qsizetype position);
/// The word that holds `position` (or ends at it), as [start, end); an empty range where there
/// is none.
std::pair<qsizetype, qsizetype> wordAt(const TextStore& text, qsizetype position);

} // namespace boundaries
} // namespace kelvane
