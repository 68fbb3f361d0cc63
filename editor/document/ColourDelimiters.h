// The nine delimiter kinds ("bracers") and a scanner that finds their runs in one sweep.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
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
/// the positions of the event characters in increasing order.
class DelimiterScanner {
public:
    explicit DelimiterScanner(std::uint32_t kinds) : kinds_(kinds) { open_.fill(-1); }

    /// Takes the event character at position i of a range that ends at end (exclusive); calls
    /// paint(from, to) for every run it closes.
    template <class Paint> void feed(QStringView text, qsizetype i, qsizetype end, Paint&& paint) {
        const char16_t next = i + 1 < end ? text[i + 1].unicode() : 0;
        switch (text[i].unicode()) {
        case '<':
            opens(0, i);
            break;
        case '>':
            closes(0, i, 1, paint);
            break;
        case '/':
            if (next == '*')
                opens(1, i);
            else if (next == '/')
                opens(5, i);
            break;
        case '*':
            if (next == '/')
                closes(1, i, 2, paint);
            break;
        case '{':
            opens(2, i);
            break;
        case '}':
            closes(2, i, 1, paint);
            break;
        case '"':
            toggles(3, i, paint);
            break;
        case '\'':
            opens(4, i);
            toggles(6, i, paint);
            break;
        case '\n':
            closes(4, i, 1, paint);
            closes(5, i, 1, paint);
            break;
        case '(':
            opens(7, i);
            break;
        case ')':
            closes(7, i, 1, paint);
            break;
        case '[':
            opens(8, i);
            break;
        case ']':
            closes(8, i, 1, paint);
            break;
        default:
            break;
        }
    }

private:
    std::uint32_t kinds_;
    /// Where the open run of each kind began, or -1 while the kind looks for an opening string.
    std::array<qsizetype, DelimiterKindCount> open_;

    bool enabled(int kind) const { return (kinds_ >> kind) & 1u; }
    void opens(int kind, qsizetype i) {
        if (enabled(kind) && open_[kind] < 0)
            open_[kind] = i;
    }
    template <class Paint> void closes(int kind, qsizetype i, qsizetype closeLength, Paint& paint) {
        if (enabled(kind) && open_[kind] >= 0) {
            paint(open_[kind], i + closeLength);
            open_[kind] = -1;
        }
    }
    template <class Paint> void toggles(int kind, qsizetype i, Paint& paint) {
        if (open_[kind] < 0)
            opens(kind, i);
        else
            closes(kind, i, 1, paint);
    }
};

} // namespace kelvane
