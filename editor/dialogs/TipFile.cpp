// Splitting a tips file into its tips.
#include "dialogs/TipFile.h"

#include "platform/TextLines.h"

namespace kelvane {

QStringList tipsFromBytes(const QByteArray& bytes) {
    // Windows-1252, as the editor's other 8-bit files: a file whose bytes also happen to form
    // UTF-8 is not taken for UTF-8. A byte-order mark still says what the file is.
    return linesOfMarkedOr8BitFile(bytes);
}

} // namespace kelvane
