// Colouring by class: the block-at-a-time mapping gives every character the index a walk one
// character at a time gives, asks for new pairs in the same order and sees the same styles
// then; and through the document's styles, every character ends in its class's colour.
#include "platform/text/CharStyles.h"
#include "platform/text/ClassStyleMap.h"
#include "support/ClassStyleWalk.h"

#include <gtest/gtest.h>

#include <random>

using namespace kelvane;

namespace {

// Runs of one value, long and short, with stretches of noise between them.
std::vector<std::uint8_t> runs(std::mt19937& rng, std::size_t length, unsigned values) {
    std::vector<std::uint8_t> out;
    while (out.size() < length) {
        const auto value = std::uint8_t(rng() % values);
        if (rng() % 4 == 0) {
            for (unsigned k = rng() % 40; k > 0; --k)
                out.push_back(std::uint8_t(rng() % values));
        } else {
            out.insert(out.end(), rng() % 400, value);
        }
    }
    out.resize(length);
    return out;
}

} // namespace

TEST(ClassStyleMapTest, BlocksGiveWhatAWalkOneCharacterAtATimeGives) {
    std::mt19937 rng(7);
    for (const std::size_t classCount : {0u, 1u, 3u, 5u, 8u, 9u, 16u}) {
        const std::size_t length = 5000;
        const std::vector<std::uint8_t> before = runs(rng, length, 6);
        std::vector<std::uint8_t> classes = runs(rng, length, unsigned(classCount) + 3);
        for (std::uint8_t& c : classes)
            c = c == classCount + 2 ? 255 : c; // the class of characters a pass leaves alone

        const ClassStyleResult walk = walkClassStyles(before, classes, classCount);
        // The map over the whole range, and again cut in two pieces as a gap buffer hands it.
        for (const std::size_t cut : {length, std::size_t(1237)}) {
            const ClassStyleResult mapped = mapClassStyles(before, classes, classCount, cut);
            EXPECT_EQ(mapped.indexes, walk.indexes) << classCount << " classes, cut at " << cut;
            EXPECT_TRUE(mapped.meetings == walk.meetings)
                << classCount << " classes, cut at " << cut;
        }
    }
}

TEST(ClassStyleMapTest, EveryCharacterTakesItsClassColourAndKeepsTheRestOfItsStyle) {
    std::mt19937 rng(11);
    CharStyles styles;
    const qsizetype length = 20000;
    styles.reset(length);
    // Bold and italic stretches, and colours an earlier pass left.
    const std::vector<std::uint8_t> looks = runs(rng, std::size_t(length), 8);
    for (qsizetype i = 0; i < length;) {
        qsizetype end = i + 1;
        while (end < length && looks[std::size_t(end)] == looks[std::size_t(i)])
            ++end;
        const unsigned look = looks[std::size_t(i)];
        styles.restyle(i, end - i, [look](CharStyle& s) {
            s.bold = look & 1;
            s.italic = look & 2;
            s.hasColour = look & 4;
            s.colour = s.hasColour ? 0x0000AA : 0;
        });
        i = end;
    }
    styles.prepareEditAt(length / 3, length); // the range is held in two pieces
    std::vector<CharStyle> before;
    for (qsizetype i = 0; i < length; ++i)
        before.push_back(styles.styleAt(i));

    const std::vector<WinColour> colours{kWindowTextColour, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    std::vector<std::uint8_t> classes = runs(rng, std::size_t(length), 7);
    for (std::uint8_t& c : classes)
        c = c == 6 ? 255 : c;
    styles.colourByClass(0, classes.data(), length, colours);

    for (qsizetype i = 0; i < length; ++i) {
        CharStyle expected = before[std::size_t(i)];
        if (const std::uint8_t c = classes[std::size_t(i)]; c < colours.size()) {
            expected.hasColour = colours[c] != kWindowTextColour;
            expected.colour = expected.hasColour ? colours[c] : 0;
        }
        ASSERT_EQ(styles.styleAt(i), expected) << "character " << i;
    }
}
