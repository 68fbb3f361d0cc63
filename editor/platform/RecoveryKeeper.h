// Keeps each changed document's recovery file up to date, written in the background a moment
// after the last change so that typing never waits for the disk.
#pragma once

#include "platform/RecoveryFile.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace kelvane {

class RecoveryKeeper : public QObject {
public:
    explicit RecoveryKeeper(QObject* parent = nullptr);
    /// Finishes the writes and removals already asked for.
    ~RecoveryKeeper() override;

    /// How long after a document's last change its text is written, in milliseconds.
    void setDelay(int milliseconds) { delay_ = milliseconds; }
    int delay() const { return delay_; }

    /// The document's text changed: `snapshot` is called on this thread once the document has
    /// been left alone for the delay, and what it returns is written to the document's
    /// recovery file in the background (through a temporary file and a rename). Nothing from
    /// the snapshot (the document has no unsaved changes after all) removes the file.
    void changed(const QObject* document, std::function<std::optional<RecoveryRecord>()> snapshot);
    /// The document was saved, or closed without saving: a pending write is dropped and its
    /// recovery file removed.
    void forget(const QObject* document);
    /// Writes a document's pending change now instead of after the delay.
    void writeNow(const QObject* document);

    /// Milliseconds until the document's pending write, or -1 when none is pending.
    int pendingFor(const QObject* document) const;
    /// The document's recovery file, empty while none has been asked for.
    QString fileOf(const QObject* document) const;
    /// Waits until every write and removal asked for so far is done.
    void waitForDone();

private:
    struct Entry {
        QTimer* timer = nullptr;
        QString file;
        std::function<std::optional<RecoveryRecord>()> snapshot;
    };
    void write(const QObject* document);

    int delay_ = 2000;
    QHash<const QObject*, Entry> entries_;
    std::unique_ptr<RecoverySession> session_;
    // One thread, so a document's writes and its removal happen in the order asked.
    QThreadPool pool_;
};

/// The running editor's keeper (the main window's), or nullptr while there is none.
RecoveryKeeper* recoveryKeeper();
void setRecoveryKeeper(RecoveryKeeper* keeper);

} // namespace kelvane
