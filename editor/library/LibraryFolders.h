// Where cliptext libraries and templates live: the folder shipped beside the program (read)
// and the user's own folder (read and written), shown together as one list of names.
#pragma once

#include <QString>
#include <QStringList>

namespace kelvane {

/// One kind of library folder, e.g. "CLIPTEXT" or "TEMPLATE".
class LibraryFolder {
public:
    /// The folder named `name` beside the program and under the user's data folder.
    explicit LibraryFolder(QString name);

    /// The folder shipped with the program: AppPath + name + separator.
    QString shippedFolder() const;
    /// The user's own folder (under the platform's application-data location), ending in a
    /// separator. It may not exist yet.
    QString userFolder() const;

    /// Every entry name of both folders, sorted without regard to case; a user's entry hides
    /// a shipped one of the same name. Hidden files are left out.
    QStringList entries() const;
    /// The file an entry is read from: the user's when there is one, else the shipped one.
    /// Empty when neither folder has it.
    QString pathOf(const QString& entry) const;

    /// The file a new entry of that name is written to, creating the user's folder when it
    /// does not exist yet. Empty with the reason in `error` when the name cannot be a file
    /// name or the folder cannot be created.
    QString writablePathFor(const QString& entry, QString& error) const;

    /// True when `entry` can name a file of its own in the folder on every platform the
    /// editor runs on; otherwise false with the reason in `error`.
    static bool isUsableName(const QString& entry, QString& error);

private:
    QString name_;
};

/// The shipped cliptext libraries and the user's own.
LibraryFolder clipTextFolder();
/// The shipped templates and the user's own.
LibraryFolder templateFolder();

/// Replaces the user's data folder under which the user's library folders live (tests use a
/// scratch folder); the empty text restores the platform's application-data location.
void setUserDataFolderOverride(const QString& folder);

} // namespace kelvane
