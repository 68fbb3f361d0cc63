// The nine delimiter kinds ("bracers") and a scanner that finds their runs in one sweep.
#include "document/ColourDelimiters.h"

namespace kelvane {

namespace {

/// First character of each kind's opening and closing string, bit order; '\n' stands for the
/// CR LF that ends a line.
constexpr std::array<std::array<char, 2>, DelimiterKindCount> firsts = {{
    {'<', '>'},
    {'/', '*'},
    {'{', '}'},
    {'"', '"'},
    {'\'', '\n'},
    {'/', '\n'},
    {'\'', '\''},
    {'(', ')'},
    {'[', ']'},
}};

} // namespace

QString delimiterEventChars(std::uint32_t kinds) {
    QString chars;
    for (int kind = 0; kind < DelimiterKindCount; ++kind)
        if ((kinds >> kind) & 1u)
            for (const char c : firsts[kind])
                if (!chars.contains(QChar(c)))
                    chars.append(QChar(c));
    return chars;
}

DelimiterScanner::DelimiterScanner(std::uint32_t kinds) {
    for (int kind = 0; kind < DelimiterKindCount; ++kind)
        if ((kinds >> kind) & 1u) {
            opens_[std::size_t(firsts[kind][0])] |= Bit(kind);
            closes_[std::size_t(firsts[kind][1])] |= Bit(kind);
        }
}

} // namespace kelvane
