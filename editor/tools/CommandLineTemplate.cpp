// Filling the compiler's command-line template with the document's path.
#include "tools/CommandLineTemplate.h"

namespace kelvane {

namespace {

enum class Quote { None, Single, Double };

/// The quoting in force at a position of a command line read with the given syntax.
Quote quoteAt(const QString& line, qsizetype position, CommandSyntax syntax) {
    Quote quote = Quote::None;
    for (qsizetype i = 0; i < position; ++i) {
        const QChar c = line[i];
        if (syntax == CommandSyntax::Windows) {
            if (c == QLatin1Char('"'))
                quote = quote == Quote::Double ? Quote::None : Quote::Double;
            continue;
        }
        switch (quote) {
        case Quote::None:
            if (c == QLatin1Char('\''))
                quote = Quote::Single;
            else if (c == QLatin1Char('"'))
                quote = Quote::Double;
            else if (c == QLatin1Char('\\'))
                ++i;
            break;
        case Quote::Single:
            if (c == QLatin1Char('\''))
                quote = Quote::None;
            break;
        case Quote::Double:
            if (c == QLatin1Char('"'))
                quote = Quote::None;
            else if (c == QLatin1Char('\\'))
                ++i;
            break;
        }
    }
    return quote;
}

QString pathInContext(const QString& path, Quote quote, CommandSyntax syntax) {
    if (syntax == CommandSyntax::Windows)
        return quote == Quote::Double ? path : quoteCommandWord(path, syntax);
    QString written = path;
    switch (quote) {
    case Quote::None:
        return quoteCommandWord(path, syntax);
    case Quote::Single:
        return written.replace(QLatin1String("'"), QLatin1String("'\\''"));
    case Quote::Double:
        written.replace(QLatin1String("\\"), QLatin1String("\\\\"));
        return written.replace(QLatin1String("\""), QLatin1String("\\\""));
    }
    return written;
}

} // namespace

QString substituteFileName(const QString& commandTemplate, const QString& path,
                           CommandSyntax syntax) {
    const qsizetype at = commandTemplate.indexOf(kFileNamePlaceholder, 0, Qt::CaseSensitive);
    if (at < 0)
        return commandTemplate;
    QString line = commandTemplate;
    return line.replace(at, kFileNamePlaceholder.size(),
                        pathInContext(path, quoteAt(commandTemplate, at, syntax), syntax));
}

} // namespace kelvane
