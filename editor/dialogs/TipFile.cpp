// Splitting a tips file into its tips.
#include "dialogs/TipFile.h"

#include "platform/TextEncoding.h"

namespace kelvane {

QStringList tipsFromBytes(const QByteArray& bytes) {
    QStringList tips = decodeText(bytes).text.split(QLatin1Char('\n'));
    if (tips.last().isEmpty())
        tips.removeLast();
    return tips;
}

} // namespace kelvane
