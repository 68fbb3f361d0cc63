// Storage of a splitter's properties with the host window.
#include "splitter/SplitterPropertyBag.h"

#include <QSettings>

namespace kelvane {

std::optional<QString> MemoryPropertyBag::read(const QString& name) const {
    const auto found = values_.constFind(name.toLower());
    if (found == values_.constEnd())
        return std::nullopt;
    return *found;
}

void MemoryPropertyBag::write(const QString& name, const QString& value) {
    values_.insert(name.toLower(), value);
}

void MemoryPropertyBag::remove(const QString& name) {
    values_.remove(name.toLower());
}

SettingsPropertyBag::SettingsPropertyBag(QSettings& settings, const QString& group)
    : settings_(settings), group_(group) {}

std::optional<QString> SettingsPropertyBag::storedKey(const QString& name) const {
    settings_.beginGroup(group_);
    const QStringList keys = settings_.childKeys();
    settings_.endGroup();
    for (const QString& key : keys)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return key;
    return std::nullopt;
}

std::optional<QString> SettingsPropertyBag::read(const QString& name) const {
    const std::optional<QString> key = storedKey(name);
    if (!key)
        return std::nullopt;
    return settings_.value(group_ + QLatin1Char('/') + *key).toString();
}

void SettingsPropertyBag::write(const QString& name, const QString& value) {
    if (const std::optional<QString> key = storedKey(name); key && *key != name)
        settings_.remove(group_ + QLatin1Char('/') + *key);
    settings_.setValue(group_ + QLatin1Char('/') + name, value);
}

void SettingsPropertyBag::remove(const QString& name) {
    if (const std::optional<QString> key = storedKey(name))
        settings_.remove(group_ + QLatin1Char('/') + *key);
}

namespace {

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

/// Stores a value, or removes it when it equals its writing default.
void writeOrDefault(PropertyBag& bag, const QString& name, const QString& value,
                    const QString& writingDefault) {
    if (value == writingDefault)
        bag.remove(name);
    else
        bag.write(name, value);
}

void writeNumber(PropertyBag& bag, const QString& name, qint64 value, qint64 writingDefault) {
    writeOrDefault(bag, name, QString::number(value), QString::number(writingDefault));
}

qint64 readNumber(const PropertyBag& bag, const QString& name, qint64 readingDefault) {
    const std::optional<QString> text = bag.read(name);
    if (!text)
        return readingDefault;
    bool ok = false;
    const qint64 value = text->trimmed().toLongLong(&ok);
    return ok ? value : readingDefault;
}

bool readFlag(const PropertyBag& bag, const QString& name, bool readingDefault) {
    const std::optional<QString> text = bag.read(name);
    if (!text)
        return readingDefault;
    const QString t = text->trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int number = t.toInt(&ok);
    return ok ? number != 0 : readingDefault;
}

} // namespace

void WriteSplitterProperties(const SplitterProperties& p, PropertyBag& bag) {
    writeNumber(bag, QStringLiteral("BackColor"), p.BackColor, kButtonFaceColour);
    writeOrDefault(bag, QStringLiteral("Enabled"), boolText(p.Enabled), boolText(true));
    writeNumber(bag, QStringLiteral("BorderStyle"), p.BorderStyle, 0);
    bag.write(QStringLiteral("Style"), QString::number(p.Style));
    writeNumber(bag, QStringLiteral("MinHorizontalSize"), p.MinHorizontalSize, 300);
    writeNumber(bag, QStringLiteral("MinVerticalSize"), p.MinVerticalSize, 300);
    writeNumber(bag, QStringLiteral("SplitterHeight"), p.SplitterHeight, 60);
    writeNumber(bag, QStringLiteral("SplitterWidth"), p.SplitterWidth, 60);
    writeNumber(bag, QStringLiteral("SplitterTop"), p.SplitterTop, 0);
    writeNumber(bag, QStringLiteral("SplitterLeft"), p.SplitterLeft, 0);
    writeNumber(bag, QStringLiteral("SplitterOrientation"), p.SplitterOrientation, 0);
}

SplitterProperties ReadSplitterProperties(const PropertyBag& bag, int initialHalfWidth,
                                          int initialHalfHeight) {
    SplitterProperties p;
    p.BackColor = WinColour(readNumber(bag, QStringLiteral("BackColor"), kButtonFaceColour));
    p.Enabled = readFlag(bag, QStringLiteral("Enabled"), true);
    p.BorderStyle = int(readNumber(bag, QStringLiteral("BorderStyle"), 0));
    p.Style = int(readNumber(bag, QStringLiteral("Style"), TwoPanes));
    if (p.Style < TwoPanes || p.Style > SinglePaneBottom)
        p.Style = TwoPanes;
    p.MinHorizontalSize = int(readNumber(bag, QStringLiteral("MinHorizontalSize"), 300));
    p.MinVerticalSize = int(readNumber(bag, QStringLiteral("MinVerticalSize"), 300));
    p.SplitterHeight = int(readNumber(bag, QStringLiteral("SplitterHeight"), 60));
    p.SplitterWidth = int(readNumber(bag, QStringLiteral("SplitterWidth"), 60));
    p.SplitterTop = int(readNumber(bag, QStringLiteral("SplitterTop"), initialHalfHeight));
    p.SplitterLeft = int(readNumber(bag, QStringLiteral("SplitterLeft"), initialHalfWidth));
    p.SplitterOrientation = readNumber(bag, QStringLiteral("SplitterOrientation"), 0) == VerticalBar
                                ? VerticalBar
                                : HorizontalBar;
    return p;
}

} // namespace kelvane
