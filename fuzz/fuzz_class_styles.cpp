// Colouring by class over any styles and classes: the block-at-a-time mapping gives the indexes
// a walk one character at a time gives, meeting new pairs in the same order with the same
// indexes in place.
#include "FuzzSupport.h"
#include "support/ClassStyleWalk.h"

#include <vector>

using namespace kelvane;
using fuzz::require;

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
    const ClassStyleResult walk = walkClassStyles(indexes, classes, classCount);
    const ClassStyleResult mapped = mapClassStyles(indexes, classes, classCount, cut);
    require(mapped.indexes == walk.indexes, "every character takes the index a walk gives it");
    require(mapped.meetings == walk.meetings,
            "new pairs are met in the walk's order, in the same state");
    return 0;
}
