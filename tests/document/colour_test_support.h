// Shared helpers of the colouring tests: running the engine and the reference side by side.
#pragma once

#include "document/ColourEngine.h"
#include "reference/ReferenceColourer.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace kelvane::test {

/// A stored keyword list from words, each followed by the separator.
inline QString keywordList(std::initializer_list<const char*> words) {
    QString list;
    for (const char* word : words)
        list += QString::fromUtf8(word) + QChar(0xFF);
    return list;
}

inline ReferenceSettings referenceSettings(const ColourSettings& s) {
    ReferenceSettings r;
    r.keywords = s.keywords;
    r.keywordCount = 7;
    r.delimiters = s.delimiters;
    r.codeOrder = s.codeOrder;
    r.caseSensitive = s.caseSensitive;
    return r;
}

/// One character per colour class: '0'..'4', '-' for Untouched.
inline std::string classString(const std::vector<std::uint8_t>& colours) {
    std::string s;
    for (const std::uint8_t c : colours)
        s += c == Untouched ? '-' : char('0' + c);
    return s;
}

/// The reference's colours seen one per character of the '\n' text: a CR LF break shows the
/// colour of its CR. Also tells whether any break had different colours on its two halves.
inline std::vector<std::uint8_t> perCharacter(const QString& text,
                                              const std::vector<std::uint8_t>& crlfColours,
                                              bool* splitBreak = nullptr) {
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(text.size()));
    std::size_t k = 0;
    for (const QChar c : text) {
        out.push_back(crlfColours[k]);
        if (c == QChar('\n')) {
            if (splitBreak && crlfColours[k] != crlfColours[k + 1])
                *splitBreak = true;
            ++k;
        }
        ++k;
    }
    return out;
}

/// Position in the CR LF text of a position in the '\n' text.
inline int crlfPosition(const QString& text, qsizetype position) {
    return int(position + text.left(position).count(QChar('\n')));
}

/// Whole-document colours from the reference, one per character of the '\n' text.
inline std::vector<std::uint8_t> referenceDocument(const QString& text, const ColourSettings& s,
                                                   QStringList* captions = nullptr,
                                                   bool* splitBreak = nullptr) {
    ReferenceColourer ref(toCrlf(text), referenceSettings(s));
    ref.ColorCode();
    if (captions)
        *captions = ref.captions;
    return perCharacter(text, ref.colours, splitBreak);
}

/// Line colours from the reference for the line [start, start + length) of the '\n' text,
/// over the same characters the engine's result covers.
inline std::vector<std::uint8_t> referenceLine(const QString& text, const ColourSettings& s,
                                               qsizetype start, qsizetype length,
                                               qsizetype resultLength) {
    ReferenceColourer ref(toCrlf(text), referenceSettings(s));
    const int crlfStart = crlfPosition(text, start);
    ref.CodeLineAt(crlfStart, crlfPosition(text, start + length) - crlfStart);
    const std::vector<std::uint8_t> all = perCharacter(text, ref.colours);
    return {all.begin() + start, all.begin() + start + resultLength};
}

} // namespace kelvane::test
