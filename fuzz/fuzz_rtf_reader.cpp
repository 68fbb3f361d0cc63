// The RTF reader on any bytes: it never fails, gives one style per character, and what it read
// writes out and reads back as the same text.
#include "FuzzSupport.h"
#include "platform/rtf/RtfCodec.h"

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RichText rich = rtf::read(fuzz::bytesOf(data, size));
    require(rich.styleOfChar.size() == std::size_t(rich.text.size()),
            "one style index per character");
    require(!rich.styles.empty() && rich.styles.size() <= 256, "1 to 256 styles");
    for (const std::uint8_t style : rich.styleOfChar)
        require(style < rich.styles.size(), "style indexes point into the style table");
    require(rich.text.size() <= qsizetype(size), "no more characters than bytes read");

    const RichText again = rtf::read(rtf::write(rich));
    require(again.text == rich.text, "the text read survives a write and a second read");
    return 0;
}
