// Storage of a splitter's properties with the host window: a bag of named text values, written
// without the values that equal their writing defaults and read with the reading defaults.
#pragma once

#include "splitter/SplitterGeometry.h"

#include <QMap>
#include <QString>

#include <optional>

class QSettings;

namespace kelvane {

/// Named values the host keeps for a control; names are matched without regard to case.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    /// The stored text of a name, or nothing when it is not stored.
    virtual std::optional<QString> read(const QString& name) const = 0;
    virtual void write(const QString& name, const QString& value) = 0;
    virtual void remove(const QString& name) = 0;
};

/// A bag held in memory.
class MemoryPropertyBag : public PropertyBag {
public:
    std::optional<QString> read(const QString& name) const override;
    void write(const QString& name, const QString& value) override;
    void remove(const QString& name) override;
    /// The stored names, in lower case.
    QStringList names() const { return values_.keys(); }

private:
    QMap<QString, QString> values_; // keyed by the lower-case name
};

/// A bag kept in one group of a QSettings file.
class SettingsPropertyBag : public PropertyBag {
public:
    SettingsPropertyBag(QSettings& settings, const QString& group);
    std::optional<QString> read(const QString& name) const override;
    void write(const QString& name, const QString& value) override;
    void remove(const QString& name) override;

private:
    /// The stored spelling of a name in the group, or nothing.
    std::optional<QString> storedKey(const QString& name) const;
    QSettings& settings_;
    QString group_;
};

/// Writes every property; a value equal to its writing default is left out (and removed).
void WriteSplitterProperties(const SplitterProperties& properties, PropertyBag& bag);

/// Reads every property; a missing or unreadable value takes its reading default (the bar's
/// positions default to the control's first half width and height).
SplitterProperties ReadSplitterProperties(const PropertyBag& bag, int initialHalfWidth,
                                          int initialHalfHeight);

} // namespace kelvane
