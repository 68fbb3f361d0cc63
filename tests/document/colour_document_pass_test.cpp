// A whole-document pass over a live control, large enough to go over in many pieces.
#include "colour_test_support.h"
#include "document/ColourDocumentPass.h"
#include "platform/richtext/RichTextBox.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvane::test {
namespace {

TEST(ColourDocumentPass, ControlShowsTheEnginesColoursAcrossManyPieces) {
    // Runs and words cross the pieces the control is read in; blank lines and a last line
    // without a break check the joining of blocks.
    std::mt19937 rng(4);
    const QStringList pieces = {"int ", "/* ",   " */", "(",  ")", "\"", "'",   "\n",
                                "\n\n", "print", "x",   "  ", "{", "}",  "// ", "aa"};
    QString text;
    while (text.size() < 700000)
        text += pieces[int(rng() % pieces.size())];
    text += "int";
    for (const bool order : {false, true}) {
        ColourSettings s;
        s.keywords = {keywordList({"int"}), keywordList({"print", "nt\r\n"}), keywordList({"aa"})};
        s.delimiters = 511;
        s.codeOrder = order;
        const ColourEngine engine(s);
        const std::vector<std::uint8_t> expected = engine.colourDocument(text);

        RichTextBox box;
        box.setText(text);
        const std::vector<WinColour> colours = {kWindowTextColour, 0x0000FF, 0x00FF00, 0xFF0000,
                                                0x808080};
        colourWholeDocument(box, engine, colours);
        for (qsizetype at = 0; at < text.size(); ++at) {
            const CharStyle style = box.styleAt(box.fromDocumentPosition(at));
            const std::uint8_t cls = expected[std::size_t(at)];
            ASSERT_EQ(style.hasColour, cls != BaseColour) << at;
            if (cls != BaseColour) {
                ASSERT_EQ(style.colour, colours[cls]) << at;
            }
        }
    }
}

} // namespace
} // namespace kelvane::test
