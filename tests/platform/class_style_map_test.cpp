// Colouring by class: the block-at-a-time mapping gives every character the index a walk one
// character at a time gives, asks for new pairs in the same order and sees the same styles
// then; and through the document's styles, every character ends in its class's colour.
#include "platform/text/CharStyles.h"
#include "platform/text/ClassStyleMap.h"

#include <gtest/gtest.h>

#include <map>
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

// What each first meeting of a pair saw: the pair and all the indexes at that moment.
struct Meeting {
    std::uint8_t cls;
    std::uint8_t current;
    std::vector<std::uint8_t> indexes;
    bool operator==(const Meeting&) const = default;
};

// The answer for a pair depends on how many came before it, so an order that differs shows.
std::uint8_t answer(std::size_t meetings, std::uint8_t cls, std::uint8_t current) {
    return std::uint8_t(cls * 37u + current * 11u + meetings * 5u);
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

        // The walk: each pair is worked out when first met, after every earlier character.
        std::vector<std::uint8_t> walked = before;
        std::vector<Meeting> walkMeetings;
        std::map<std::pair<int, int>, std::uint8_t> known;
        for (std::size_t i = 0; i < length; ++i) {
            if (classes[i] >= classCount)
                continue;
            const auto pair = std::make_pair(int(classes[i]), int(walked[i]));
            if (!known.contains(pair)) {
                walkMeetings.push_back({classes[i], walked[i], walked});
                known[pair] = answer(walkMeetings.size(), classes[i], walked[i]);
            }
            walked[i] = known[pair];
        }

        // The map over the whole range, and again cut in two pieces as a gap buffer hands it.
        for (const std::size_t cut : {length, std::size_t(1237)}) {
            std::vector<std::uint8_t> mapped = before;
            std::vector<Meeting> meetings;
            ClassStyleMap map(classCount, [&](std::uint8_t cls, std::uint8_t current) {
                meetings.push_back({cls, current, mapped});
                return answer(meetings.size(), cls, current);
            });
            map.apply(mapped.data(), classes.data(), qsizetype(cut));
            map.apply(mapped.data() + cut, classes.data() + cut, qsizetype(length - cut));
            EXPECT_EQ(mapped, walked) << classCount << " classes, cut at " << cut;
            EXPECT_TRUE(meetings == walkMeetings) << classCount << " classes, cut at " << cut;
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
