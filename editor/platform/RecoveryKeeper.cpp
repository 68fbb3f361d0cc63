// Background writing of recovery files: one timer per changed document, one writing thread.
#include "platform/RecoveryKeeper.h"

#include "platform/FileIO.h"

#include <QFile>
#include <QTimer>

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

void RecoveryKeeper::changed(const QObject* document,
                             std::function<std::optional<RecoveryRecord>()> snapshot) {
    Entry& entry = entries_[document];
    if (!entry.timer) {
        entry.timer = new QTimer(this);
        entry.timer->setSingleShot(true);
        // Precise: the write comes the delay after the last change, not on a rounded second.
        entry.timer->setTimerType(Qt::PreciseTimer);
        connect(entry.timer, &QTimer::timeout, this, [this, document] { write(document); });
        // A document that goes away without a word takes its recovery file with it.
        connect(document, &QObject::destroyed, this, [this, document] { forget(document); });
    }
    entry.snapshot = std::move(snapshot);
    entry.timer->start(delay_);
}

void RecoveryKeeper::writeNow(const QObject* document) {
    const auto it = entries_.find(document);
    if (it != entries_.end() && it->timer->isActive()) {
        it->timer->stop();
        write(document);
    }
}

void RecoveryKeeper::write(const QObject* document) {
    const auto it = entries_.find(document);
    if (it == entries_.end() || !it->snapshot)
        return;
    std::optional<RecoveryRecord> record = it->snapshot();
    if (!record) {
        if (!it->file.isEmpty())
            pool_.start([file = it->file] { QFile::remove(file); });
        return;
    }
    if (it->file.isEmpty()) {
        if (!session_)
            session_ = std::make_unique<RecoverySession>();
        if (session_->folder().isEmpty())
            return; // no folder for recovery files: there is nothing to keep them in
        it->file = session_->newFileName();
    }
    pool_.start([file = it->file, record = std::move(*record)] {
        QString error;
        writeFileAtomically(file, encodeRecovery(record), error);
    });
}

void RecoveryKeeper::forget(const QObject* document) {
    const auto it = entries_.find(document);
    if (it == entries_.end())
        return;
    delete it->timer;
    disconnect(document, &QObject::destroyed, this, nullptr);
    if (!it->file.isEmpty())
        pool_.start([file = it->file] { QFile::remove(file); });
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
