// The tips file reader on any bytes: one tip a line, none holding a line break.
#include "FuzzSupport.h"
#include "dialogs/TipFile.h"

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList tips = tipsFromBytes(bytes);
    require(std::size_t(tips.size()) <= size, "no more tips than bytes");
    for (const QString& tip : tips) {
        require(!tip.contains(QLatin1Char('\n')) && !tip.contains(QLatin1Char('\r')),
                "no line break inside a tip");
    }
    return 0;
}
