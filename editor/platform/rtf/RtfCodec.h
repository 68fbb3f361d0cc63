// Reading and writing Rich Text Format: the subset the editor stores and exchanges.
#pragma once

#include "platform/text/RichText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace kelvane::rtf {

/// True when the bytes begin with the RTF signature "{\rtf".
bool looksLikeRtf(QByteArrayView bytes);

/// What the writer needs besides the characters: their styles and the defaults that
/// the plain style (index 0, or any style without a font or size) stands for.
struct WriteOptions {
    QString defaultFont = QStringLiteral("Courier New");
    float defaultPointSize = 10;
};

/// Reads RTF markup into text and styles. Never fails: damaged or unknown markup is
/// skipped and whatever text can be recovered is returned.
RichText read(QByteArrayView rtf);

/// Reads RTF markup as above; a font or size equal to the given defaults reads as the
/// control's own (empty font name, size 0), so the written plain style reads back as plain.
RichText read(QByteArrayView rtf, const WriteOptions& defaults);

/// A style as the writer puts it down: an empty font or size is the default from the
/// options, a system colour (such as the window-text colour) is no colour, colours keep
/// their 24 RGB bits and sizes are whole half points. Styles equal here write the same.
CharStyle effectiveStyle(const CharStyle& style, const WriteOptions& options = {});

/// Writes text ('\n' separates paragraphs) with one style index per character as an
/// RTF document. styleOfChar has text.size() entries indexing into styles.
QByteArray write(QStringView text, std::span<const std::uint8_t> styleOfChar,
                 std::span<const CharStyle> styles, const WriteOptions& options = {});

/// Receives consecutive pieces of text, each with one style index per character.
using StyledPieceSink =
    std::function<void(QStringView text, std::span<const std::uint8_t> styleOfChar)>;
/// Hands the whole text to its argument in consecutive pieces; called twice by writeTo unless
/// the styles used are given.
using StyledPieces = std::function<void(const StyledPieceSink& take)>;
/// Takes the next bytes of markup; false when they could not be kept (the writing stops).
using ByteSink = std::function<bool(QByteArrayView bytes)>;

/// Writes the same markup as `write`, handing it to `sink` a piece at a time, so that a long
/// document never exists whole as markup. False when the sink refused a piece.
bool writeTo(const StyledPieces& pieces, std::span<const CharStyle> styles,
             const WriteOptions& options, const ByteSink& sink);
/// As above, for a caller that knows which style indexes the text uses (`used`): the pieces are
/// then walked once instead of twice.
bool writeTo(const StyledPieces& pieces, const std::array<bool, 256>& used,
             std::span<const CharStyle> styles, const WriteOptions& options, const ByteSink& sink);

/// Convenience overload for a whole RichText.
QByteArray write(const RichText& rich, const WriteOptions& options = {});

} // namespace kelvane::rtf
