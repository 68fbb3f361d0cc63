// Multi-word search automaton (Aho-Corasick, as a dense table) for the keyword pass.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>
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

    /// Builds the automaton. Without caseSensitive, words and text are compared by their simple
    /// case folds. The extra characters get classes 1..extra.size() in their order, so a sweep
    /// can spot them from the class alone; they are compared exactly and must be characters that
    /// no other character folds to (ASCII punctuation and control characters).
    KeywordAutomaton(const std::vector<Word>& words, bool caseSensitive, QStringView extra);

    /// Class of every UTF-16 unit.
    const std::uint16_t* classes() const { return classes_.data(); }
    /// Table entries: the row offset of the next state, with OutputFlag when it ends a word.
    /// The row of a state is its offset plus the class of the character read.
    const std::uint32_t* table() const { return table_.data(); }
    /// Mask that turns a table entry back into a row offset.
    static constexpr std::uint32_t RowMask = ~OutputFlag;

    /// The words (indexes into wordLength/wordColour) that end in the state with this row offset.
    std::span<const std::uint32_t> outputs(std::uint32_t row) const {
        const std::uint32_t state = row >> shift_;
        return {outputs_.data() + outputStart_[state], outputs_.data() + outputStart_[state + 1]};
    }
    std::uint32_t wordLength(std::uint32_t word) const { return words_[word].length; }
    std::uint8_t wordColour(std::uint32_t word) const { return words_[word].colour; }
    std::size_t wordCount() const { return words_.size(); }
    /// Length of the longest word: enough characters to bring a fresh sweep into step.
    qsizetype maxLength() const { return maxLength_; }

private:
    struct WordInfo {
        std::uint32_t length;
        std::uint8_t colour;
    };
    std::vector<std::uint16_t> classes_;
    std::vector<std::uint32_t> table_;
    std::vector<std::uint32_t> outputStart_;
    std::vector<std::uint32_t> outputs_;
    std::vector<WordInfo> words_;
    unsigned shift_ = 0;
    qsizetype maxLength_ = 0;
};

} // namespace kelvane
