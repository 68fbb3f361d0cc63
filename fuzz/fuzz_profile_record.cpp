// The profile record reader on any bytes: whatever it reads writes out as a record that reads
// back whole and writes the same bytes again.
#include "FuzzSupport.h"
#include "prefs/ProfileRecord.h"

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EditorSettingsRecord settings;
    const int fields = decodeProfile(fuzz::bytesOf(data, size), settings);
    require(fields >= 0 && fields <= kProfileFieldCount, "a field count within the record");

    const std::optional<QByteArray> written = encodeProfile(settings);
    if (!written)
        return 0; // a text too long for its count: the writer refuses it
    EditorSettingsRecord again;
    require(decodeProfile(*written, again) == kProfileFieldCount, "a written record reads whole");
    require(encodeProfile(again) == written, "a record read back writes the same bytes");
    return 0;
}
