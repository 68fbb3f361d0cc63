// The colouring engine against the step-by-step reference colourer: any difference in a
// whole-document pass, a line pass or the progress captions is a finding.
#include "FuzzSupport.h"
#include "colour_test_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>

using namespace kelvane;
using namespace kelvane::test;
using fuzz::require;

namespace {

// Texts are built from pieces that make colouring interesting: delimiter strings, quotes, line
// breaks, keywords in several spellings and letters whose case folds are not ASCII.
constexpr std::array<const char*, 48> kPieces = {
    "<",  ">",   "/*",    "*/", "*",  "/",  "//", "{",      "}",        "\"",     "'",  "\n",
    "\n", "(",   ")",     "[",  "]",  " ",  "a",  "x",      "in",       "int",    "IN", "Int",
    "é",  "É",   "ß",     "σ",  "Σ",  "ς",  "K",  "\u212A", "\u00FF",   "\u0178", "\r", "𐐀",
    "𐐨",  "for", "print", "->", "ss", "\t", "0",  "\r\n",   "\xC2\xA0", "k",      "or", "f",
};

QString piece(std::uint8_t byte) {
    return QString::fromUtf8(kPieces[byte % kPieces.size()]);
}

// A stored keyword list: pieces with U+00FF separators where the input says so.
QString keywordList(FuzzedDataProvider& in) {
    QString list;
    const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < length && in.remaining_bytes() > 0; ++i) {
        const std::uint8_t b = in.ConsumeIntegral<std::uint8_t>();
        list += b >= 200 ? QString(QChar(0xFF)) : piece(b);
    }
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    ColourSettings s;
    s.delimiters = in.ConsumeIntegral<qint32>();
    s.codeOrder = in.ConsumeBool();
    s.caseSensitive = in.ConsumeBool();
    for (QString& list : s.keywords)
        list = keywordList(in);
    const std::size_t linePick = in.ConsumeIntegral<std::uint16_t>();
    QString text;
    for (int i = 0; i < 64 && in.remaining_bytes() > 0; ++i)
        text += piece(in.ConsumeIntegral<std::uint8_t>());

    const ColourEngine engine(s);
    QStringList captions;
    const std::vector<std::uint8_t> expected = referenceDocument(text, s, &captions);
    QStringList shown;
    const std::vector<std::uint8_t> got = engine.colourDocument(
        text, [&](const ColourStage& stage) { shown << colourStageText(stage, 7); });
    require(classString(got) == classString(expected), "whole-document colours match");
    require(shown == captions, "progress captions match");

    // One line, as the caret's line pass colours it.
    const qsizetype position = qsizetype(linePick % std::size_t(text.size() + 1));
    const ColourTextLine line = ColourEngine::lineAt(text, position);
    const LineColours lineGot = engine.colourLine(text, line.start, line.length);
    require(lineGot.start == line.start, "a line pass starts at its line");
    require(lineGot.start + qsizetype(lineGot.colours.size()) <= text.size(),
            "a line pass stays inside the text");
    ReferenceColourer ref(toCrlf(text), referenceSettings(s));
    ref.CodeLine(crlfPosition(text, position));
    const std::vector<std::uint8_t> all = perCharacter(text, ref.colours);
    for (qsizetype k = 0; k < text.size(); ++k) {
        const qsizetype inResult = k - lineGot.start;
        const std::uint8_t engineClass =
            inResult >= 0 && inResult < qsizetype(lineGot.colours.size())
                ? lineGot.colours[std::size_t(inResult)]
                : std::uint8_t(Untouched);
        require(engineClass == all[std::size_t(k)], "line-pass colours match");
    }
    return 0;
}
