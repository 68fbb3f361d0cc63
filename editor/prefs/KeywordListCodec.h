// Keyword lists as the settings keep them: every word followed by U+00FF.
#pragma once

#include "document/KeywordList.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kelvane {

/// The words of a stored list as the Options dialog shows them: the words the colouring reads,
/// up to the first empty piece, so text after the last separator is not among them.
QStringList splitKeywordList(QStringView stored);

/// The stored form of a list: every word followed by U+00FF; the empty list is the empty text.
QString joinKeywordList(const QStringList& words);

} // namespace kelvane
