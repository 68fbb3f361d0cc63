// The formatting of a document's characters: one style index per character (one byte each)
// into a table of at most 256 distinct styles. Changing it is not an edit of the text.
#pragma once

#include "platform/text/SpreadPiece.h"
#include "platform/text/StyleBuffer.h"
#include "platform/text/StyleTable.h"

#include <functional>
#include <utility>
#include <vector>

namespace kelvane {

/// The styles of a removed range, kept so that undo can give the characters back as they were.
struct SavedStyles {
    std::vector<std::uint8_t> indexes;
    std::vector<std::pair<std::uint8_t, CharStyle>> styles; ///< the indexes used, by value
};

class CharStyles {
public:
    const StyleBuffer& buffer() const { return buffer_; }
    const StyleTable& table() const { return table_; }
    qsizetype size() const { return buffer_.size(); }
    const CharStyle& styleAt(qsizetype position) const;
    std::uint8_t indexAt(qsizetype position) const { return buffer_.at(position); }

    /// Follows an edit: inserted characters take the style of the character before them (the
    /// one at the caret), or of the first character when inserted at the start.
    void replace(qsizetype from, qsizetype removed, qsizetype added);
    /// Makes every one of `count` characters plain and forgets every style.
    void reset(qsizetype count);
    /// Moves the room for edits at most `limit` entries toward `position`; true once there.
    bool prepareEditAt(qsizetype position, qsizetype limit) {
        return buffer_.moveGapToward(position, limit);
    }

    /// Changes the style of every character of [from, from + count) with `change`; false when
    /// nothing changed.
    bool restyle(qsizetype from, qsizetype count, const std::function<void(CharStyle&)>& change);
    /// Gives the characters from `from` on the given styles (indexes into `styles`).
    void assign(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                const std::vector<CharStyle>& styles);
    /// Sets the colour of characters from a class per character: class k takes
    /// classColours[k]; a class past the end leaves the character as it is.
    void colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                       const std::vector<WinColour>& classColours);

    SavedStyles save(qsizetype from, qsizetype count) const;
    /// Follows TextStore::replaceEach(): the characters piece i inserts take index fills[i].
    void replaceEach(const std::vector<SpreadPiece>& pieces,
                     const std::vector<std::uint8_t>& fills) {
        buffer_.replaceEach(pieces, fills);
    }
    /// The styles of the ranges the pieces remove, one range after another.
    SavedStyles saveEach(const std::vector<SpreadPiece>& pieces) const;
    /// Gives the ranges the pieces remove the saved styles, one range after another.
    void restoreEach(const std::vector<SpreadPiece>& pieces, const SavedStyles& saved);
    void restore(qsizetype from, const SavedStyles& saved);

private:
    std::array<bool, 256> usedIndexes() const;
    std::uint8_t intern(const CharStyle& style);
    /// Records in `saved` the style behind each index its characters use.
    void keepStylesOf(SavedStyles& saved) const;
    /// For each index of `saved`, the index its style has in the table now.
    StyleBuffer::Lut indexesNow(const SavedStyles& saved);

    StyleBuffer buffer_;
    StyleTable table_;
    std::array<bool, 256> pinned_{}; ///< indexes an operation is about to write
};

} // namespace kelvane
