// Multi-word search automaton (Aho-Corasick, as a dense table) for the keyword pass.
#include "document/KeywordAutomaton.h"

#include "document/KeywordList.h"

#include <QHash>

#include <algorithm>
#include <stdexcept>

namespace kelvane {

KeywordAutomaton::KeywordAutomaton(const std::vector<Word>& words, bool caseSensitive,
                                   QStringView extra)
    : classes_(0x10000, 0) {
    const auto fold = [caseSensitive](char16_t c) {
        return caseSensitive ? c : foldKeywordChar(c);
    };

    // Class of each (folded) character: the extra characters first, then the words' characters.
    std::vector<std::uint16_t> classOfFolded(0x10000, 0);
    std::uint32_t classCount = 1;
    for (const QChar c : extra)
        if (classOfFolded[c.unicode()] == 0)
            classOfFolded[c.unicode()] = std::uint16_t(classCount++);
    for (const Word& word : words)
        for (const QChar c : word.text) {
            const char16_t f = fold(c.unicode());
            if (classOfFolded[f] == 0) {
                if (classCount == 0x10000)
                    throw std::length_error("too many distinct keyword characters");
                classOfFolded[f] = std::uint16_t(classCount++);
            }
        }
    for (std::uint32_t c = 0; c < 0x10000; ++c)
        classes_[c] = classOfFolded[fold(char16_t(c))];

    shift_ = 0;
    while ((1u << shift_) < classCount)
        ++shift_;
    const std::uint32_t stride = 1u << shift_;

    // The trie of the words, with -1 for a missing edge.
    std::size_t totalLength = 0;
    for (const Word& word : words)
        totalLength += std::size_t(word.text.size());
    constexpr std::int64_t None = -1;
    std::vector<std::int64_t> edge;
    edge.reserve((totalLength + 1) * stride);
    edge.assign(stride, None);
    std::vector<std::vector<std::uint32_t>> own(1);
    std::size_t stateCount = 1;
    for (std::uint32_t w = 0; w < words.size(); ++w) {
        std::size_t state = 0;
        for (const QChar c : words[w].text) {
            const std::uint32_t cls = classOfFolded[fold(c.unicode())];
            if (edge[state * stride + cls] == None) {
                edge[state * stride + cls] = std::int64_t(stateCount++);
                edge.resize(stateCount * stride, None);
                own.emplace_back();
            }
            state = std::size_t(edge[state * stride + cls]);
        }
        own[state].push_back(w);
        wordLengths_.push_back(std::uint32_t(words[w].text.size()));
        wordColours_.push_back(words[w].colour);
        maxLength_ = std::max(maxLength_, words[w].text.size());
    }
    if ((stateCount << shift_) > RowMask)
        throw std::length_error("keyword lists too large");

    // Breadth-first: failure links, full transitions and the words each state ends.
    std::vector<std::uint32_t> fail(stateCount, 0);
    std::vector<std::vector<std::uint32_t>> out = std::move(own);
    std::vector<std::uint32_t> queue;
    queue.reserve(stateCount);
    for (std::uint32_t cls = 0; cls < stride; ++cls) {
        std::int64_t& next = edge[cls];
        if (next == None) {
            next = 0;
        } else {
            fail[std::size_t(next)] = 0;
            queue.push_back(std::uint32_t(next));
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t state = queue[head];
        const std::vector<std::uint32_t>& inherited = out[fail[state]];
        out[state].insert(out[state].end(), inherited.begin(), inherited.end());
        for (std::uint32_t cls = 0; cls < stride; ++cls) {
            std::int64_t& next = edge[std::size_t(state) * stride + cls];
            const std::int64_t viaFail = edge[std::size_t(fail[state]) * stride + cls];
            if (next == None) {
                next = viaFail;
            } else {
                fail[std::size_t(next)] = std::uint32_t(viaFail);
                queue.push_back(std::uint32_t(next));
            }
        }
    }

    const auto extraClasses = std::uint32_t(extra.size());
    table_.resize(edge.size());
    for (std::size_t i = 0; i < edge.size(); ++i) {
        const auto next = std::uint32_t(edge[i]);
        const std::uint32_t cls = std::uint32_t(i) & (stride - 1);
        table_[i] = (next << shift_) | (out[next].empty() ? 0u : OutputFlag) |
                    (cls >= 1 && cls <= extraClasses ? ExtraFlag : 0u);
    }
    outputStart_.reserve(stateCount + 1);
    for (const std::vector<std::uint32_t>& ends : out) {
        outputStart_.push_back(std::uint32_t(outputs_.size()));
        outputs_.insert(outputs_.end(), ends.begin(), ends.end());
    }
    outputStart_.push_back(std::uint32_t(outputs_.size()));
}

} // namespace kelvane
