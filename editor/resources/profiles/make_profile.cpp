// Build tool: turns a readable profile description into a profile file of the editor.
//
// Usage: make_profile <description> <profile file>
//
// The description holds "Name = value" lines; blank lines and lines starting with "#" are
// ignored. Keywords0, Keywords1 and Keywords2 take words separated by blanks and may be
// repeated to continue a list. Colours are "#RRGGBB"; Delimiters names the delimiter pairs
// (html, c-comment, pascal-comment, double-quote, basic-comment, line-comment, single-quote,
// parentheses, brackets); switches are True or False. Fields not named keep the editor's
// defaults; KeywordCount is counted from the lists.
#include "prefs/KeywordListCodec.h"
#include "prefs/ProfileRecord.h"
#include "settings/EditorSettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace kelvane;

namespace {

const QStringList kDelimiterNames = {"html",         "c-comment",     "pascal-comment",
                                     "double-quote", "basic-comment", "line-comment",
                                     "single-quote", "parentheses",   "brackets"};

std::optional<WinColour> colourOf(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const quint32 rgb = match.captured(1).toUInt(nullptr, 16);
    // Stored as 0x00BBGGRR.
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

std::optional<bool> switchOf(const QString& text) {
    if (text == QLatin1String("True"))
        return true;
    if (text == QLatin1String("False"))
        return false;
    return std::nullopt;
}

struct Description {
    EditorSettingsRecord settings;
    QStringList keywords[3];
};

// Applies one "Name = value" line; returns an error text, empty when the line was good.
QString apply(Description& d, const QString& name, const QString& value) {
    EditorSettingsRecord& s = d.settings;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int i = 0; i < 3; ++i)
        if (name == QStringLiteral("Keywords%1").arg(i)) {
            d.keywords[i] << value.split(blanks, Qt::SkipEmptyParts);
            return QString();
        }
    WinColour* colours[] = {&s.KeywordColor0, &s.KeywordColor1, &s.KeywordColor2, &s.DelimitColor};
    const QStringList colourNames = {"KeywordColor0", "KeywordColor1", "KeywordColor2",
                                     "DelimitColor"};
    if (colourNames.contains(name)) {
        const std::optional<WinColour> colour = colourOf(value);
        if (!colour)
            return QStringLiteral("a colour is written #RRGGBB");
        *colours[colourNames.indexOf(name)] = *colour;
        return QString();
    }
    bool* switches[] = {&s.WordWrap, &s.AutoCode, &s.Backup, &s.CodeOrder, &s.CaseSensitive};
    const QStringList switchNames = {"WordWrap", "AutoCode", "Backup", "CodeOrder",
                                     "CaseSensitive"};
    if (switchNames.contains(name)) {
        const std::optional<bool> on = switchOf(value);
        if (!on)
            return QStringLiteral("a switch is True or False");
        *switches[switchNames.indexOf(name)] = *on;
        return QString();
    }
    if (name == QLatin1String("Delimiters")) {
        s.Delimiters = 0;
        for (const QString& pair : value.split(blanks, Qt::SkipEmptyParts)) {
            const qsizetype bit = kDelimiterNames.indexOf(pair);
            if (bit < 0)
                return QStringLiteral("unknown delimiter pair ") + pair;
            s.Delimiters |= 1 << bit;
        }
        return QString();
    }
    if (name == QLatin1String("EditorFont")) {
        s.EditorFont = value;
        return QString();
    }
    if (name == QLatin1String("CompilerString")) {
        s.CompilerString = value;
        return QString();
    }
    if (name == QLatin1String("EditorSize")) {
        bool ok = false;
        s.EditorSize = value.toFloat(&ok);
        return ok && s.EditorSize > 0 ? QString() : QStringLiteral("a size is a positive number");
    }
    return QStringLiteral("unknown field ") + name;
}

int fail(const QString& message) {
    std::fprintf(stderr, "make_profile: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: make_profile <description> <profile file>"));
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly))
        return fail(args[1] + QStringLiteral(": ") + source.errorString());
    Description d;
    const QStringList lines = QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString error =
            equals < 0 ? QStringLiteral("expected Name = value")
                       : apply(d, line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        if (!error.isEmpty())
            return fail(QStringLiteral("%1:%2: %3").arg(args[1]).arg(n + 1).arg(error));
    }
    EditorSettingsRecord& s = d.settings;
    s.Keywords0 = joinKeywordList(d.keywords[0]);
    s.Keywords1 = joinKeywordList(d.keywords[1]);
    s.Keywords2 = joinKeywordList(d.keywords[2]);
    s.KeywordCount = qint32(d.keywords[0].size() + d.keywords[1].size() + d.keywords[2].size());
    const std::optional<QByteArray> record = encodeProfile(s);
    if (!record)
        return fail(args[1] + QStringLiteral(": a keyword list is too long for a profile"));
    QSaveFile target(args[2]);
    if (!target.open(QIODevice::WriteOnly) || target.write(*record) != record->size() ||
        !target.commit())
        return fail(args[2] + QStringLiteral(": ") + target.errorString());
    return 0;
}
