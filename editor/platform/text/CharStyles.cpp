// Per-character styles of a document.
#include "platform/text/CharStyles.h"

#include "platform/text/ClassStyleMap.h"

namespace kelvane {

const CharStyle& CharStyles::styleAt(qsizetype position) const {
    if (position < 0 || position >= buffer_.size())
        return table_.at(0);
    return table_.at(buffer_.at(position));
}

void CharStyles::replace(qsizetype from, qsizetype removed, qsizetype added) {
    const std::uint8_t inherited =
        buffer_.size() == 0 ? 0
                            : buffer_.at(std::clamp<qsizetype>(from - 1, 0, buffer_.size() - 1));
    buffer_.replace(from, removed, added, inherited);
}

void CharStyles::reset(qsizetype count) {
    table_.reset();
    buffer_.reset(count, 0);
}

std::array<bool, 256> CharStyles::usedIndexes() const {
    std::array<bool, 256> used = buffer_.usedValues();
    for (std::size_t i = 0; i < used.size(); ++i)
        used[i] = used[i] || pinned_[i];
    return used;
}

std::uint8_t CharStyles::intern(const CharStyle& style) {
    const std::uint8_t index = table_.intern(style, [this] { return usedIndexes(); });
    pinned_[index] = true;
    return index;
}

bool CharStyles::restyle(qsizetype from, qsizetype count,
                         const std::function<void(CharStyle&)>& change) {
    from = std::clamp<qsizetype>(from, 0, buffer_.size());
    count = std::clamp<qsizetype>(count, 0, buffer_.size() - from);
    if (count == 0)
        return false;
    // When the change leaves every style as it is (re-applying the editor font on each
    // activation, say) nothing needs to be scanned.
    bool changesSomething = false;
    for (std::size_t i = 0; i < table_.count() && !changesSomething; ++i) {
        CharStyle style = table_.at(std::uint8_t(i));
        change(style);
        changesSomething = !(style == table_.at(std::uint8_t(i)));
    }
    if (!changesSomething)
        return false;
    const std::array<bool, 256> inRange = buffer_.usedValues(from, count);
    changesSomething = false;
    pinned_ = {};
    StyleBuffer::Lut lut{};
    for (std::size_t i = 0; i < lut.size(); ++i) {
        lut[i] = std::uint8_t(i);
        if (!inRange[i])
            continue;
        CharStyle style = table_.at(std::uint8_t(i));
        change(style);
        lut[i] = intern(style);
        changesSomething = changesSomething || lut[i] != i;
    }
    pinned_ = {};
    if (!changesSomething)
        return false;
    buffer_.map(from, count, lut);
    return true;
}

void CharStyles::assign(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                        const std::vector<CharStyle>& styles) {
    from = std::clamp<qsizetype>(from, 0, buffer_.size());
    const qsizetype count =
        std::min<qsizetype>(qsizetype(styleOfChar.size()), buffer_.size() - from);
    if (count <= 0)
        return;
    std::array<bool, 256> inUse{};
    for (qsizetype i = 0; i < count; ++i)
        inUse[styleOfChar[size_t(i)]] = true;
    pinned_ = {};
    StyleBuffer::Lut lut{};
    for (std::size_t i = 0; i < styles.size() && i < lut.size(); ++i)
        if (inUse[i])
            lut[i] = intern(styles[i]);
    pinned_ = {};
    buffer_.transform(from, count,
                      [&](qsizetype i, std::uint8_t) { return lut[styleOfChar[size_t(i)]]; });
}

void CharStyles::colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                               const std::vector<WinColour>& classColours) {
    from = std::clamp<qsizetype>(from, 0, buffer_.size());
    count = std::clamp<qsizetype>(count, 0, buffer_.size() - from);
    if (count == 0)
        return;
    pinned_ = {};
    ClassStyleMap map(classColours.size(), [&](std::uint8_t cls, std::uint8_t current) {
        CharStyle style = table_.at(current);
        const WinColour colour = classColours[cls];
        style.hasColour = colour != kWindowTextColour;
        style.colour = style.hasColour ? colour : 0;
        return intern(style);
    });
    // The buffer is changed in place, so a pass needs no copy of the styles.
    buffer_.forPieces(from, count, [&](std::uint8_t* indexes, qsizetype offset, qsizetype n) {
        map.apply(indexes, classes + offset, n);
    });
    pinned_ = {};
}

void CharStyles::keepStylesOf(SavedStyles& saved) const {
    std::array<bool, 256> used{};
    for (std::uint8_t index : saved.indexes)
        used[index] = true;
    for (std::size_t i = 0; i < used.size(); ++i)
        if (used[i])
            saved.styles.emplace_back(std::uint8_t(i), table_.at(std::uint8_t(i)));
}

StyleBuffer::Lut CharStyles::indexesNow(const SavedStyles& saved) {
    // The table may have changed since: find each saved style again by value.
    pinned_ = {};
    StyleBuffer::Lut lut{};
    for (const auto& [index, style] : saved.styles)
        lut[index] = intern(style);
    pinned_ = {};
    return lut;
}

SavedStyles CharStyles::save(qsizetype from, qsizetype count) const {
    SavedStyles saved;
    saved.indexes = buffer_.read(from, count);
    keepStylesOf(saved);
    return saved;
}

void CharStyles::restore(qsizetype from, const SavedStyles& saved) {
    const StyleBuffer::Lut lut = indexesNow(saved);
    const qsizetype count = qsizetype(saved.indexes.size());
    buffer_.transform(from, count,
                      [&](qsizetype i, std::uint8_t) { return lut[saved.indexes[size_t(i)]]; });
}

SavedStyles CharStyles::saveEach(const std::vector<SpreadPiece>& pieces) const {
    SavedStyles saved;
    qsizetype total = 0;
    for (const SpreadPiece& piece : pieces)
        total += piece.removed;
    saved.indexes.resize(size_t(total));
    std::uint8_t* out = saved.indexes.data();
    for (const SpreadPiece& piece : pieces) {
        buffer_.read(piece.at, piece.removed, out);
        out += piece.removed;
    }
    keepStylesOf(saved);
    return saved;
}

void CharStyles::restoreEach(const std::vector<SpreadPiece>& pieces, const SavedStyles& saved) {
    const StyleBuffer::Lut lut = indexesNow(saved);
    std::size_t at = 0;
    for (const SpreadPiece& piece : pieces) {
        buffer_.transform(piece.at, piece.removed, [&](qsizetype i, std::uint8_t) {
            return lut[saved.indexes[at + size_t(i)]];
        });
        at += size_t(piece.removed);
    }
}

} // namespace kelvane
