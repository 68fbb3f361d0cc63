// A whole-document colouring pass over a rich-text control, piece by piece.
#include "document/ColourDocumentPass.h"

#include "platform/richtext/RichTextBox.h"

#include <QTextBlock>
#include <QTextDocument>

namespace kelvane {

void colourWholeDocument(RichTextBox& box, const ColourEngine& engine,
                         const std::vector<WinColour>& classColours,
                         const ColourProgress& progress) {
    // Enough text per piece that handing it over costs little, little enough to stay small.
    constexpr qsizetype PieceLength = 1 << 18;
    const QTextDocument* document = box.document();
    ColourStream stream(
        engine, qsizetype(document->characterCount() - 1),
        [&box, &classColours](qsizetype from, const std::uint8_t* classes, qsizetype count) {
            box.colourByClass(from, classes, count, classColours);
        },
        progress);
    QString piece;
    piece.reserve(PieceLength + 1024);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        piece += block.text();
        // Document positions count a block's break as one character, as the engine's '\n'.
        if (block.next().isValid())
            piece += QLatin1Char('\n');
        if (piece.size() >= PieceLength) {
            stream.append(piece);
            piece.clear();
        }
    }
    stream.append(piece);
    stream.finish();
}

} // namespace kelvane
