// Profile files: the EditorSettings record written field by field as bytes.
#pragma once

#include "settings/EditorSettings.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace kelvane {

/// Fields of a profile record, from Keywords0 to CaseSensitive.
inline constexpr int kProfileFieldCount = int(std::tuple_size_v<decltype(kSettingFields)>);

/// The record's bytes: texts as a 16-bit little-endian byte count and Windows-1252 bytes,
/// flags as 16-bit -1/0, integers and colours as 32-bit little-endian, the size as an IEEE
/// single, little-endian; the reserved text is always written empty. Nothing when a text is
/// longer than a 16-bit count can hold.
std::optional<QByteArray> encodeProfile(const EditorSettingsRecord& settings);

/// Reads a record into `settings`, field by field; a field that the bytes do not hold in full
/// and every field after it keep their values, and bytes after the record are ignored.
/// Returns the number of fields read (0 to kProfileFieldCount).
int decodeProfile(QByteArrayView bytes, EditorSettingsRecord& settings);

/// Copies the fields a profile sets when it is applied: the keyword lists, their colours and
/// count, the delimiter colour and set, and the two colouring switches.
void applyProfileFields(const EditorSettingsRecord& profile, EditorSettingsRecord& settings);

} // namespace kelvane
