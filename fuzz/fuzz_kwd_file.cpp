// The keyword-list file reader on any bytes: the lists it reads write out as a file that
// reads back as the same lists.
#include "FuzzSupport.h"
#include "prefs/KwdFile.h"

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KwdReadResult read = decodeKwdFile(fuzz::bytesOf(data, size));
    require(read.ok || !read.error.isEmpty(), "a failed read says why");
    require(read.ok == (size > 0), "every file but an empty one reads");
    for (const QStringList& list : read.lists) {
        for (const QString& word : list) {
            require(!word.isEmpty(), "no empty words");
            require(!word.contains(QLatin1Char('\n')) && !word.contains(QLatin1Char('\r')),
                    "no line break inside a word");
            require(!word.contains(QChar(0xFF)), "no separator inside a word");
        }
    }
    if (!read.ok)
        return 0;
    const KwdReadResult again = decodeKwdFile(encodeKwdFile(read.lists));
    require(again.ok, "a written file reads");
    require(again.lists == read.lists, "the lists survive a write and a second read");
    return 0;
}
