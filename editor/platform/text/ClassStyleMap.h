// The style index each character takes in a colouring pass, from its colour class and the index
// it has: worked out once per pair, then applied to long stretches of characters.
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <vector>

namespace kelvane {

class ClassStyleMap {
public:
    /// Gives the index for a class below the class count and a current index, the first time
    /// the pair occurs.
    using Resolve = std::function<std::uint8_t(std::uint8_t cls, std::uint8_t current)>;

    /// Classes from `classCount` on leave a character's index as it is.
    ClassStyleMap(std::size_t classCount, Resolve resolve);

    /// Replaces each of the `count` indexes by the one for its class and itself. Pairs met for
    /// the first time are resolved in the order of the characters, each after the characters
    /// before it were given their new index, as a walk one character at a time would.
    void apply(std::uint8_t* indexes, const std::uint8_t* classes, qsizetype count);

private:
    static constexpr std::uint16_t kUnknown = 0xFFFF;

    /// One character at a time, resolving pairs on the way.
    void applyEach(std::uint8_t* indexes, const std::uint8_t* classes, qsizetype count);
    /// From the start, the blocks whose characters all have the first one's index and whose
    /// pairs are all known: the new index then depends on the class alone. Returns how many
    /// characters it did.
    qsizetype applyUniform(std::uint8_t* indexes, const std::uint8_t* classes, qsizetype count);

    std::size_t classCount_;
    Resolve resolve_;
    /// The index of (class, current) at [row * 256 + current]; row classCount_ is the classes
    /// that keep the index.
    std::vector<std::uint16_t> result_;
};

} // namespace kelvane
