// Line starts with a pending shift after the last edit.
#include "platform/text/LineIndex.h"

#include <algorithm>
#include <vector>

namespace kelvane {

qsizetype LineIndex::lineStart(qsizetype line) const {
    if (line == 0)
        return 0;
    if (line < 0 || line >= lineCount())
        return -1;
    return startAt(line - 1);
}

qsizetype LineIndex::firstEntryAfter(qsizetype position) const {
    qsizetype low = 0;
    qsizetype high = starts_.size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (startAt(mid) <= position)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

qsizetype LineIndex::lineOf(qsizetype position) const {
    // Line n starts at entry n - 1; the line of a position is the number of starts at or
    // before it.
    return firstEntryAfter(position);
}

void LineIndex::clear(qsizetype expectedBreaks) {
    expectedBreaks = std::max<qsizetype>(expectedBreaks, 0);
    starts_.reset(
        expectedBreaks > 0 ? expectedBreaks + GapBuffer<qsizetype>::spareFor(expectedBreaks) : 0);
    step_ = -1;
    shift_ = 0;
}

void LineIndex::appendBreaksOf(QStringView text, qsizetype position) {
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
        if (p[i] == u'\n')
            appendLineStart(position + i + 1);
}

void LineIndex::moveStep(qsizetype entry) {
    entry = std::clamp<qsizetype>(entry, -1, starts_.size() - 1);
    if (shift_ == 0) {
        step_ = entry;
        return;
    }
    if (entry > step_) {
        for (qsizetype i = step_ + 1; i <= entry; ++i)
            starts_[i] += shift_;
    } else {
        for (qsizetype i = entry + 1; i <= step_; ++i)
            starts_[i] -= shift_;
    }
    step_ = entry;
    if (step_ == starts_.size() - 1)
        shift_ = 0; // no entry is left to receive it
}

bool LineIndex::prepareEditAt(qsizetype position, qsizetype limit) {
    limit = std::max<qsizetype>(limit, 0);
    // An edit at `position` settles the entries up to the line holding it and puts new lines
    // after them.
    const qsizetype first = firstEntryAfter(position);
    const qsizetype settled = first - 1;
    if (shift_ != 0 && settled > step_)
        moveStep(std::min(settled, step_ + limit));
    else if (shift_ != 0 && settled < step_)
        moveStep(std::max(settled, step_ - limit));
    const bool stepThere = shift_ == 0 || step_ == settled;
    return starts_.moveGapToward(first, limit) && stepThere;
}

void LineIndex::replace(qsizetype from, qsizetype removed, QStringView inserted) {
    // Lines starting inside the removed range lose their start: their break was removed.
    const qsizetype first = firstEntryAfter(from);
    const qsizetype end = removed > 0 ? firstEntryAfter(from + removed) : first;
    moveStep(first - 1);
    starts_.remove(first, end - first);

    std::vector<qsizetype> added;
    const char16_t* p = inserted.utf16();
    for (qsizetype i = 0; i < inserted.size(); ++i)
        if (p[i] == u'\n')
            added.push_back(from + i + 1 - shift_);
    if (!added.empty())
        starts_.insert(first, added.data(), qsizetype(added.size()));

    // Every later line moves by the change in length; the step carries it lazily.
    const qsizetype delta = inserted.size() - removed;
    const qsizetype lastNew = first + qsizetype(added.size()) - 1;
    if (delta != 0 && lastNew + 1 < starts_.size()) {
        moveStep(lastNew);
        shift_ += delta;
    }
}

} // namespace kelvane
