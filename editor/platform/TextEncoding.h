// Text file encodings: detecting how a file was written and writing it back the same way.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <vector>

namespace kelvane {

enum class TextEncoding { Utf8, Utf8WithBom, Utf16LE, Utf16BE, Windows1252 };

enum class LineBreak : std::uint8_t { CrLf, Lf, Cr };

/// How a text file is laid out on disk, so that saving reproduces it byte for byte.
struct TextFileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    LineBreak lineBreak = LineBreak::Lf; ///< the style most of the file's lines use
    /// Line breaks that differ from lineBreak: (index of the line break, 0-based, style).
    std::vector<std::pair<qsizetype, LineBreak>> exceptions;
    /// Bytes after the last whole character that the encoding cannot read (the odd last
    /// byte of a UTF-16 file); written back unchanged after the text so nothing is lost.
    QByteArray trailingBytes;

    bool operator==(const TextFileFormat&) const = default;
};

/// The platform's line break for new documents.
LineBreak platformLineBreak();

/// A decoded text file: lines joined by '\n', and the format to write it back with.
struct DecodedText {
    QString text;
    TextFileFormat format;
};

/// Decodes a text file: a byte-order mark decides first, then valid UTF-8, else Windows-1252.
/// Line breaks CR LF, LF and a lone CR all become '\n'.
DecodedText decodeText(QByteArrayView bytes);

/// Decodes a text file as decodeText() does, handing the text over in consecutive pieces (of
/// about `pieceBytes` bytes of the file each) instead of one string; returns the format.
TextFileFormat decodeTextPieces(QByteArrayView bytes,
                                const std::function<void(QStringView piece)>& take,
                                qsizetype pieceBytes = qsizetype(1) << 20);

/// Calls its argument with consecutive pieces of a text ('\n' line breaks), in order.
using TextPieces = std::function<void(const std::function<void(QStringView piece)>& take)>;

/// Encodes a text given piece by piece, as encodeText() does; the pieces may be asked for
/// twice (once to see whether Windows-1252 can hold them).
QByteArray encodeTextPieces(const TextPieces& forEachPiece, const TextFileFormat& format,
                            TextEncoding* usedEncoding = nullptr);

/// Encodes text ('\n' line breaks) in the given format. When the encoding cannot represent
/// a character (Windows-1252), the text is written as UTF-8 instead so nothing is lost;
/// usedEncoding (when given) reports the encoding actually written.
QByteArray encodeText(QStringView text, const TextFileFormat& format,
                      TextEncoding* usedEncoding = nullptr);

/// Windows-1252, as the editor's own 8-bit files use it. Every byte maps to one character
/// and back (the five unassigned bytes map to U+0081, U+008D, U+008F, U+0090, U+009D).
QString fromWindows1252(QByteArrayView bytes);

/// Characters outside Windows-1252 become '?'.
QByteArray toWindows1252(QStringView text);

/// True when every character of the text has a Windows-1252 byte.
bool fitsWindows1252(QStringView text);

/// The character a Windows-1252 byte stands for.
QChar windows1252Char(std::uint8_t byte);

/// The Windows-1252 byte of a character, or -1 when it has none.
int windows1252Byte(QChar c);

/// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values
/// above U+10FFFF).
bool isValidUtf8(QByteArrayView bytes);

// Conversions between one-byte Latin-1 text (U+0000-U+00FF) and UTF-16, in blocks the compiler
// turns into vector instructions: text held one byte per character converts at memory speed.
namespace latin1 {

/// Whether every unit of [text, text + count) is at most U+00FF.
bool fits(const char16_t* text, qsizetype count);
/// Writes the UTF-16 units of `count` Latin-1 characters to `out`.
void widen(const char* text, qsizetype count, char16_t* out);
/// Writes `count` UTF-16 units, each at most U+00FF, to `out` one byte each.
void narrow(const char16_t* text, qsizetype count, char* out);

} // namespace latin1

} // namespace kelvane
