// Code pages of RTF markup: character sets to code pages, and decoders by code page.
#include "platform/rtf/RtfCodePages.h"

#include "platform/TextEncoding.h"

namespace kelvane::rtf {

namespace {

// The name the system's converters know a Windows code page by.
QByteArray converterName(int codePage) {
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

} // namespace

int codePageOfCharset(int charset) {
    switch (charset) {
    case 77:
        return 10000; // Mac Roman
    case 128:
        return 932; // Shift-JIS
    case 129:
        return 949; // Hangul
    case 134:
        return 936; // GB2312
    case 136:
        return 950; // Big5
    case 161:
        return 1253; // Greek
    case 162:
        return 1254; // Turkish
    case 163:
        return 1258; // Vietnamese
    case 177:
        return 1255; // Hebrew
    case 178:
        return 1256; // Arabic
    case 186:
        return 1257; // Baltic
    case 204:
        return 1251; // Cyrillic
    case 222:
        return 874; // Thai
    case 238:
        return 1250; // Central European
    case 254:
        return 437; // PC 437
    case 255:
        return 850; // OEM
    default:
        return 0;
    }
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString& out) {
    if (codePage != 1252) {
        auto it = decoders_.find(codePage);
        if (it == decoders_.end()) {
            QStringDecoder decoder =
                codePage == 65001
                    ? QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
                    : QStringDecoder(converterName(codePage).constData(),
                                     QStringConverter::Flag::Stateless);
            it = decoders_.emplace(codePage, std::move(decoder)).first;
        }
        if (it->second.isValid()) {
            out.append(it->second.decode(bytes));
            return;
        }
    }
    for (char b : bytes)
        out.append(windows1252Char(std::uint8_t(b)));
}

} // namespace kelvane::rtf
