// Line starts with a pending shift after the last edit, four or eight bytes each.
#include "platform/text/LineIndex.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>

namespace kelvane {

namespace {

// Where the next '\n' is in [p, end), or end: four units at a time, since most characters of
// a long line are not breaks.
const char16_t* nextBreak(const char16_t* p, const char16_t* end) {
    constexpr std::uint64_t kOnes = 0x0001000100010001u;
    constexpr std::uint64_t kHigh = 0x8000800080008000u;
    constexpr std::uint64_t kBreaks = kOnes * u'\n';
    while (end - p >= 4) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t x = word ^ kBreaks; // a unit that is '\n' is zero now
        if ((x - kOnes) & ~x & kHigh)
            break;
        p += 4;
    }
    while (p < end && *p != u'\n')
        ++p;
    return p;
}

// The same for text of one byte per character.
const char* nextBreak(const char* p, const char* end) {
    const void* found = p < end ? std::memchr(p, '\n', std::size_t(end - p)) : nullptr;
    return found ? static_cast<const char*>(found) : end;
}

} // namespace

qsizetype LineIndex::lineStart(qsizetype line) const {
    if (line == 0)
        return 0;
    if (line < 0 || line >= lineCount())
        return -1;
    return withStarts([&](const auto& starts) { return startAt(starts, line - 1); });
}

template <typename Entry>
qsizetype LineIndex::firstEntryAfter(const GapBuffer<Entry>& starts, qsizetype position) const {
    qsizetype low = 0;
    qsizetype high = starts.size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (startAt(starts, mid) <= position)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

qsizetype LineIndex::lineOf(qsizetype position) const {
    // Line n starts at entry n - 1; the line of a position is the number of starts at or
    // before it.
    return withStarts([&](const auto& starts) { return firstEntryAfter(starts, position); });
}

void LineIndex::clear(qsizetype expectedBreaks) {
    expectedBreaks = std::max<qsizetype>(expectedBreaks, 0);
    wide_ = false;
    wideStarts_.reset();
    narrowStarts_.reset(
        expectedBreaks > 0 ? expectedBreaks + GapBuffer<Narrow>::spareFor(expectedBreaks) : 0);
    step_ = -1;
    shift_ = 0;
}

void LineIndex::holdPositionsUpTo(qsizetype length) {
    if (wide_ || length <= qsizetype(std::numeric_limits<Narrow>::max()))
        return;
    // Every entry takes its real position in eight bytes; nothing is pending any more.
    const qsizetype count = narrowStarts_.size();
    wideStarts_.reset(count + GapBuffer<qsizetype>::spareFor(count));
    for (qsizetype entry = 0; entry < count; ++entry)
        wideStarts_.append(startAt(narrowStarts_, entry));
    narrowStarts_.reset();
    wide_ = true;
    step_ = count - 1;
    shift_ = 0;
}

void LineIndex::appendLineStart(qsizetype position) {
    withStarts([&](auto& starts) {
        using Entry = std::remove_cvref_t<decltype(starts.at(0))>;
        starts.append(Entry(position - shift_));
    });
}

void LineIndex::appendBreaksOf(QStringView text, qsizetype position) {
    appendBreaksIn(text.utf16(), text.size(), position);
}

void LineIndex::appendBreaksOf(QLatin1StringView text, qsizetype position) {
    appendBreaksIn(text.data(), text.size(), position);
}

template <typename Unit>
void LineIndex::appendBreaksIn(const Unit* begin, qsizetype count, qsizetype position) {
    holdPositionsUpTo(position + count);
    const Unit* const end = begin + count;
    for (const Unit* p = nextBreak(begin, end); p < end; p = nextBreak(p + 1, end))
        appendLineStart(position + (p - begin) + 1);
}

template <typename Entry> void LineIndex::moveStep(GapBuffer<Entry>& starts, qsizetype entry) {
    entry = std::clamp<qsizetype>(entry, -1, starts.size() - 1);
    if (shift_ == 0) {
        step_ = entry;
        return;
    }
    if (entry > step_) {
        for (qsizetype i = step_ + 1; i <= entry; ++i)
            starts[i] += Entry(shift_);
    } else {
        for (qsizetype i = entry + 1; i <= step_; ++i)
            starts[i] -= Entry(shift_);
    }
    step_ = entry;
    if (step_ == starts.size() - 1)
        shift_ = 0; // no entry is left to receive it
}

bool LineIndex::prepareEditAt(qsizetype position, qsizetype limit) {
    limit = std::max<qsizetype>(limit, 0);
    return withStarts([&](auto& starts) {
        // An edit at `position` settles the entries up to the line holding it and puts new
        // lines after them.
        const qsizetype first = firstEntryAfter(starts, position);
        const qsizetype settled = first - 1;
        if (shift_ != 0 && settled > step_)
            moveStep(starts, std::min(settled, step_ + limit));
        else if (shift_ != 0 && settled < step_)
            moveStep(starts, std::max(settled, step_ - limit));
        const bool stepThere = shift_ == 0 || step_ == settled;
        return starts.moveGapToward(first, limit) && stepThere;
    });
}

void LineIndex::replace(qsizetype from, qsizetype removed, QStringView inserted) {
    withStarts(
        [&](auto& starts) { replaceIn(starts, from, removed, inserted.utf16(), inserted.size()); });
}

void LineIndex::replace(qsizetype from, qsizetype removed, QLatin1StringView inserted) {
    withStarts(
        [&](auto& starts) { replaceIn(starts, from, removed, inserted.data(), inserted.size()); });
}

template <typename Entry, typename Unit>
void LineIndex::replaceIn(GapBuffer<Entry>& starts, qsizetype from, qsizetype removed,
                          const Unit* begin, qsizetype count) {
    // Lines starting inside the removed range lose their start: their break was removed.
    const qsizetype first = firstEntryAfter(starts, from);
    const qsizetype end = removed > 0 ? firstEntryAfter(starts, from + removed) : first;
    moveStep(starts, first - 1);
    starts.remove(first, end - first);

    // The new starts go straight into the index: a replacement of a whole long text makes
    // millions of them, which a list of their own would hold twice.
    const Unit* const stop = begin + count;
    qsizetype added = 0;
    for (const Unit* p = nextBreak(begin, stop); p < stop; p = nextBreak(p + 1, stop))
        ++added;
    if (added > 0) {
        starts.replaceWith(first, 0, added, Entry(0));
        qsizetype entry = first;
        for (const Unit* p = nextBreak(begin, stop); p < stop; p = nextBreak(p + 1, stop))
            starts[entry++] = Entry(from + (p - begin) + 1 - shift_);
    }

    // Every later line moves by the change in length; the step carries it lazily.
    const qsizetype delta = count - removed;
    const qsizetype lastNew = first + added - 1;
    if (delta != 0 && lastNew + 1 < starts.size()) {
        moveStep(starts, lastNew);
        shift_ += delta;
    }
}

void LineIndex::shrink() {
    withStarts([](auto& starts) { starts.shrink(); });
}

qsizetype LineIndex::memoryBytes() const {
    return narrowStarts_.capacity() * qsizetype(sizeof(Narrow)) +
           wideStarts_.capacity() * qsizetype(sizeof(qsizetype));
}

} // namespace kelvane
