// Mapping colour classes to style indexes, a block of characters at a time where it can.
#include "platform/text/ClassStyleMap.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvane {

namespace {

constexpr qsizetype kBlock = 16;
// With more classes than this, a block costs more to test than to walk.
constexpr std::size_t kBlockClasses = 8;

} // namespace

ClassStyleMap::ClassStyleMap(std::size_t classCount, Resolve resolve)
    : classCount_(classCount), resolve_(std::move(resolve)),
      result_((std::min<std::size_t>(classCount, 256) + 1) * 256, kUnknown) {
    const std::size_t keep = std::min<std::size_t>(classCount, 256) * 256;
    for (std::size_t v = 0; v < 256; ++v)
        result_[keep + v] = std::uint16_t(v);
}

void ClassStyleMap::applyEach(std::uint8_t* indexes, const std::uint8_t* classes, qsizetype count) {
    // Locals, since the byte stores below could otherwise change anything reached by reference.
    std::uint16_t* const result = result_.data();
    const auto keepRow = unsigned(std::min<std::size_t>(classCount_, 256));
    for (qsizetype k = 0; k < count; ++k) {
        const std::uint8_t cls = classes[k];
        const std::uint8_t current = indexes[k];
        std::uint16_t& slot = result[std::min<unsigned>(cls, keepRow) * 256u + current];
        if (slot == kUnknown) [[unlikely]]
            slot = resolve_(cls, current);
        indexes[k] = std::uint8_t(slot);
    }
}

qsizetype ClassStyleMap::applyUniform(std::uint8_t* indexes, const std::uint8_t* classes,
                                      qsizetype count) {
#if defined(__SSE2__)
    const std::uint8_t current = indexes[0];
    const __m128i same = _mm_set1_epi8(char(current));
    const auto uniform = [same](const std::uint8_t* p) {
        return _mm_movemask_epi8(_mm_cmpeq_epi8(
                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), same)) == 0xFFFF;
    };
    if (count < kBlock || !uniform(indexes))
        return 0;
    // Per class: sixteen copies of the class, of its new index and of whether that is known.
    const std::size_t n = classCount_;
    __m128i classOf[kBlockClasses];
    __m128i indexOf[kBlockClasses];
    __m128i knownOf[kBlockClasses];
    bool allKnown = true;
    for (std::size_t c = 0; c < n; ++c) {
        const std::uint16_t slot = result_[c * 256 + current];
        classOf[c] = _mm_set1_epi8(char(c));
        indexOf[c] = _mm_set1_epi8(char(slot));
        knownOf[c] = slot == kUnknown ? _mm_setzero_si128() : _mm_set1_epi8(char(0xFF));
        allKnown = allKnown && slot != kUnknown;
    }
    qsizetype k = 0;
    for (; count - k >= kBlock && uniform(indexes + k); k += kBlock) {
        const __m128i cls = _mm_loadu_si128(reinterpret_cast<const __m128i*>(classes + k));
        __m128i out = same; // classes past the last keep the index
        __m128i unknown = _mm_setzero_si128();
        for (std::size_t c = 0; c < n; ++c) {
            const __m128i is = _mm_cmpeq_epi8(cls, classOf[c]);
            out = _mm_or_si128(_mm_and_si128(is, indexOf[c]), _mm_andnot_si128(is, out));
            if (!allKnown)
                unknown = _mm_or_si128(unknown, _mm_andnot_si128(knownOf[c], is));
        }
        // A pair met for the first time is resolved in the order of the characters.
        if (_mm_movemask_epi8(unknown) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(indexes + k), out);
    }
    return k;
#else
    Q_UNUSED(indexes);
    Q_UNUSED(classes);
    Q_UNUSED(count);
    return 0;
#endif
}

void ClassStyleMap::apply(std::uint8_t* indexes, const std::uint8_t* classes, qsizetype count) {
    if (classCount_ == 0)
        return; // every class keeps the index
    qsizetype k = 0;
    if (classCount_ <= kBlockClasses) {
        // Fresh styles, and most of a document in one font, are long stretches of one index.
        while (count - k >= kBlock) {
            k += applyUniform(indexes + k, classes + k, count - k);
            const qsizetype walk = std::min(kBlock, count - k);
            applyEach(indexes + k, classes + k, walk);
            k += walk;
        }
    }
    applyEach(indexes + k, classes + k, count - k);
}

} // namespace kelvane
