// Starting programs with QProcess (never through a shell) and opening files with
// QDesktopServices.
#include "platform/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kelvane {

namespace {

ShellBackend*& currentBackend() {
    static ShellBackend* backend = nullptr;
    return backend;
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

QStringList splitPosix(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (isBlank(c)) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('\'')) {
            inWord = true;
            for (++i; i < line.size() && line[i] != QLatin1Char('\''); ++i)
                word += line[i];
        } else if (c == QLatin1Char('"')) {
            inWord = true;
            for (++i; i < line.size() && line[i] != QLatin1Char('"'); ++i) {
                if (line[i] == QLatin1Char('\\') && i + 1 < line.size() &&
                    (line[i + 1] == QLatin1Char('"') || line[i + 1] == QLatin1Char('\\')))
                    ++i;
                word += line[i];
            }
        } else if (c == QLatin1Char('\\')) {
            inWord = true;
            if (i + 1 < line.size())
                word += line[++i];
        } else {
            inWord = true;
            word += c;
        }
    }
    if (inWord)
        words << word;
    return words;
}

QStringList splitWindows(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (isBlank(c) && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

bool needsQuoting(const QString& word, CommandSyntax syntax) {
    if (word.isEmpty())
        return true;
    const QString special = syntax == CommandSyntax::Posix ? QStringLiteral(" \t\r\n'\"\\")
                                                           : QStringLiteral(" \t\r\n\"");
    for (const QChar c : word)
        if (special.contains(c))
            return true;
    return false;
}

class SystemShell : public ShellBackend {
public:
    bool start(const QString& program, const QStringList& arguments, int showCode) override {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
#ifdef Q_OS_WIN
        process.setCreateProcessArgumentsModifier(
            [showCode](QProcess::CreateProcessArguments* args) {
                args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
                args->startupInfo->wShowWindow = static_cast<WORD>(showCode);
            });
#else
        // An X11 or Wayland client decides its own window state; the code has no carrier here.
        Q_UNUSED(showCode);
#endif
        return process.startDetached();
    }
    bool openWithDefaultApp(const QString& path) override {
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            return true;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // A window system without desktop services of its own (a bare X server, the offscreen
        // platform) still has the freedesktop defaults behind xdg-open.
        return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
#else
        return false;
#endif
    }
};

ShellBackend& backend() {
    static SystemShell system;
    return currentBackend() ? *currentBackend() : system;
}

} // namespace

CommandSyntax nativeCommandSyntax() {
#ifdef Q_OS_WIN
    return CommandSyntax::Windows;
#else
    return CommandSyntax::Posix;
#endif
}

QStringList splitCommandLine(const QString& commandLine, CommandSyntax syntax) {
    return syntax == CommandSyntax::Posix ? splitPosix(commandLine) : splitWindows(commandLine);
}

QString quoteCommandWord(const QString& word, CommandSyntax syntax) {
    if (!needsQuoting(word, syntax))
        return word;
    if (syntax == CommandSyntax::Windows) // a Windows file name cannot hold a double quote
        return QLatin1Char('"') + word + QLatin1Char('"');
    QString quoted = word;
    quoted.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool StartProgram(const QString& commandLine, int showCode) {
    QStringList words = splitCommandLine(commandLine);
    if (words.isEmpty() || words.first().isEmpty())
        return false;
    const QString program = words.takeFirst();
    return backend().start(program, words, showCode);
}

bool OpenWithDefaultApp(const QString& path) {
    return backend().openWithDefaultApp(path);
}

void setShellBackend(ShellBackend* backend) {
    currentBackend() = backend;
}

} // namespace kelvane
