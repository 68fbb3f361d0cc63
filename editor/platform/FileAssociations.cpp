// File associations: freedesktop files written for the user, or the registry on Windows.
#include "platform/FileAssociations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace kelvane {

const QString FileAssociations::kDesktopFileId = QStringLiteral("kelvane.desktop");
const QString FileAssociations::kProjectMimeType = QStringLiteral("application/x-kelvane-project");
const QString FileAssociations::kMimePackageName = QStringLiteral("kelvane.xml");

namespace {

/// The marker that tells a desktop entry written by registerType from an installed one.
const QString kUserEntryMarker = QStringLiteral("X-Kelvane-User-Entry=true");

struct ExtensionType {
    const char* extension;
    const char* mimeType;
};

// The standard types of shared-mime-info, and the editor's own for workspaces. ".jav" has no
// standard glob; the editor's MIME package adds it to the Java type.
constexpr ExtensionType kTypes[] = {
    {"kpj", "application/x-kelvane-project"},
    {"txt", "text/plain"},
    {"c", "text/x-csrc"},
    {"cpp", "text/x-c++src"},
    {"htm", "text/html"},
    {"html", "text/html"},
    {"pl", "application/x-perl"},
    {"jav", "text/x-java"},
    {"java", "text/x-java"},
};

QString homeFolder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    // A relative folder in these variables is not meant to be used: fall back to the home folder.
    return QDir::isAbsolutePath(value) ? value : QDir::homePath() + QLatin1Char('/') + fallback;
}

QString errorText(const QString& what, const QString& path, const QString& reason) {
    return what + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

/// Writes a file only when its content would change, through a temporary file. An unchanged
/// file reports false in `written`.
bool writeIfChanged(const QString& path, const QByteArray& content, bool* written, QString* error) {
    *written = false;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = errorText(QStringLiteral("Could not create the folder of"), path,
                               QStringLiteral("permission denied or no such folder"));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        if (error)
            *error = errorText(QStringLiteral("Could not write"), path, file.errorString());
        return false;
    }
    *written = true;
    return true;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The first word of a desktop entry's Exec value, with its quotes and escapes undone.
QString execProgram(const QString& exec) {
    QString program;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (quoted && c == QLatin1Char('\\') && i + 1 < exec.size()) {
            program += exec[++i];
        } else if (!quoted && c == QLatin1Char(' ')) {
            if (!program.isEmpty())
                break;
        } else {
            program += c;
        }
    }
    return program;
}

/// The unescaped value of a key in the [Desktop Entry] group of a desktop entry's text.
QString desktopEntryValue(const QString& text, const QString& key) {
    bool inGroup = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.startsWith(key + QLatin1Char('='))) {
            QString value = line.mid(key.size() + 1);
            return value.replace(QLatin1String("\\\\"), QLatin1String("\\"));
        }
    }
    return QString();
}

QString canonical(const QString& path) {
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QFileInfo(path).absoluteFilePath() : resolved;
}

/// Runs a helper program of the desktop, waiting for it; false when it is missing or fails.
bool runHelper(const QString& program, const QStringList& arguments, QString* error) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        if (error)
            *error = program + QStringLiteral(" was not found; install shared-mime-info.");
        return false;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (error)
            *error = program + QStringLiteral(" failed: ") +
                     QString::fromLocal8Bit(process.readAll()).trimmed();
        return false;
    }
    return true;
}

} // namespace

XdgPlaces XdgPlaces::fromEnvironment() {
    XdgPlaces places;
    places.dataHome = homeFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
    places.configHome = homeFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
    const QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            places.dataDirs << dir;
    if (places.dataDirs.isEmpty())
        places.dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    return places;
}

FileAssociations::FileAssociations(QString programPath, XdgPlaces places)
    : programPath_(std::move(programPath)), places_(std::move(places)) {}

QStringList FileAssociations::extensionsOf(const QString& extensionKey) {
    QString key = extensionKey.toLower();
    if (key.startsWith(QLatin1Char('.')))
        key.remove(0, 1);
    if (key.endsWith(QLatin1Char('?'))) {
        // The short spelling and the long one of the same kind of file.
        key.chop(1);
        if (key == QLatin1String("htm"))
            return {QStringLiteral("htm"), QStringLiteral("html")};
        if (key == QLatin1String("jav"))
            return {QStringLiteral("jav"), QStringLiteral("java")};
        return {key};
    }
    return {key};
}

QString FileAssociations::mimeTypeOf(const QString& extension) {
    const QString lower = extension.toLower();
    for (const ExtensionType& type : kTypes)
        if (lower == QLatin1String(type.extension))
            return QString::fromLatin1(type.mimeType);
    return QString();
}

QStringList FileAssociations::mimeTypes() {
    QStringList types;
    for (const ExtensionType& type : kTypes)
        if (!types.contains(QLatin1String(type.mimeType)))
            types << QString::fromLatin1(type.mimeType);
    return types;
}

QByteArray FileAssociations::mimePackage() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-kelvane-project\">\n"
        "    <comment>Kelvane project/workspace</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <glob pattern=\"*.kpj\"/>\n"
        "  </mime-type>\n"
        "  <mime-type type=\"text/x-java\">\n"
        "    <comment>Java source code</comment>\n"
        "    <sub-class-of type=\"text/x-csrc\"/>\n"
        "    <glob pattern=\"*.java\"/>\n"
        "    <glob pattern=\"*.jav\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QString FileAssociations::desktopExec(const QString& programPath) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = programPath.isEmpty();
    for (const QChar c : programPath)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString program = programPath;
    if (needsQuotes) {
        QString escaped;
        for (const QChar c : programPath) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                escaped += QLatin1Char('\\');
            escaped += c;
        }
        program = QLatin1Char('"') + escaped + QLatin1Char('"');
    }
    program.replace(QLatin1String("%"), QLatin1String("%%"));
    // The value is a string of the key file, whose own escape doubles every backslash.
    program.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    return program + QStringLiteral(" %f");
}

QByteArray FileAssociations::userDesktopEntry() const {
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Name=Kelvane\n"
                                   "GenericName=Text Editor\n"
                                   "Comment=Programmer's syntax editor\n"
                                   "Icon=kelvane\n"
                                   "Terminal=false\n"
                                   "Categories=Development;TextEditor;\n");
    entry += QStringLiteral("Exec=") + desktopExec(programPath_) + QLatin1Char('\n');
    entry +=
        QStringLiteral("MimeType=") + mimeTypes().join(QLatin1Char(';')) + QStringLiteral(";\n");
    entry += kUserEntryMarker + QLatin1Char('\n');
    return entry.toUtf8();
}

bool FileAssociations::installedSystemWide() const {
    const QString self = canonical(programPath_);
    for (const QString& dir : places_.dataDirs) {
        const QString path = dir + QStringLiteral("/applications/") + kDesktopFileId;
        if (!QFile::exists(path))
            continue;
        const QString program =
            execProgram(desktopEntryValue(QString::fromUtf8(readFile(path)), "Exec"));
        const QString found =
            QDir::isAbsolutePath(program) ? program : QStandardPaths::findExecutable(program);
        if (!found.isEmpty() && canonical(found) == self)
            return true;
    }
    return false;
}

bool FileAssociations::ensureDesktopEntry(QString* error) {
    const QString userEntry = places_.dataHome + QStringLiteral("/applications/") + kDesktopFileId;
    if (installedSystemWide()) {
        // A copy written earlier for a program that is now installed would hide the real entry.
        if (QString::fromUtf8(readFile(userEntry)).contains(kUserEntryMarker))
            QFile::remove(userEntry);
        return true;
    }
    bool written = false;
    if (!writeIfChanged(userEntry, userDesktopEntry(), &written, error))
        return false;
    const QFile icon(QStringLiteral(":/icons/kelvane.svg"));
    if (icon.exists()) {
        bool iconWritten = false;
        writeIfChanged(places_.dataHome +
                           QStringLiteral("/icons/hicolor/scalable/apps/kelvane.svg"),
                       readFile(icon.fileName()), &iconWritten, nullptr);
    }
    // No mimeinfo.cache is built for the user's entry: desktops that fall back on that cache
    // would take the editor as the default for every type it can open, not only the chosen ones.
    return true;
}

bool FileAssociations::ensureMimePackage(QString* error) {
    for (const QString& dir : places_.dataDirs)
        if (QFile::exists(dir + QStringLiteral("/mime/packages/") + kMimePackageName))
            return true; // installed with the program
    const QString mimeFolder = places_.dataHome + QStringLiteral("/mime");
    bool written = false;
    if (!writeIfChanged(mimeFolder + QStringLiteral("/packages/") + kMimePackageName, mimePackage(),
                        &written, error))
        return false;
    const bool known =
        readFile(mimeFolder + QStringLiteral("/globs2")).contains(kProjectMimeType.toUtf8());
    if (!written && known)
        return true;
    return runHelper(QStringLiteral("update-mime-database"), {mimeFolder}, error);
}

bool FileAssociations::setDefaultApplication(const QString& mimeType, QString* error) {
    const QString path = places_.configHome + QStringLiteral("/mimeapps.list");
    const QString text = QString::fromUtf8(readFile(path));
    const QString updated =
        setKeyFileValue(text, QStringLiteral("Default Applications"), mimeType, kDesktopFileId);
    bool written = false;
    return writeIfChanged(path, updated.toUtf8(), &written, error);
}

bool FileAssociations::registerType(const QString& extensionKey, QString* error) {
    const QStringList extensions = extensionsOf(extensionKey);
#ifdef Q_OS_WIN
    // Per-user classes: program key, extension keys, and the open command with its path and
    // file argument quoted.
    Q_UNUSED(error);
    const QString title = QStringLiteral("Kelvane");
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"),
                      QSettings::NativeFormat);
    classes.setValue(title + QStringLiteral("/Default"), title);
    for (const QString& extension : extensions)
        classes.setValue(QLatin1Char('.') + extension + QStringLiteral("/Default"), title);
    classes.setValue(title + QStringLiteral("/shell/open/command/Default"),
                     QLatin1Char('"') + QDir::toNativeSeparators(programPath_) +
                         QStringLiteral("\" \"%1\""));
    classes.sync();
    return classes.status() == QSettings::NoError;
#else
    QStringList types;
    for (const QString& extension : extensions) {
        const QString type = mimeTypeOf(extension);
        if (type.isEmpty()) {
            if (error)
                *error = QStringLiteral("No file type is known for .") + extension;
            return false;
        }
        if (!types.contains(type))
            types << type;
    }
    if (!ensureDesktopEntry(error))
        return false;
    const bool ownGlobs =
        extensions.contains(QLatin1String("kpj")) || extensions.contains(QLatin1String("jav"));
    if (ownGlobs && !ensureMimePackage(error))
        return false;
    for (const QString& type : types)
        if (!setDefaultApplication(type, error))
            return false;
    return true;
#endif
}

QString setKeyFileValue(const QString& text, const QString& section, const QString& key,
                        const QString& value) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionStart = -1;
    qsizetype sectionEnd = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (sectionStart < 0) {
            if (trimmed == header)
                sectionStart = i;
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('['))) {
            sectionEnd = i;
            break;
        }
        const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
        if (equals > 0 && trimmed.left(equals).trimmed() == key) {
            lines[i] = entry;
            return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        }
    }
    if (sectionStart < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << header << entry;
    } else {
        // After the section's last entry, before the blank lines that end it.
        qsizetype at = sectionEnd;
        while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, entry);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace kelvane
