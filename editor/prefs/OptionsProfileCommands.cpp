// The Options dialog's "Default Profiles" tab: listing, applying and exporting profiles.
#include "library/LibraryFolders.h"
#include "platform/AppPaths.h"
#include "platform/FileIO.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/TextLines.h"
#include "prefs/ProfileRecord.h"
#include "prefs/frmOptions.h"
#include "settings/EditorSettings.h"

#include <QFileInfo>
#include <QListWidget>

namespace kelvane {

namespace {

const QString kExportTitle = QStringLiteral("Export Settings as Profile");

void reportExportFailure(const QString& name, const QString& reason) {
    MsgBox(QStringLiteral("The profile \"") + name + QStringLiteral("\" could not be saved.") +
               kCrLf + reason,
           vbOKOnly | vbExclamation, QStringLiteral("File I/O Error"));
}

} // namespace

LibraryFolder frmOptions::profileFolders() {
    return LibraryFolder(QStringLiteral("PROFILES"));
}

QString frmOptions::profileFolder() {
    return profileFolders().shippedFolder();
}

void frmOptions::refreshProfileList() {
    lstProfiles->clear();
    // The shipped profiles and the user's own, as one list; the user's hides a shipped one.
    lstProfiles->addItems(profileFolders().entries());
}

void frmOptions::cmdApplyProfile_Click() {
    const QListWidgetItem* item = lstProfiles->currentItem();
    if (!item || !item->isSelected())
        return;
    QByteArray bytes;
    QString error;
    const QString path = profileFolders().pathOf(item->text());
    if (path.isEmpty() || !readWholeFile(path, bytes, error))
        return;
    // Fields a short file lacks keep their current values; a file without even its first
    // field changes nothing, and the dialog keeps what the user has edited.
    EditorSettingsRecord profile = EditorSettings;
    if (decodeProfile(bytes, profile) == 0)
        return;
    applyProfileFields(profile, EditorSettings);
    UpdateDisplayElements();
}

void frmOptions::cmdExportProfile_Click() {
    TranslateSettings();
    const QString name = InputBoxEx(
        QStringLiteral("Enter the name of the profile you wish to save. This is the name that "
                       "will appear on the 'Default Profiles' list on the Options dialog."),
        kExportTitle, QString());
    if (name.isEmpty())
        return;
    const std::optional<QByteArray> record = encodeProfile(EditorSettings);
    if (!record) {
        MsgBox(QStringLiteral("The current settings are too large to be saved as a profile."),
               vbOKOnly | vbExclamation, kExportTitle);
        return;
    }
    // Profiles are written to the user's own folder: the program's folder is not writable
    // once installed. A profile of the same name there, or shipped, is asked about first.
    const LibraryFolder folders = profileFolders();
    QString error;
    const QString target = folders.writablePathFor(name, error);
    if (target.isEmpty()) {
        reportExportFailure(name, error);
        return;
    }
    QByteArray old;
    const QString existing = folders.pathOf(name);
    if (existing.isEmpty() && QFileInfo::exists(target)) {
        reportExportFailure(name, target + QStringLiteral(" is not a file."));
        return;
    }
    if (!existing.isEmpty()) {
        if (!readWholeFile(existing, old, error)) {
            reportExportFailure(name, error);
            return;
        }
        if (!old.isEmpty() &&
            MsgBox(
                QStringLiteral(
                    "A profile with this name exists. Do you wish to overwrite the old profile?"),
                vbYesNo, QStringLiteral("Confirm")) != vbYes)
            return;
    }
    // The record goes over the start of the file; a longer old file keeps its tail, which
    // readers ignore.
    if (!writeFileAtomically(target, *record + old.mid(record->size()), error))
        reportExportFailure(name, error);
    refreshProfileList();
}

} // namespace kelvane
