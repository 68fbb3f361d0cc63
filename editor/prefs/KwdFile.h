// Keyword-list files (.kwd): the three lists one word a line, each list ended by "\NL\".
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>

namespace kelvane {

/// The three keyword lists as the Options dialog shows them.
using KeywordLists = std::array<QStringList, 3>;

/// The line that ends each list in a keyword-list file.
inline const QString kKwdListEnd = QStringLiteral("\\NL\\");

/// The file: each list's words, one a line, then "\NL\"; CR LF line ends; Windows-1252.
QByteArray encodeKwdFile(const KeywordLists& lists);

/// What reading a keyword-list file gave.
struct KwdReadResult {
    KeywordLists lists; ///< what was read, also when reading failed part way
    bool ok = true;
    QString error; ///< the description of the failure when !ok
};

/// Reads a keyword-list file (CR LF, LF or CR line ends; Windows-1252). "\NL\" moves on to the
/// next list (further ones stay on list 3); lines whose first non-space character is "~" are
/// comments; other non-empty lines are words, untrimmed. An empty file is an error, as there
/// is no line to read.
KwdReadResult decodeKwdFile(QByteArrayView bytes);

} // namespace kelvane
