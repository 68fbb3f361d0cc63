// The per-user settings store on QSettings: an INI file under the XDG config folder on Linux,
// the current user's registry on Windows. Matching ignores case on every platform.
#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace kelvane {

namespace {

QString& overridePath() {
    static QString path;
    return path;
}

std::unique_ptr<QSettings> openStore(const QString& application) {
    if (!overridePath().isEmpty())
        return std::make_unique<QSettings>(overridePath(), QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("VB and VBA Program Settings"), application);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application,
                                       application);
#endif
}

/// The stored spelling of a name among the given ones, or the name itself when absent.
QString storedSpelling(const QStringList& names, const QString& wanted) {
    for (const QString& name : names)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    return wanted;
}

/// Opens the store at a section and finds the spelling under which a key is stored.
struct OpenedKey {
    std::unique_ptr<QSettings> store;
    QString storedKey;
};

OpenedKey openKey(const QString& application, const QString& section, const QString& key) {
    OpenedKey opened{openStore(application), QString()};
    opened.store->beginGroup(storedSpelling(opened.store->childGroups(), section));
    opened.storedKey = storedSpelling(opened.store->childKeys(), key);
    return opened;
}

} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const OpenedKey opened = openKey(application, section, key);
    const QVariant value = opened.store->value(opened.storedKey);
    if (!value.isValid())
        return defaultValue;
    // An INI value holding a comma reads back as a list; join it to the text that was written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value) {
    const OpenedKey opened = openKey(application, section, key);
    if (opened.storedKey != key)
        opened.store->remove(opened.storedKey);
    opened.store->setValue(key, value);
    opened.store->endGroup();
    opened.store->sync();
}

void setSettingsFileOverride(const QString& iniPath) {
    overridePath() = iniPath;
}

QString settingsLocation(const QString& application) {
    return openStore(application)->fileName();
}

} // namespace kelvane
