// The recovery file reader on any bytes: what it accepts writes back as the same bytes.
#include "FuzzSupport.h"
#include "platform/RecoveryFile.h"

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<RecoveryRecord> record = decodeRecovery(fuzz::bytesOf(data, size));
    if (!record)
        return 0;
    const std::optional<RecoveryRecord> again = decodeRecovery(encodeRecovery(*record));
    require(again == record, "a recovery record survives a write and a second read");
    return 0;
}
