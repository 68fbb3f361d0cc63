// Carrying out a list of edits on a text in one pass.
#include "document/TextEdits.h"

#include <algorithm>

namespace kelvane {

QString applyTextEdits(QStringView text, const TextEdits& edits) {
    qsizetype grown = 0;
    for (const TextEdit& edit : edits)
        grown += edit.inserted.size() - edit.removed;
    QString result;
    result.reserve(text.size() + std::max<qsizetype>(grown, 0));
    qsizetype kept = 0;
    for (const TextEdit& edit : edits) {
        result.append(text.mid(kept, edit.from - kept));
        result.append(edit.inserted);
        kept = edit.from + edit.removed;
    }
    result.append(text.mid(kept));
    return result;
}

RangeRewrite rewriteRange(QStringView text, const std::vector<std::uint8_t>& styles,
                          const TextEdits& edits) {
    RangeRewrite rewrite;
    if (edits.empty())
        return rewrite;
    rewrite.from = edits.front().from;
    rewrite.to = edits.back().from + edits.back().removed;
    const auto styleAt = [&](qsizetype at) -> std::uint8_t {
        if (styles.empty() || at < 0)
            return 0;
        return styles[size_t(std::min<qsizetype>(at, qsizetype(styles.size()) - 1))];
    };
    qsizetype grown = 0;
    for (const TextEdit& edit : edits)
        grown += edit.inserted.size() - edit.removed;
    const qsizetype size = (rewrite.to - rewrite.from) + grown;
    rewrite.text.reserve(size);
    rewrite.styles.reserve(size_t(size));
    qsizetype kept = rewrite.from;
    for (const TextEdit& edit : edits) {
        rewrite.text.append(text.mid(kept, edit.from - kept));
        for (qsizetype i = kept; i < edit.from; ++i)
            rewrite.styles.push_back(styleAt(i));
        rewrite.text.append(edit.inserted);
        const std::uint8_t inserted = styleAt(edit.removed > 0 ? edit.from : edit.from - 1);
        rewrite.styles.insert(rewrite.styles.end(), size_t(edit.inserted.size()), inserted);
        kept = edit.from + edit.removed;
    }
    return rewrite;
}

qsizetype positionAfterEdits(const TextEdits& edits, qsizetype position) {
    qsizetype shift = 0;
    for (const TextEdit& edit : edits) {
        const bool before =
            edit.removed == 0 ? edit.from <= position : edit.from + edit.removed <= position;
        if (!before)
            break;
        shift += edit.inserted.size() - edit.removed;
    }
    return position + shift;
}

} // namespace kelvane
