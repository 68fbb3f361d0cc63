// The Options dialog's "Default Profiles" tab: listing, applying and exporting profiles.
#include "settings/EditorSettings.h"
#include "platform/InputBox.h"
#include "platform/AppPaths.h"
#include "platform/FileIO.h"
#include "platform/MsgBox.h"
#include "prefs/ProfileRecord.h"
#include "prefs/frmOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

namespace kelvane {

namespace {

// A profile name is a plain file name inside the profile folder.
bool isPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

QString frmOptions::profileFolder() {
    return AppPath() + QStringLiteral("PROFILES") + QDir::separator();
}

void frmOptions::refreshProfileList() {
    lstProfiles->clear();
    const QDir folder(profileFolder());
    lstProfiles->addItems(folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmOptions::cmdApplyProfile_Click() {
    const QListWidgetItem* item = lstProfiles->currentItem();
    if (!item || !item->isSelected())
        return;
    QByteArray bytes;
    QString error;
    if (!readWholeFile(profileFolder() + item->text(), bytes, error))
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
        QStringLiteral("Export Settings as Profile"), QString());
    if (!isPlainFileName(name))
        return;
    const std::optional<QByteArray> record = encodeProfile(EditorSettings);
    if (!record) {
        MsgBox(QStringLiteral("The current settings are too large to be saved as a profile."),
               vbOKOnly | vbExclamation, QStringLiteral("Export Settings as Profile"));
        return;
    }
    QDir().mkpath(profileFolder());
    const QString path = profileFolder() + name;
    QByteArray old;
    QString error;
    const QFileInfo existing(path);
    if (existing.exists()) {
        if (!existing.isFile() || !readWholeFile(path, old, error))
            return;
        if (!old.isEmpty() &&
            MsgBox(
                QStringLiteral(
                    "A profile with this name exists. Do you wish to overwrite the old profile?"),
                vbYesNo, QStringLiteral("Confirm")) != vbYes)
            return;
    }
    // The record goes over the start of the file; a longer old file keeps its tail, which
    // readers ignore.
    writeFileAtomically(path, *record + old.mid(record->size()), error);
    refreshProfileList();
}

} // namespace kelvane
