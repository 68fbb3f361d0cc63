// A whole-document colouring pass over a rich-text control, piece by piece.
#include "document/ColourDocumentPass.h"

#include "platform/richtext/RichTextBox.h"

namespace kelvane {

void colourWholeDocument(RichTextBox& box, const ColourEngine& engine,
                         const std::vector<WinColour>& classColours,
                         const ColourProgress& progress) {
    // Enough text per piece that handing it over costs little, little enough to stay small.
    constexpr qsizetype PieceLength = 1 << 18;
    ColourStream stream(
        engine, box.documentLength(),
        [&box, &classColours](qsizetype from, const std::uint8_t* classes, qsizetype count) {
            box.colourByClass(from, classes, count, classColours);
        },
        progress);
    box.forEachTextPiece(PieceLength, [&stream](QStringView piece) { stream.append(piece); });
    stream.finish();
}

} // namespace kelvane
