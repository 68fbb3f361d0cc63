// The cliptext library reader on any bytes: one entry a line, none holding a line break, and the
// entries it reads write out as a library that reads back as the same entries.
#include "FuzzSupport.h"
#include "library/ClipLibrary.h"

using namespace kelvane;
using fuzz::require;

namespace {

// The entries as a written library gives them back. Text beyond Windows-1252 is written as
// UTF-8, where half of a surrogate pair is no character: it comes back as the replacement
// character U+FFFD.
QStringList asWritten(QStringList entries) {
    for (QString& entry : entries) {
        for (qsizetype i = 0; i < entry.size(); ++i) {
            const QChar c = entry.at(i);
            const bool paired =
                c.isHighSurrogate() && i + 1 < entry.size() && entry.at(i + 1).isLowSurrogate();
            if (paired)
                ++i;
            else if (c.isSurrogate())
                entry[i] = QChar::ReplacementCharacter;
        }
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList entries = parseClipLibrary(fuzz::bytesOf(data, size));
    require(std::size_t(entries.size()) <= size, "no more entries than bytes");
    for (const QString& entry : entries) {
        require(!entry.contains(QLatin1Char('\n')) && !entry.contains(QLatin1Char('\r')),
                "no line break inside an entry");
    }
    if (entries.isEmpty())
        return 0;
    // A final line break keeps an empty last entry from being taken for the end of the file.
    const QString text = entries.join(QLatin1Char('\n')) + QLatin1Char('\n');
    require(parseClipLibrary(encodeClipLibrary(text)) == asWritten(entries),
            "the entries survive a write and a second read");
    return 0;
}
