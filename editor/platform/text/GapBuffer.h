// A sequence of trivially copyable values with a movable gap, so that edits near the last edit
// cost little however long the sequence is. Holds the text of a document, its line starts and
// the style index of each character.
#pragma once

#include "platform/text/SystemPages.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

namespace kelvane {

template <typename T> class GapBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GapBuffer() = default;
    GapBuffer(const GapBuffer&) = delete;
    GapBuffer& operator=(const GapBuffer&) = delete;
    GapBuffer(GapBuffer&&) noexcept = default;
    GapBuffer& operator=(GapBuffer&&) noexcept = default;

    qsizetype size() const { return capacity_ - gapLength(); }
    bool empty() const { return size() == 0; }
    qsizetype capacity() const { return capacity_; }

    T at(qsizetype index) const {
        return index < gapStart_ ? data_[index] : data_[index + gapLength()];
    }
    T& operator[](qsizetype index) {
        return index < gapStart_ ? data_[index] : data_[index + gapLength()];
    }

    /// Forgets every value and keeps room for `capacity` values.
    void reset(qsizetype capacity = 0) {
        data_ = allocate(capacity, false);
        capacity_ = capacity;
        gapStart_ = 0;
        gapEnd_ = capacity;
    }
    /// Forgets every value and holds `count` zero values, with room for `capacity` in all. The
    /// zeros come from the system's zeroed memory: a large buffer's pages cost nothing until
    /// they are first written.
    void resetZeroed(qsizetype count, qsizetype capacity) {
        capacity = std::max(capacity, count);
        data_ = allocate(capacity, true);
        capacity_ = capacity;
        gapStart_ = count;
        gapEnd_ = capacity;
    }

    /// Removes `removed` values at `from` and puts `count` values from `values` there.
    void replace(qsizetype from, qsizetype removed, const T* values, qsizetype count) {
        replaceFilled(from, removed, count, [values, count](T* out) {
            if (count > 0)
                std::memcpy(out, values, size_t(count) * sizeof(T));
        });
    }
    /// Removes `removed` values at `from` and makes room for `count` there, which fill(out)
    /// writes in place (values converted from another form need no copy in between).
    template <typename Fill>
    void replaceFilled(qsizetype from, qsizetype removed, qsizetype count, Fill&& fill) {
        from = std::clamp<qsizetype>(from, 0, size());
        removed = std::clamp<qsizetype>(removed, 0, size() - from);
        count = std::max<qsizetype>(count, 0);
        if (removed == 0 && count == 0)
            return; // nothing changes: the gap stays where it is, however far away
        moveGap(from);
        gapEnd_ += removed;
        ensureGap(count);
        fill(data_.get() + gapStart_);
        gapStart_ += count;
    }
    /// Removes `removed` values at `from` and puts `count` copies of `value` there.
    void replaceWith(qsizetype from, qsizetype removed, qsizetype count, T value) {
        from = std::clamp<qsizetype>(from, 0, size());
        removed = std::clamp<qsizetype>(removed, 0, size() - from);
        count = std::max<qsizetype>(count, 0);
        moveGap(from);
        gapEnd_ += removed;
        ensureGap(count);
        std::fill_n(data_.get() + gapStart_, count, value);
        gapStart_ += count;
    }
    void insert(qsizetype at, const T* values, qsizetype count) { replace(at, 0, values, count); }
    void insert(qsizetype at, T value) { replace(at, 0, &value, 1); }
    void remove(qsizetype from, qsizetype count) { replace(from, count, nullptr, 0); }
    /// Appends at the end; the gap stays at the end, so a run of appends never moves values.
    void append(const T* values, qsizetype count) { replace(size(), 0, values, count); }
    void append(T value) { replace(size(), 0, &value, 1); }
    /// Room for at least `count` values after the last one, to be written in place and then
    /// taken in with appended(): a loader fills the buffer without a copy in between.
    T* appendRoom(qsizetype count) {
        moveGap(size());
        ensureGap(count);
        return data_.get() + gapStart_;
    }
    /// The first `count` values of the room appendRoom() gave are now part of the sequence.
    void appended(qsizetype count) { gapStart_ += std::clamp<qsizetype>(count, 0, gapLength()); }

    /// Makes several replacements in one pass over the values: each piece (fields `at`,
    /// `removed`, `inserted`; ascending, not overlapping, positions before any of them) has its
    /// `removed` values replaced by `inserted` ones, which fill(piece index, offset among all
    /// inserted values, out, count) writes. Works in place unless the pieces both grow and
    /// shrink the values, so no second copy is made of a long sequence.
    template <typename Pieces, typename Fill> void replaceEach(const Pieces& pieces, Fill&& fill) {
        if (pieces.empty())
            return;
        moveGap(size());
        const qsizetype count = size();
        qsizetype delta = 0;
        qsizetype allInserted = 0;
        bool neverLonger = true;  // every prefix of the pieces shrinks or keeps the length
        bool neverShorter = true; // every prefix grows or keeps it
        for (const auto& piece : pieces) {
            delta += piece.inserted - piece.removed;
            allInserted += piece.inserted;
            neverLonger = neverLonger && delta <= 0;
            neverShorter = neverShorter && delta >= 0;
        }
        const qsizetype newCount = count + delta;
        if (neverLonger) {
            // Written values never pass the values still to be read.
            spliceForward(pieces, fill, data_.get(), data_.get(), count);
        } else if (neverShorter) {
            ensureGap(delta);
            // From the end: written values stay behind the values still to be read.
            T* const d = data_.get();
            qsizetype write = newCount;
            qsizetype read = count;
            qsizetype offset = allInserted;
            for (std::size_t i = pieces.size(); i-- > 0;) {
                const auto& piece = pieces[i];
                const qsizetype keptFrom = piece.at + piece.removed;
                write -= read - keptFrom;
                std::memmove(d + write, d + keptFrom, size_t(read - keptFrom) * sizeof(T));
                offset -= piece.inserted;
                write -= piece.inserted;
                fill(i, offset, d + write, qsizetype(piece.inserted));
                read = piece.at;
            }
        } else {
            const qsizetype capacity = newCount + spareFor(newCount);
            Storage rebuilt = allocate(capacity, false);
            spliceForward(pieces, fill, rebuilt.get(), data_.get(), count);
            data_ = std::move(rebuilt);
            capacity_ = capacity;
        }
        gapStart_ = newCount;
        gapEnd_ = capacity_;
    }

    /// Copies the values of [from, from + count) out.
    void read(qsizetype from, qsizetype count, T* out) const {
        forPieces(from, count, [&out](const T* p, qsizetype n) {
            std::memcpy(out, p, size_t(n) * sizeof(T));
            out += n;
        });
    }

    /// Calls f(pointer, count) for the one or two stored pieces of [from, from + count); never
    /// for an empty piece, so f may hand its pointer to memcpy and the like.
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f) const {
        const_cast<GapBuffer*>(this)->forPieces(
            from, count, [&f](T* p, qsizetype n) { f(static_cast<const T*>(p), n); });
    }
    /// As above, with the values open to change in place.
    template <typename F> void forPieces(qsizetype from, qsizetype count, F&& f) {
        from = std::clamp<qsizetype>(from, 0, size());
        count = std::clamp<qsizetype>(count, 0, size() - from);
        const qsizetype end = from + count;
        if (from < gapStart_ && from < end) {
            const qsizetype firstEnd = std::min(end, gapStart_);
            f(data_.get() + from, firstEnd - from);
        }
        if (end > gapStart_ && end > from) {
            const qsizetype start = std::max(from, gapStart_);
            f(data_.get() + start + gapLength(), end - start);
        }
    }

    /// Moves the gap out of [from, from + count) and returns a pointer to its values.
    const T* contiguous(qsizetype from, qsizetype count) {
        from = std::clamp<qsizetype>(from, 0, size());
        count = std::clamp<qsizetype>(count, 0, size() - from);
        if (from < gapStart_ && from + count > gapStart_)
            moveGap(from + count);
        return from < gapStart_ ? data_.get() + from : data_.get() + from + gapLength();
    }

    /// Moves the gap at most `limit` values toward `position`; true once it is there. A long
    /// move made this way in slices leaves nothing to move for the edit that follows.
    bool moveGapToward(qsizetype position, qsizetype limit) {
        position = std::clamp<qsizetype>(position, 0, size());
        limit = std::max<qsizetype>(limit, 0);
        if (position < gapStart_)
            moveGap(std::max(position, gapStart_ - limit));
        else if (position > gapStart_)
            moveGap(std::min(position, gapStart_ + limit));
        return gapStart_ == position;
    }

    /// Room for an edit of a typical size after loading, without a copy on the first key.
    static qsizetype spareFor(qsizetype count) { return std::max(kMinimumGap, count / 64); }
    /// Gives back memory when the gap is much larger than an edit needs (a text decoded to
    /// far fewer characters than the room reserved for it).
    void shrink() {
        if (gapLength() > size() / 4 + kMinimumGap)
            reallocate(spareFor(size()));
    }

private:
    static constexpr qsizetype kMinimumGap = 1024;

    struct Release {
        std::size_t mapped = 0;
        void operator()(T* values) const { releasePages(values, mapped); }
    };
    using Storage = std::unique_ptr<T[], Release>;

    static Storage allocate(qsizetype count, bool zeroed) {
        if (count <= 0)
            return Storage();
        std::size_t mapped = 0;
        void* values = allocatePages(size_t(count) * sizeof(T), zeroed, mapped);
        if (!values)
            throw std::bad_alloc();
        return Storage(static_cast<T*>(values), Release{mapped});
    }

    qsizetype gapLength() const { return gapEnd_ - gapStart_; }

    template <typename Pieces, typename Fill>
    static void spliceForward(const Pieces& pieces, Fill& fill, T* out, const T* in,
                              qsizetype count) {
        qsizetype read = 0;
        qsizetype write = 0;
        qsizetype offset = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const auto& piece = pieces[i];
            std::memmove(out + write, in + read, size_t(piece.at - read) * sizeof(T));
            write += piece.at - read;
            fill(i, offset, out + write, qsizetype(piece.inserted));
            write += piece.inserted;
            offset += piece.inserted;
            read = piece.at + piece.removed;
        }
        std::memmove(out + write, in + read, size_t(count - read) * sizeof(T));
    }

    void moveGap(qsizetype position) {
        if (position < gapStart_) {
            const qsizetype moved = gapStart_ - position;
            std::memmove(data_.get() + gapEnd_ - moved, data_.get() + position,
                         size_t(moved) * sizeof(T));
            gapStart_ -= moved;
            gapEnd_ -= moved;
        } else if (position > gapStart_) {
            const qsizetype moved = position - gapStart_;
            std::memmove(data_.get() + gapStart_, data_.get() + gapEnd_, size_t(moved) * sizeof(T));
            gapStart_ += moved;
            gapEnd_ += moved;
        }
    }

    void ensureGap(qsizetype needed) {
        if (gapLength() >= needed)
            return;
        // Grow by an eighth: large documents should not double their footprint on one edit.
        reallocate(std::max<qsizetype>({needed, size() / 8, kMinimumGap}));
    }

    void reallocate(qsizetype gap) {
        const qsizetype logical = size();
        const qsizetype tail = capacity_ - gapEnd_;
        Storage grown = allocate(logical + gap, false);
        if (gapStart_ > 0)
            std::memcpy(grown.get(), data_.get(), size_t(gapStart_) * sizeof(T));
        if (tail > 0)
            std::memcpy(grown.get() + gapStart_ + gap, data_.get() + gapEnd_,
                        size_t(tail) * sizeof(T));
        data_ = std::move(grown);
        capacity_ = logical + gap;
        gapEnd_ = gapStart_ + gap;
    }

    Storage data_;
    qsizetype capacity_ = 0;
    qsizetype gapStart_ = 0;
    qsizetype gapEnd_ = 0;
};

} // namespace kelvane
