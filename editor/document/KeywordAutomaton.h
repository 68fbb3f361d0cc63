// Multi-word search automaton (Aho-Corasick, as a dense table) for the keyword pass.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace kelvane {

/// Finds every occurrence of many words in one left-to-right sweep. Characters are first mapped
/// to a small class number (one class per distinct word character, plus a few extra characters
/// the caller wants to see, plus class 0 for everything else); the automaton then takes one table
/// step per character.
class KeywordAutomaton {
public:
    /// A word to find and the colour class its occurrences get.
    struct Word {
        QString text;
        std::uint8_t colour = 0;
    };

    /// Set in a table entry when the state it leads to ends at least one word.
    static constexpr std::uint32_t OutputFlag = 0x80000000u;
    /// Set in every table entry of the extra characters' classes.
    static constexpr std::uint32_t ExtraFlag = 0x40000000u;

    /// Builds the automaton. Without caseSensitive, words and text are compared by their simple
    /// case folds. The extra characters get classes 1..extra.size() in their order, so a sweep
    /// can spot them from the class alone; they are compared exactly and must be characters that
    /// no other character folds to (ASCII punctuation and control characters).
    KeywordAutomaton(const std::vector<Word>& words, bool caseSensitive, QStringView extra);

    /// Class of every UTF-16 unit.
    const std::uint16_t* classes() const { return classes_.data(); }
    /// Table entries: the row offset of the next state, with OutputFlag when it ends a word and
    /// ExtraFlag when the character read is an extra one. The entry for a state and a character
    /// is at the state's row offset plus the character's class.
    const std::uint32_t* table() const { return table_.data(); }
    /// Mask that turns a table entry back into a row offset.
    static constexpr std::uint32_t RowMask = ~(OutputFlag | ExtraFlag);

    /// Shift that turns a row offset into a state number.
    unsigned shift() const { return shift_; }
    /// The words (indexes into wordLengths and wordColours) that end in state s are
    /// outputs()[outputStarts()[s]] up to outputs()[outputStarts()[s + 1]].
    const std::uint32_t* outputStarts() const { return outputStart_.data(); }
    const std::uint32_t* outputs() const { return outputs_.data(); }
    const std::uint32_t* wordLengths() const { return wordLengths_.data(); }
    const std::uint8_t* wordColours() const { return wordColours_.data(); }
    std::size_t wordCount() const { return wordLengths_.size(); }
    /// Length of the longest word: enough characters to bring a fresh sweep into step.
    qsizetype maxLength() const { return maxLength_; }

private:
    std::vector<std::uint16_t> classes_;
    std::vector<std::uint32_t> table_;
    std::vector<std::uint32_t> outputStart_;
    std::vector<std::uint32_t> outputs_;
    std::vector<std::uint32_t> wordLengths_;
    std::vector<std::uint8_t> wordColours_;
    unsigned shift_ = 0;
    qsizetype maxLength_ = 0;
};

} // namespace kelvane
