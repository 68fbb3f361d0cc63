// The recovery journal reader on any bytes: it takes only whole entries, each of which writes
// back as exactly the bytes it was read from, and replaying them on a text never fails.
#include "FuzzSupport.h"
#include "platform/RecoveryJournal.h"

using namespace kelvane;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes = fuzz::bytesOf(data, size);
    const std::optional<JournalContents> journal = decodeJournal(bytes);
    if (!journal)
        return 0;
    QByteArray again = journalHeader(journal->generation);
    for (const JournalEdit& edit : journal->edits)
        again += encodeJournalEdit(edit);
    require(again.size() == journal->wholeBytes, "the whole entries are all that was read");
    require(bytes.first(journal->wholeBytes) == again,
            "whole entries write back as the bytes they were read from");
    QString text = QStringLiteral("a short text\nof two lines");
    const std::size_t applied = applyJournal(text, journal->edits);
    require(applied <= journal->edits.size(), "no more edits replayed than read");
    return 0;
}
