// Background writing of recovery files: one timer per changed document, one writing thread.
#include "platform/RecoveryKeeper.h"

#include "platform/FileIO.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace kelvane {

namespace {
RecoveryKeeper* currentKeeper = nullptr;
} // namespace

RecoveryKeeper* recoveryKeeper() {
    return currentKeeper;
}

void setRecoveryKeeper(RecoveryKeeper* keeper) {
    currentKeeper = keeper;
}

RecoveryKeeper::RecoveryKeeper(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(1);
    // A base copy's file stays open between its pieces on the one thread that writes it.
    pool_.setExpiryTimeout(-1);
}

RecoveryKeeper::~RecoveryKeeper() {
    pool_.waitForDone();
}

RecoveryKeeper::Entry& RecoveryKeeper::entryFor(const QObject* document) {
    Entry& entry = entries_[document];
    if (!entry.timer) {
        entry.timer = new QTimer(this);
        entry.timer->setSingleShot(true);
        // Precise: the write comes the delay after the last change, not on a rounded second.
        entry.timer->setTimerType(Qt::PreciseTimer);
        connect(entry.timer, &QTimer::timeout, this, [this, document] { write(document); });
        // A document that goes away without a word takes its recovery file with it.
        connect(document, &QObject::destroyed, this, [this, document] { dropped(document); });
    }
    return entry;
}

void RecoveryKeeper::changed(const QObject* document,
                             std::function<std::optional<RecoveryRecord>()> snapshot) {
    changed(document, RecoverySource{std::move(snapshot), {}, {}, {}});
}

void RecoveryKeeper::startOver(Entry& entry) {
    cancelBaseCopy(entry);
    entry.needsBase = true;
    entry.pending.clear();
    entry.pendingGrowth = 0;
    entry.journalBytes = 0;
}

void RecoveryKeeper::changed(const QObject* document, RecoverySource source) {
    Entry& entry = entryFor(document);
    entry.source = std::move(source);
    startOver(entry);
    entry.origin.reset();
    entry.timer->start(delay_);
}

void RecoveryKeeper::loaded(const QObject* document, const RecoveryOrigin& origin,
                            RecoverySource source) {
    Entry& entry = entryFor(document);
    entry.source = std::move(source);
    startOver(entry);
    entry.origin = origin;
    entry.textChars = origin.length;
    entry.timer->start(delay_);
}

void RecoveryKeeper::edited(const QObject* document, const JournalEdit& edit,
                            RecoverySource source) {
    Entry& entry = entryFor(document);
    entry.source = std::move(source);
    if (entry.copying) {
        followEditInCopy(entry, edit);
        entry.timer->start(delay_);
        return;
    }
    // Edits wait for a base copy of the text in the journal only when that base is to be the
    // document's file: a base of the text itself holds them already.
    if (!entry.needsBase || entry.origin) {
        entry.pending += encodeJournalEdit(edit);
        entry.pendingGrowth += edit.inserted.size() - edit.removed;
        // Edits that outweigh the text are cheaper kept as a new base copy.
        if (entry.journalBytes + entry.pending.size() > 2 * journalLimit(entry)) {
            startOver(entry);
            entry.origin.reset();
        }
    }
    entry.timer->start(delay_);
}

qint64 RecoveryKeeper::journalLimit(const Entry& entry) const {
    return std::max(compactionMinimum_, 2 * entry.textChars / 4);
}

void RecoveryKeeper::writeNow(const QObject* document) {
    auto it = entries_.find(document);
    if (it != entries_.end() && it->timer->isActive()) {
        it->timer->stop();
        write(document);
        it = entries_.find(document);
    }
    // A base copy under way is finished at once.
    while (it != entries_.end() && it->copying)
        copyPiece(*it);
}

namespace {

// Writes a base copy and then an empty journal of its generation. A run killed between the two
// leaves the new base with the old journal, which its generation then sets aside.
void writeBase(const QString& file, const RecoveryRecord& record, quint64 generation) {
    QString error;
    if (writeRecovery(file, record, generation, error))
        writeFileAtomically(journalFileOf(file), journalHeader(generation), error);
}

void appendToJournal(const QString& file, quint64 generation, const QByteArray& entries) {
    QFile journal(journalFileOf(file));
    // Without the journal of their base (a base that could not be written leaves none, or the
    // one of the base before) the entries would belong to nothing, or to the wrong text.
    const QByteArray header = journalHeader(generation);
    if (!journal.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) ||
        journal.read(header.size()) != header || !journal.seek(journal.size()))
        return;
    journal.write(entries);
}

void removeRecovery(const QString& file) {
    QFile::remove(file);
    QFile::remove(journalFileOf(file));
}

} // namespace

void RecoveryKeeper::write(const QObject* document) {
    const auto it = entries_.find(document);
    if (it == entries_.end() || !it->source.header)
        return;
    Entry& entry = *it;
    std::optional<RecoveryRecord> record = entry.source.header();
    if (!record) {
        if (!entry.file.isEmpty())
            pool_.start([file = entry.file] { removeRecovery(file); });
        // Without unsaved changes the text is its file again: a file it came from stays its
        // origin.
        startOver(entry);
        if (entry.origin)
            entry.textChars = entry.origin->length;
        return;
    }
    if (!session_) {
        session_ = std::make_unique<RecoverySession>();
        // Its lock waits for the disk: the writing thread takes it, before any write of it.
        pool_.start([session = session_.get()] { session->open(); });
    }
    if (session_->failed())
        return; // no folder for recovery files: there is nothing to keep them in
    if (entry.file.isEmpty())
        entry.file = session_->newFileName();
    if (entry.copying)
        return; // the copy under way follows every edit until it is whole
    if (entry.needsBase && entry.origin) {
        writeBaseOfTextFile(document, entry, *record);
        return;
    }
    if (entry.needsBase || record->path != entry.path || record->title != entry.title) {
        entry.origin.reset();
        if (entry.source.piece && entry.source.length) {
            startBaseCopy(entry, *record);
            return;
        }
        if (entry.source.text)
            record->text = entry.source.text();
        entry.needsBase = false;
        entry.pending.clear();
        entry.pendingGrowth = 0;
        entry.path = record->path;
        entry.title = record->title;
        entry.textChars = record->text.size();
        entry.journalBytes = journalHeader(++entry.generation).size();
        pool_.start([file = entry.file, record = std::move(*record),
                     generation = entry.generation] { writeBase(file, record, generation); });
        return;
    }
    if (entry.pending.isEmpty())
        return;
    entry.journalBytes += entry.pending.size();
    entry.textChars += entry.pendingGrowth;
    entry.pendingGrowth = 0;
    pool_.start([file = entry.file, generation = entry.generation,
                 entries = std::exchange(entry.pending, QByteArray())] {
        appendToJournal(file, generation, entries);
    });
    if (entry.journalBytes <= journalLimit(entry))
        return;
    // The journal is folded into a new base on the writing thread, from the files themselves:
    // the thread that takes keys neither copies the text nor waits.
    entry.journalBytes = journalHeader(++entry.generation).size();
    pool_.start([file = entry.file, generation = entry.generation] {
        if (std::optional<RecoveryRecord> whole = readRecovery(file))
            writeBase(file, *whole, generation);
    });
}

void RecoveryKeeper::writeBaseOfTextFile(const QObject* document, Entry& entry,
                                         const RecoveryRecord& record) {
    const quint64 generation = ++entry.generation;
    entry.needsBase = false;
    entry.path = record.path;
    entry.title = record.title;
    entry.textChars = entry.origin->length + entry.pendingGrowth;
    entry.pendingGrowth = 0;
    const QByteArray journal = journalHeader(generation) + std::exchange(entry.pending, {});
    entry.journalBytes = journal.size();
    pool_.start([this, document, file = entry.file, origin = *entry.origin, generation, journal,
                 header = RecoveryRecord{record.path, record.title, QString()}] {
        QString error;
        if (writeRecoveryOfTextFile(file, header, generation, origin.path, origin.stamp, error) &&
            writeFileAtomically(journalFileOf(file), journal, error))
            return;
        removeRecovery(file);
        QMetaObject::invokeMethod(
            this, [this, document, generation] { textFileBaseFailed(document, generation); });
    });
}

void RecoveryKeeper::textFileBaseFailed(const QObject* document, quint64 generation) {
    const auto it = entries_.find(document);
    // A base asked for before it failed cannot have been meant to replace it.
    if (it == entries_.end() || it->generation < generation)
        return;
    it->origin.reset();
    startOver(*it);
    it->timer->start(0);
}

void RecoveryKeeper::keepAfterExit(const QObject* document) {
    const auto it = entries_.find(document);
    if (it != entries_.end())
        it->keepAfterExit = true;
}

void RecoveryKeeper::dropped(const QObject* document) {
    const auto it = entries_.find(document);
    if (it == entries_.end())
        return;
    if (!it->keepAfterExit) {
        forget(document);
        return;
    }
    cancelBaseCopy(*it); // the text it was reading is gone
    delete it->timer;
    entries_.erase(it);
}

void RecoveryKeeper::forget(const QObject* document) {
    const auto it = entries_.find(document);
    if (it == entries_.end())
        return;
    cancelBaseCopy(*it);
    delete it->timer;
    disconnect(document, &QObject::destroyed, this, nullptr);
    if (!it->file.isEmpty())
        pool_.start([file = it->file] { removeRecovery(file); });
    entries_.erase(it);
}

int RecoveryKeeper::pendingFor(const QObject* document) const {
    const auto it = entries_.find(document);
    return it == entries_.end() || !it->timer->isActive() ? -1 : it->timer->remainingTime();
}

QString RecoveryKeeper::fileOf(const QObject* document) const {
    const auto it = entries_.find(document);
    return it == entries_.end() ? QString() : it->file;
}

void RecoveryKeeper::waitForDone() {
    pool_.waitForDone();
}

} // namespace kelvane
