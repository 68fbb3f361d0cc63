// The nine delimiter kinds ("bracers") and a scanner that finds their runs in one sweep.
#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace kelvane {

/// Number of delimiter kinds; bit k of the Delimiters setting enables kind k.
inline constexpr int DelimiterKindCount = 9;

/// The kinds enabled by a Delimiters setting: only bits 0 to 8 count.
inline std::uint32_t enabledDelimiterKinds(qint32 delimiters) {
    return std::uint32_t(delimiters) & ((1u << DelimiterKindCount) - 1);
}

/// The characters that can begin an opening or closing string of the enabled kinds; '\n' stands
/// for the CR LF that closes the end-of-line kinds.
QString delimiterEventChars(std::uint32_t kinds);

/// Follows every enabled kind through the text at once. Each kind alternates between looking for
/// its opening string and looking for its closing string from the character after the opening
/// one; a closing string ends a run (both strings included), and the next opening string is
/// looked for from the character after the closing string's first character. The scanner is fed
/// the positions of the event characters in increasing order. It works on bit sets of kinds, so
/// an event costs a few table look-ups rather than a chain of unpredictable branches.
class DelimiterScanner {
public:
    explicit DelimiterScanner(std::uint32_t kinds);

    /// Takes the event character at position i of a range that ends at end (exclusive); calls
    /// paint(from, to) for every run it closes, in order of their ends.
    template <class Paint>
    void feed(const char16_t* text, qsizetype i, qsizetype end, Paint&& paint) {
        const char16_t c = text[i];
        if (c >= 128)
            return;
        const char16_t next = i + 1 < end ? text[i + 1] : 0;
        // "/*" and "//" open, and "*/" closes, only with the right second character.
        const std::uint32_t slashOpens = (next == '*' ? Bit(1) : 0u) | (next == '/' ? Bit(5) : 0u);
        const std::uint32_t openMask = opens_[c] & (c == '/' ? slashOpens : ~0u);
        const std::uint32_t closeMask = closes_[c] & (c == '*' && next != '/' ? 0u : ~0u);
        std::uint32_t closing = closeMask & open_;
        std::uint32_t opening = openMask & ~open_;
        open_ = (open_ & ~closing) | opening;
        while (closing) {
            const int kind = std::countr_zero(closing);
            closing &= closing - 1;
            paint(openedAt_[kind], i + (kind == 1 ? 2 : 1));
        }
        while (opening) {
            const int kind = std::countr_zero(opening);
            opening &= opening - 1;
            openedAt_[kind] = i;
        }
    }

    /// Moves the remembered opening positions by delta (when the caller's text moves).
    void shift(qsizetype delta) {
        for (qsizetype& at : openedAt_)
            at += delta;
    }

    /// The earliest position where a run that is still open began, or limit if none is open.
    qsizetype earliestOpen(qsizetype limit) const {
        for (std::uint32_t open = open_; open; open &= open - 1)
            limit = std::min(limit, openedAt_[std::size_t(std::countr_zero(open))]);
        return limit;
    }

private:
    static constexpr std::uint32_t Bit(int kind) { return 1u << kind; }
    /// Per ASCII character, the enabled kinds whose opening (closing) string begins with it.
    std::array<std::uint32_t, 128> opens_{};
    std::array<std::uint32_t, 128> closes_{};
    /// The kinds inside a run, and where each one's run began.
    std::uint32_t open_ = 0;
    std::array<qsizetype, DelimiterKindCount> openedAt_{};
};

} // namespace kelvane
