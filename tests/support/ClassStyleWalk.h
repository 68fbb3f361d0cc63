// Colouring by class, checked against a walk one character at a time: the walk works out each
// (class, index) pair when it first meets it, after every earlier character. The answer for a
// pair depends on how many pairs came before it, so an order that differs shows. Shared by the
// class-to-style tests and their fuzz target.
#pragma once

#include "platform/text/ClassStyleMap.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace kelvane {

/// What each first meeting of a pair saw: the pair and all the indexes at that moment.
struct ClassStyleMeeting {
    std::uint8_t cls;
    std::uint8_t current;
    std::vector<std::uint8_t> indexes;
    bool operator==(const ClassStyleMeeting&) const = default;
};

struct ClassStyleResult {
    std::vector<std::uint8_t> indexes;
    std::vector<ClassStyleMeeting> meetings;
};

inline std::uint8_t classStyleAnswer(std::size_t meetings, std::uint8_t cls, std::uint8_t current) {
    return std::uint8_t(cls * 37u + current * 11u + meetings * 5u);
}

/// The walk over `indexes`: characters of a class at or past `classCount` are left alone.
inline ClassStyleResult walkClassStyles(const std::vector<std::uint8_t>& indexes,
                                        const std::vector<std::uint8_t>& classes,
                                        std::size_t classCount) {
    ClassStyleResult walk{indexes, {}};
    std::map<std::pair<int, int>, std::uint8_t> known;
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        if (classes[i] >= classCount)
            continue;
        const auto pair = std::make_pair(int(classes[i]), int(walk.indexes[i]));
        if (!known.contains(pair)) {
            walk.meetings.push_back({classes[i], walk.indexes[i], walk.indexes});
            known[pair] = classStyleAnswer(walk.meetings.size(), classes[i], walk.indexes[i]);
        }
        walk.indexes[i] = known[pair];
    }
    return walk;
}

/// ClassStyleMap over `indexes`, handed the range in two pieces cut at `cut`, as a gap buffer
/// hands it.
inline ClassStyleResult mapClassStyles(const std::vector<std::uint8_t>& indexes,
                                       const std::vector<std::uint8_t>& classes,
                                       std::size_t classCount, std::size_t cut) {
    ClassStyleResult mapped{indexes, {}};
    ClassStyleMap map(classCount, [&mapped](std::uint8_t cls, std::uint8_t current) {
        mapped.meetings.push_back({cls, current, mapped.indexes});
        return classStyleAnswer(mapped.meetings.size(), cls, current);
    });
    cut = std::min(cut, indexes.size());
    map.apply(mapped.indexes.data(), classes.data(), qsizetype(cut));
    map.apply(mapped.indexes.data() + cut, classes.data() + cut, qsizetype(indexes.size() - cut));
    return mapped;
}

} // namespace kelvane
