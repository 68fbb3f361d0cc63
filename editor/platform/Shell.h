// Handing work to other programs: starting a command line without a shell, and opening a file
// with the desktop's default application.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kelvane {

/// How a command line groups its words.
enum class CommandSyntax {
    /// Blanks separate words; '...' keeps everything literally; "..." groups and takes \" and
    /// \\ as escapes; outside quotes a backslash takes the next character literally.
    Posix,
    /// Blanks separate words; "..." groups; backslashes are ordinary characters (Windows paths).
    Windows,
};

/// The syntax of the platform the editor runs on.
CommandSyntax nativeCommandSyntax();

/// Splits a command line into the program and its arguments. Nothing is expanded: no
/// variables, no wildcards, no redirections; an unclosed quote runs to the end of the line.
QStringList splitCommandLine(const QString& commandLine,
                             CommandSyntax syntax = nativeCommandSyntax());

/// Writes a text so that splitCommandLine reads it back as one word: unchanged when it needs no
/// quoting, otherwise quoted.
QString quoteCommandWord(const QString& word, CommandSyntax syntax = nativeCommandSyntax());

/// Show-window codes a caller may ask for when starting a program.
enum ShowWindowCode : int {
    vbHide = 0,
    vbNormalFocus = 1,
    vbMinimizedFocus = 2,
    vbMaximizedFocus = 3,
    vbNormalNoFocus = 4,
    vbMinimizedNoFocus = 6,
};

/// Starts the program of a command line (split by splitCommandLine) and returns at once; the
/// program is not waited for. The show-window code is passed to the program's first window on
/// Windows; elsewhere the window system gives no way to impose it and it is not used. False
/// when the line is empty or the program cannot be started.
bool StartProgram(const QString& commandLine, int showCode);

/// Asks the desktop to open a file with the application it associates with the file's type.
/// False when the desktop refused.
bool OpenWithDefaultApp(const QString& path);

/// Where StartProgram and OpenWithDefaultApp go: the real system, or a recorder in tests.
class ShellBackend {
public:
    virtual ~ShellBackend() = default;
    virtual bool start(const QString& program, const QStringList& arguments, int showCode) = 0;
    virtual bool openWithDefaultApp(const QString& path) = 0;
};

/// Replaces the real system (nullptr restores it).
void setShellBackend(ShellBackend* backend);

/// A recording back end for tests: remembers every request and starts nothing.
class RecordingShell : public ShellBackend {
public:
    struct Start {
        QString program;
        QStringList arguments;
        int showCode = 0;
    };

    RecordingShell() { setShellBackend(this); }
    ~RecordingShell() override { setShellBackend(nullptr); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    bool start(const QString& program, const QStringList& arguments, int showCode) override {
        starts.push_back({program, arguments, showCode});
        return true;
    }
    bool openWithDefaultApp(const QString& path) override {
        opened.push_back(path);
        return true;
    }

    std::vector<Start> starts;
    QStringList opened;
};

} // namespace kelvane
