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
    const std::size_t keepRow = std::min<std::size_t>(classCount, 256);
    for (std::size_t v = 0; v < 256; ++v)
        result_[keepRow * 256 + v] = std::uint16_t(v);
    for (std::size_t c = 0; c < 256; ++c)
        rowOf_[c] = std::uint32_t(std::min(c, keepRow) * 256);
}

void ClassStyleMap::walk(std::uint8_t* indexes, const std::uint8_t* classes, qsizetype count) {
    // Locals, since the byte stores below could otherwise change anything reached by reference.
    std::uint16_t* const result = result_.data();
    const std::uint32_t* const rowOf = rowOf_.data();
    for (qsizetype k = 0; k < count; ++k) {
        const std::uint8_t cls = classes[k];
        const std::uint8_t current = indexes[k];
        std::uint16_t& slot = result[rowOf[cls] + current];
        if (slot == kUnknown) [[unlikely]]
            slot = resolve_(cls, current);
        indexes[k] = std::uint8_t(slot);
    }
}

void ClassStyleMap::applyEach(std::uint8_t* indexes, const std::uint8_t* classes, qsizetype count) {
    qsizetype k = 0;
#if defined(__SSE2__)
    // Sixteen look-ups at a time with no branch between them; a block that meets a new pair is
    // walked instead, so that pairs are still resolved in the order of the characters.
    const std::uint16_t* const result = result_.data();
    const std::uint32_t* const rowOf = rowOf_.data();
    const __m128i unknown = _mm_set1_epi16(short(kUnknown));
    for (; count - k >= kBlock; k += kBlock) {
        const std::uint8_t* const c = classes + k;
        const std::uint8_t* const v = indexes + k;
        const auto at = [=](int j) { return short(result[rowOf[c[j]] + v[j]]); };
        const __m128i low = _mm_setr_epi16(at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7));
        const __m128i high =
            _mm_setr_epi16(at(8), at(9), at(10), at(11), at(12), at(13), at(14), at(15));
        if (_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi16(low, unknown), _mm_cmpeq_epi16(high, unknown))) != 0) {
            walk(indexes + k, classes + k, kBlock);
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(indexes + k), _mm_packus_epi16(low, high));
    }
#endif
    walk(indexes + k, classes + k, count - k);
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
            const qsizetype uniform = applyUniform(indexes + k, classes + k, count - k);
            k += uniform;
            // Where indexes are mixed (a document coloured before), a few blocks go by before
            // the next look for one index.
            const qsizetype mixed = std::min(uniform > 0 ? kBlock : 4 * kBlock, count - k);
            applyEach(indexes + k, classes + k, mixed);
            k += mixed;
        }
    }
    applyEach(indexes + k, classes + k, count - k);
}

} // namespace kelvane
