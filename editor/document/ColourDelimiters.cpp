// The nine delimiter kinds ("bracers") and a scanner that finds their runs in one sweep.
#include "document/ColourDelimiters.h"

namespace kelvane {

QString delimiterEventChars(std::uint32_t kinds) {
    // First characters of each kind's opening and closing strings, bit order.
    static const std::array<const char*, DelimiterKindCount> firsts = {
        "<>", "/*", "{}", "\"", "'\n", "/\n", "'", "()", "[]"};
    QString chars;
    for (int kind = 0; kind < DelimiterKindCount; ++kind)
        if ((kinds >> kind) & 1u)
            for (const char* c = firsts[kind]; *c; ++c)
                if (!chars.contains(QChar(*c)))
                    chars.append(QChar(*c));
    return chars;
}

} // namespace kelvane
