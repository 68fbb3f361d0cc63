// Format transforms on plain text.
#include "commands/FormatTransforms.h"

namespace kelvane {

namespace {

const QString kIndent = QStringLiteral("    ");

qsizetype lineStartOf(QStringView text, qsizetype position) {
    if (position <= 0)
        return 0;
    const qsizetype breakAt = text.lastIndexOf(QLatin1Char('\n'), position - 1);
    return breakAt < 0 ? 0 : breakAt + 1;
}

/// Calls f(start) for the start of every line from the first to the last of `lines`.
template <typename F> void forEachLine(QStringView text, const SelectedLines& lines, F&& f) {
    qsizetype start = lines.firstStart;
    while (true) {
        f(start);
        if (start >= lines.lastStart)
            break;
        start = text.indexOf(QLatin1Char('\n'), start) + 1;
        if (start <= 0)
            break;
    }
}

} // namespace

QString toUpperCase(const QString& text) {
    return text.toUpper();
}

QString toLowerCase(const QString& text) {
    return text.toLower();
}

QString capitalizeFirstLetter(const QString& text) {
    QString result = text.toLower();
    if (result.isEmpty())
        return result;
    // A first character outside the Basic Multilingual Plane is a surrogate pair.
    const qsizetype firstLength = result.front().isHighSurrogate() && result.size() > 1 ? 2 : 1;
    return result.left(firstLength).toUpper() + result.mid(firstLength);
}

QString trimTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString trimPrecedingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QString trimBlanks(const QString& text) {
    return trimPrecedingBlanks(trimTrailingBlanks(text));
}

SelectedLines selectedLines(QStringView text, qsizetype from, qsizetype to) {
    from = std::clamp<qsizetype>(from, 0, text.size());
    to = std::clamp<qsizetype>(to, from, text.size());
    if (to > from && text[to - 1] == QLatin1Char('\n'))
        --to;
    return SelectedLines{lineStartOf(text, from), lineStartOf(text, to)};
}

TextEdits indentEdits(QStringView text, const SelectedLines& lines) {
    TextEdits edits;
    forEachLine(text, lines, [&](qsizetype start) { edits.push_back({start, 0, kIndent}); });
    return edits;
}

TextEdits unindentEdits(QStringView text, const SelectedLines& lines) {
    TextEdits edits;
    forEachLine(text, lines, [&](qsizetype start) {
        if (text.mid(start, 4) == kIndent)
            edits.push_back({start, 4, QString()});
    });
    return edits;
}

TextEdits tabsToSpacesEdits(QStringView text, int spaces) {
    const QString blanks(std::max(spaces, 0), QLatin1Char(' '));
    TextEdits edits;
    edits.reserve(size_t(text.count(QLatin1Char('\t'))));
    for (qsizetype at = text.indexOf(QLatin1Char('\t')); at >= 0;
         at = text.indexOf(QLatin1Char('\t'), at + 1))
        edits.push_back({at, 1, blanks});
    return edits;
}

} // namespace kelvane
