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
    changed(document, RecoverySource{std::move(snapshot), {}});
}

void RecoveryKeeper::changed(const QObject* document, RecoverySource source) {
    Entry& entry = entryFor(document);
    entry.source = std::move(source);
    entry.needsBase = true;
    entry.pending.clear();
    entry.pendingGrowth = 0;
    entry.timer->start(delay_);
}

void RecoveryKeeper::edited(const QObject* document, const JournalEdit& edit,
                            RecoverySource source) {
    Entry& entry = entryFor(document);
    entry.source = std::move(source);
    if (!entry.needsBase) {
        entry.pending += encodeJournalEdit(edit);
        entry.pendingGrowth += edit.inserted.size() - edit.removed;
        // Edits that outweigh the text are cheaper kept as a new base copy.
        if (entry.journalBytes + entry.pending.size() > 2 * journalLimit(entry)) {
            entry.needsBase = true;
            entry.pending.clear();
            entry.pendingGrowth = 0;
        }
    }
    entry.timer->start(delay_);
}

qint64 RecoveryKeeper::journalLimit(const Entry& entry) const {
    return std::max(compactionMinimum_, 2 * entry.textChars / 4);
}

void RecoveryKeeper::writeNow(const QObject* document) {
    const auto it = entries_.find(document);
    if (it != entries_.end() && it->timer->isActive()) {
        it->timer->stop();
        write(document);
    }
}

namespace {

// Writes a base copy and then an empty journal of its generation. A run killed between the two
// leaves the new base with the old journal, which its generation then sets aside.
void writeBase(const QString& file, const RecoveryRecord& record, quint64 generation) {
    QString error;
    if (writeRecovery(file, record, generation, error))
        writeFileAtomically(journalFileOf(file), journalHeader(generation), error);
}

void appendToJournal(const QString& file, const QByteArray& entries) {
    QFile journal(journalFileOf(file));
    // Without its journal (its base could not be written) the entries would belong to nothing.
    if (journal.exists() && journal.open(QIODevice::WriteOnly | QIODevice::Append))
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
        entry.needsBase = true;
        entry.pending.clear();
        entry.pendingGrowth = 0;
        return;
    }
    if (entry.file.isEmpty()) {
        if (!session_)
            session_ = std::make_unique<RecoverySession>();
        if (session_->folder().isEmpty())
            return; // no folder for recovery files: there is nothing to keep them in
        entry.file = session_->newFileName();
    }
    if (entry.needsBase || record->path != entry.path || record->title != entry.title) {
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
    pool_.start([file = entry.file, entries = std::exchange(entry.pending, QByteArray())] {
        appendToJournal(file, entries);
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
    delete it->timer;
    entries_.erase(it);
}

void RecoveryKeeper::forget(const QObject* document) {
    const auto it = entries_.find(document);
    if (it == entries_.end())
        return;
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
