// Keyword lists as the settings keep them: every word followed by U+00FF.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kelvane {

/// The character that ends every word of a stored keyword list.
inline constexpr char16_t kKeywordListSeparator = 0x00FF;

/// The words of a stored list, split at U+00FF from the left up to the first empty piece, so
/// text after the last separator is not among them.
QStringList splitKeywordList(QStringView stored);

/// The stored form of a list: every word followed by U+00FF; the empty list is the empty text.
QString joinKeywordList(const QStringList& words);

} // namespace kelvane
