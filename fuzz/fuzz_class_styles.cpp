// Colouring by class over any styles and classes: the block-at-a-time mapping gives the indexes
// a walk one character at a time gives, meeting new pairs in the same order with the same
// indexes in place.
#include "FuzzSupport.h"
#include "platform/text/ClassStyleMap.h"

#include <map>
#include <vector>

using namespace kelvane;
using fuzz::require;

namespace {

struct Meeting {
    std::uint8_t cls;
    std::uint8_t current;
    std::vector<std::uint8_t> indexes;
    bool operator==(const Meeting&) const = default;
};

std::uint8_t answer(std::size_t meetings, std::uint8_t cls, std::uint8_t current) {
    return std::uint8_t(cls * 37u + current * 11u + meetings * 5u);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t classCount = data[0] % 12;
    const std::size_t cut = data[1];
    // Runs of (index, class, length): small alphabets, so that blocks of one index occur.
    std::vector<std::uint8_t> indexes;
    std::vector<std::uint8_t> classes;
    for (std::size_t at = 2; at + 2 < size && indexes.size() < 4096; at += 3) {
        const auto index = std::uint8_t(data[at] % 8);
        const unsigned c = data[at + 1] % unsigned(classCount + 3);
        const auto cls = std::uint8_t(c == classCount + 2 ? 255 : c);
        const std::size_t run = 1 + data[at + 2] % 48;
        indexes.insert(indexes.end(), run, index);
        classes.insert(classes.end(), run, cls);
    }
    const std::size_t length = indexes.size();

    std::vector<std::uint8_t> walked = indexes;
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

    std::vector<std::uint8_t> mapped = indexes;
    std::vector<Meeting> meetings;
    ClassStyleMap map(classCount, [&](std::uint8_t cls, std::uint8_t current) {
        meetings.push_back({cls, current, mapped});
        return answer(meetings.size(), cls, current);
    });
    const std::size_t first = std::min(cut, length);
    map.apply(mapped.data(), classes.data(), qsizetype(first));
    map.apply(mapped.data() + first, classes.data() + first, qsizetype(length - first));
    require(mapped == walked, "every character takes the index a walk gives it");
    require(meetings == walkMeetings, "new pairs are met in the walk's order, in the same state");
    return 0;
}
