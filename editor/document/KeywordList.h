// Reads a stored keyword list: words each followed by U+00FF, up to the first empty word.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <vector>

namespace kelvane {

/// The character that ends every word of a stored keyword list.
inline constexpr char16_t KeywordSeparator = 0x00FF;

/// The words of one list as the colouring passes read them.
struct KeywordList {
    /// The words before the first empty one; a last word without its separator is not among them.
    std::vector<QString> words;
    /// How many times a pass reads a word from the list (and so updates its progress caption):
    /// once per word, plus the read that finds the list exhausted unless the list ends exactly
    /// after the separator of its last word.
    int reads = 0;
};

/// Reads a stored keyword list word by word from the front.
KeywordList readKeywordList(QStringView stored);

/// Folds one UTF-16 unit for keyword matching without regard to case: the simple case fold
/// of the character, which always has the same length; surrogate halves stay as they are.
inline char16_t foldKeywordChar(char16_t c) {
    return QChar(c).toCaseFolded().unicode();
}

} // namespace kelvane
