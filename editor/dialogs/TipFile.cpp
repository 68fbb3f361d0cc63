// Splitting a tips file into its tips.
#include "dialogs/TipFile.h"

#include "platform/TextEncoding.h"
#include "platform/TextLines.h"

namespace kelvane {

QStringList tipsFromBytes(const QByteArray& bytes) {
    return splitTextLines(decodeText(bytes).text);
}

} // namespace kelvane
