// Base copies of a document's text read a piece per turn of the event loop, so that the thread
// that takes keys never copies a long text at once. Edits made while the copy is under way are
// followed: one in the part already read goes to the new base's journal, one in the rest is
// read with it.
#include "platform/RecoveryKeeper.h"

#include "platform/FileIO.h"

#include <QTimer>

#include <atomic>

namespace kelvane {

namespace {
// Bytes handed to the writing thread and not yet written, beyond which reading waits for it.
constexpr qint64 kMostInFlight = qint64(16) << 20;
} // namespace

struct RecoveryKeeper::BaseCopy {
    quint64 generation = 0;
    qint64 copied = 0;  ///< characters of the present text read into the base
    QByteArray journal; ///< edits made to the part read since
    std::shared_ptr<RecoveryBaseWriter> writer = std::make_shared<RecoveryBaseWriter>();
    std::shared_ptr<std::atomic<qint64>> inFlight = std::make_shared<std::atomic<qint64>>(0);
};

void RecoveryKeeper::startBaseCopy(Entry& entry, const RecoveryRecord& header) {
    auto copy = std::make_shared<BaseCopy>();
    copy->generation = ++entry.generation;
    entry.needsBase = false;
    entry.pending.clear();
    entry.pendingGrowth = 0;
    entry.path = header.path;
    entry.title = header.title;
    entry.copying = copy;
    pool_.start([writer = copy->writer, file = entry.file, header, generation = copy->generation] {
        writer->open(file, header, generation);
    });
    if (!copyTimer_) {
        copyTimer_ = new QTimer(this);
        copyTimer_->setSingleShot(true);
        connect(copyTimer_, &QTimer::timeout, this, &RecoveryKeeper::copyPieces);
    }
    copyTimer_->start(0);
}

void RecoveryKeeper::copyPieces() {
    bool more = false;
    bool waiting = false;
    for (Entry& entry : entries_) {
        if (!entry.copying)
            continue;
        if (entry.copying->inFlight->load() > kMostInFlight)
            waiting = true;
        else
            copyPiece(entry);
        more = more || entry.copying;
    }
    if (more)
        copyTimer_->start(waiting ? 5 : 0);
}

void RecoveryKeeper::copyPiece(Entry& entry) {
    const std::shared_ptr<BaseCopy> copy = entry.copying;
    const qint64 length = entry.source.length();
    const qint64 count = std::min(copyPieceLength_, length - copy->copied);
    if (count > 0) {
        *copy->inFlight += 2 * count;
        pool_.start([writer = copy->writer, inFlight = copy->inFlight,
                     piece = entry.source.piece(copy->copied, count)] {
            writer->append(piece);
            *inFlight -= 2 * piece.size();
        });
        copy->copied += count;
    }
    if (copy->copied < length)
        return;
    // Whole: the base takes the file's place, then a journal of the edits made meanwhile.
    entry.copying.reset();
    entry.textChars = length;
    const QByteArray journal = journalHeader(copy->generation) + copy->journal;
    entry.journalBytes = journal.size();
    pool_.start([writer = copy->writer, file = entry.file, journal] {
        QString error;
        if (writer->commit())
            writeFileAtomically(journalFileOf(file), journal, error);
    });
}

void RecoveryKeeper::followEditInCopy(Entry& entry, const JournalEdit& edit) {
    BaseCopy& copy = *entry.copying;
    if (edit.from >= copy.copied)
        return; // the rest of the text is read as it is by then
    // Of what it removed, only the part already read is in the base.
    const qint64 removedRead = std::min(edit.removed, copy.copied - edit.from);
    copy.journal += encodeJournalEdit({edit.from, removedRead, edit.inserted});
    copy.copied += edit.inserted.size() - removedRead;
}

void RecoveryKeeper::cancelBaseCopy(Entry& entry) {
    if (!entry.copying)
        return;
    pool_.start([writer = entry.copying->writer] { writer->cancel(); });
    entry.copying.reset();
}

bool RecoveryKeeper::copyingBase(const QObject* document) const {
    const auto it = entries_.find(document);
    return it != entries_.end() && it->copying;
}

} // namespace kelvane
