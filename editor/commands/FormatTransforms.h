// The Format menu's changes worked out on plain text: case changes and trims of a selection,
// the edits of Indent, Unindent and Tabs to Spaces.
#pragma once

#include "document/TextEdits.h"

#include <QString>
#include <QStringView>

namespace kelvane {

/// The selection with every letter in upper case.
QString toUpperCase(const QString& text);
/// The selection with every letter in lower case.
QString toLowerCase(const QString& text);
/// The selection in lower case with its first character in upper case.
QString capitalizeFirstLetter(const QString& text);
/// Blanks (character 32 only) removed from the end of the selection.
QString trimTrailingBlanks(const QString& text);
/// Blanks removed from the start of the selection.
QString trimPrecedingBlanks(const QString& text);
/// Blanks removed from both ends of the selection.
QString trimBlanks(const QString& text);

/// The lines an indent or unindent works on, as document positions ('\n' breaks).
struct SelectedLines {
    qsizetype firstStart = 0; ///< start of the first line
    qsizetype lastStart = 0;  ///< start of the last line
};

/// The lines touched by the selection [from, to): a selection that ends just after a line
/// break does not take in the line that follows it.
SelectedLines selectedLines(QStringView text, qsizetype from, qsizetype to);

/// Four blanks inserted at the start of every line of the range.
TextEdits indentEdits(QStringView text, const SelectedLines& lines);
/// Four leading blanks removed from every line of the range that starts with them.
TextEdits unindentEdits(QStringView text, const SelectedLines& lines);

/// Every tab replaced by `spaces` blanks (none: the tab is removed).
TextEdits tabsToSpacesEdits(QStringView text, int spaces);

} // namespace kelvane
