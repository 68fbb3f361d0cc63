// The recovery journal: the edits made to a document since its recovery file (the base copy)
// was written, appended one entry at a time so that keeping a large document safe costs what
// the edit costs, not what the document costs.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace kelvane {

/// One edit of a document's text ('\n' line breaks): `removed` characters at `from` became
/// `inserted`.
struct JournalEdit {
    qint64 from = 0;
    qint64 removed = 0;
    QString inserted;

    bool operator==(const JournalEdit&) const = default;
};

/// The journal's first line: its signature and the generation of the base copy it continues.
QByteArray journalHeader(quint64 generation);

/// One entry: a marker, the three numbers and the inserted text as UTF-16 little-endian code
/// units, then a check sum of all of it, so that a torn or damaged entry is never taken for one.
QByteArray encodeJournalEdit(const JournalEdit& edit);

/// What a journal holds: the generation of its base and its whole entries in order.
struct JournalContents {
    quint64 generation = 0;
    std::vector<JournalEdit> edits;
    qsizetype wholeBytes = 0; ///< bytes up to the end of the last whole entry
};

/// Reads a journal's bytes: nothing without a whole header; otherwise every entry up to the
/// first incomplete or damaged one (a run killed mid-append leaves half an entry at the end).
std::optional<JournalContents> decodeJournal(QByteArrayView bytes);

/// Applies the edits to `text` in order and returns how many fit: an edit that reaches past
/// the text (a journal that belongs to another text) stops it, leaving what came before.
std::size_t applyJournal(QString& text, const std::vector<JournalEdit>& edits);

} // namespace kelvane
