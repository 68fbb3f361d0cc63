// Reading and writing cliptext library files.
#include "library/ClipLibrary.h"

#include "platform/FileIO.h"
#include "platform/TextEncoding.h"
#include "platform/TextLines.h"

namespace kelvane {

QStringList parseClipLibrary(QByteArrayView bytes) {
    // The editor's own files are Windows-1252; only a byte-order mark says otherwise.
    return linesOfMarkedOr8BitFile(bytes);
}

QByteArray encodeClipLibrary(QStringView text) {
    TextFileFormat format;
    format.encoding = TextEncoding::Windows1252;
    format.lineBreak = LineBreak::CrLf;
    const QString lines = toLfLineBreaks(text.toString());
    if (!fitsWindows1252(lines)) // with a byte-order mark, so the reader knows
        format.encoding = TextEncoding::Utf8WithBom;
    QByteArray bytes = encodeText(lines, format);
    // 8-bit text whose first bytes are FF FE, FE FF or EF BB BF would be taken for a byte-order
    // mark by the reader: mark it as UTF-8 instead.
    if (format.encoding == TextEncoding::Windows1252 && hasByteOrderMark(bytes)) {
        format.encoding = TextEncoding::Utf8WithBom;
        bytes = encodeText(lines, format);
    }
    return bytes;
}

bool readClipLibrary(const QString& path, QStringList& entries, QString& error) {
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    entries = parseClipLibrary(bytes);
    return true;
}

bool writeClipLibrary(const QString& path, QStringView text, QString& error) {
    return writeFileAtomically(path, encodeClipLibrary(text), error);
}

} // namespace kelvane
