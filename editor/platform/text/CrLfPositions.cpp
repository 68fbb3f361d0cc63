// Conversion between CR LF counting positions and store positions.
#include "platform/text/CrLfPositions.h"

#include "platform/text/TextStore.h"

#include <algorithm>

namespace kelvane::crlf {

qsizetype length(const TextStore& text) {
    return text.size() + text.lineCount() - 1;
}

qsizetype toStore(const TextStore& text, qsizetype position) {
    if (position <= 0)
        return 0;
    // The line n holding a position is the last one whose start (its store position plus one
    // extra character for each earlier line break) is not past it.
    qsizetype low = 0;
    qsizetype high = text.lineCount() - 1;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (text.lineStart(mid) + mid <= position)
            low = mid;
        else
            high = mid - 1;
    }
    const qsizetype start = text.lineStart(low);
    return start + std::min(position - (start + low), text.lineLength(low));
}

qsizetype fromStore(const TextStore& text, qsizetype storePosition) {
    storePosition = std::clamp<qsizetype>(storePosition, 0, text.size());
    return storePosition + text.lineOf(storePosition);
}

void appendWithCrLf(QString& out, QStringView text) {
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            out.append(text.sliced(runStart, i - runStart));
            out.append(QStringView(u"\r\n"));
            runStart = i + 1;
        }
    }
    out.append(text.sliced(runStart));
}

QString text(const TextStore& store, qsizetype from, qsizetype to) {
    QString out;
    from = std::clamp<qsizetype>(from, 0, store.size());
    to = std::clamp<qsizetype>(to, from, store.size());
    out.reserve(to - from + store.lineOf(to) - store.lineOf(from));
    store.forPieces(from, to, [&out](QStringView piece) { appendWithCrLf(out, piece); });
    return out;
}

} // namespace kelvane::crlf
