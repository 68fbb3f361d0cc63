// Making the editor the program the desktop opens a file type with: a desktop entry, MIME types
// and the user's mimeapps.list on freedesktop systems; per-user classes in the registry on
// Windows.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvane {

/// The freedesktop folders an association touches.
struct XdgPlaces {
    QString dataHome;     ///< $XDG_DATA_HOME, else ~/.local/share
    QString configHome;   ///< $XDG_CONFIG_HOME, else ~/.config
    QStringList dataDirs; ///< $XDG_DATA_DIRS, else /usr/local/share and /usr/share

    /// The folders as the environment names them, with the standard defaults.
    static XdgPlaces fromEnvironment();
};

class FileAssociations {
public:
    /// The desktop entry of the editor, as installed and as written for a user.
    static const QString kDesktopFileId;
    /// The editor's own MIME type, for workspace files.
    static const QString kProjectMimeType;
    /// The name of the editor's shared-mime-info package (in mime/packages/).
    static const QString kMimePackageName;

    /// Associations for the program at programPath (the executable's full path).
    explicit FileAssociations(QString programPath, XdgPlaces places = XdgPlaces::fromEnvironment());

    /// The file-name extensions, lower case and without the dot, that an extension key such as
    /// ".TXT" or ".HTM?" stands for ("?" stands for the longer spelling: ".htm" and ".html").
    static QStringList extensionsOf(const QString& extensionKey);
    /// The MIME type that the desktop gives files with the extension (lower case, no dot).
    static QString mimeTypeOf(const QString& extension);
    /// Every MIME type the editor offers to open (the desktop entry's MimeType list).
    static QStringList mimeTypes();
    /// The editor's shared-mime-info package: the workspace type and the globs it adds.
    static QByteArray mimePackage();
    /// A desktop entry's Exec value that starts the program with one file: the program path
    /// quoted when it must be, then the %f field code.
    static QString desktopExec(const QString& programPath);
    /// The desktop entry written for a user whose editor is not installed system-wide.
    QByteArray userDesktopEntry() const;

    /// Makes the editor the default for the files of one extension key. Registering again
    /// leaves the same state. False, with the reason in `error`, when a file could not be
    /// written.
    bool registerType(const QString& extensionKey, QString* error = nullptr);

    /// True when a desktop entry installed system-wide already starts this program.
    bool installedSystemWide() const;

private:
    bool ensureDesktopEntry(QString* error);
    bool ensureMimePackage(QString* error);
    bool setDefaultApplication(const QString& mimeType, QString* error);

    QString programPath_;
    XdgPlaces places_;
};

/// Sets `key=value` in one section of a freedesktop key file's text, keeping every other line;
/// a missing section is added at the end. Returns the new text.
QString setKeyFileValue(const QString& text, const QString& section, const QString& key,
                        const QString& value);

} // namespace kelvane
