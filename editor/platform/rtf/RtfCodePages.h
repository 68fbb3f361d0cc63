// Code pages of RTF markup: which one a font's character set names, and decoding bytes in it.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

namespace kelvane::rtf {

/// The Windows code page of an RTF \fcharset value, or 0 when the character set stands
/// for the document's own code page (ANSI, default, symbol and unknown sets).
int codePageOfCharset(int charset);

/// Decodes bytes of a Windows code page, keeping one decoder per code page. Windows-1252
/// (and any code page the system cannot decode) uses the editor's own table.
class CodePageDecoder {
public:
    /// Appends the characters that the bytes stand for in the code page.
    void decode(int codePage, QByteArrayView bytes, QString& out);

private:
    std::map<int, QStringDecoder> decoders_;
};

} // namespace kelvane::rtf
