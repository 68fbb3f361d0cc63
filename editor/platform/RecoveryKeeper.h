// Keeps each changed document's recovery file up to date, written in the background a moment
// after the last change so that typing never waits for the disk. The file is a base copy of the
// text plus a journal of the edits made since, so that what each pause costs follows the edits.
#pragma once

#include "platform/RecoveryFile.h"
#include "platform/RecoveryJournal.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace kelvane {

/// Where a document's recovery file gets what it keeps.
struct RecoverySource {
    /// The document's path and title (the text may be left empty), or nothing once it has no
    /// unsaved changes after all (then its recovery file goes).
    std::function<std::optional<RecoveryRecord>()> header;
    /// The whole text, asked for only when a new base copy is needed; when not given, the
    /// header's text is the text.
    std::function<QString()> text;
    /// The text's length and `count` characters of it from `from`: when given, a base copy is
    /// read from these a piece per turn of the event loop instead of from `text` at once.
    std::function<qint64()> length;
    std::function<QString(qint64 from, qint64 count)> piece;
};

/// The text file a document's whole text was read from, as it was then.
struct RecoveryOrigin {
    QString path;
    FileStamp stamp;
    qint64 length = 0; ///< characters of the text read
};

class RecoveryKeeper : public QObject {
public:
    explicit RecoveryKeeper(QObject* parent = nullptr);
    /// Finishes the writes and removals already asked for.
    ~RecoveryKeeper() override;

    /// How long after a document's last change its text is written, in milliseconds.
    void setDelay(int milliseconds) { delay_ = milliseconds; }
    int delay() const { return delay_; }
    /// A journal is folded into a new base once it outgrows a quarter of the text's bytes and
    /// this many bytes.
    void setCompactionMinimum(qint64 bytes) { compactionMinimum_ = bytes; }

    /// The document's whole text changed (loaded, replaced): once the document has been left
    /// alone for the delay, `snapshot` is called on this thread and what it returns becomes the
    /// document's base copy, written in the background (through a temporary file and a rename).
    /// Nothing from the snapshot (the document has no unsaved changes after all) removes the
    /// file.
    void changed(const QObject* document, std::function<std::optional<RecoveryRecord>()> snapshot);
    void changed(const QObject* document, RecoverySource source);
    /// One edit of the document's text ('\n' line breaks): it is appended to the document's
    /// journal after the delay. The first write of a document, and one after its whole text
    /// changed, is a base copy of the whole text instead.
    void edited(const QObject* document, const JournalEdit& edit, RecoverySource source);
    /// The document's whole text is now the text file `origin` names, as read (a document just
    /// opened). Until its whole text changes, its base copy can be a copy of that file's bytes
    /// made by the system, with every edit since in the journal, so a large file costs no pass
    /// over its text; when the file has changed on disk by then, the base is the text after
    /// all.
    void loaded(const QObject* document, const RecoveryOrigin& origin, RecoverySource source);
    /// The document was saved, or closed without saving: a pending write is dropped and its
    /// recovery file removed.
    void forget(const QObject* document);
    /// Writes a document's pending change now instead of after the delay.
    void writeNow(const QObject* document);
    /// The run may end with the document unsaved (the desktop session ends): its recovery
    /// file stays when the document goes away without a word, so the next start offers it.
    /// Saving or closing the document (forget) still removes it.
    void keepAfterExit(const QObject* document);

    /// Milliseconds until the document's pending write, or -1 when none is pending.
    int pendingFor(const QObject* document) const;
    /// The document's recovery file, empty while none has been asked for.
    QString fileOf(const QObject* document) const;
    /// A base copy of the document's text is being read, a piece per turn of the event loop.
    bool copyingBase(const QObject* document) const;
    /// Waits until every write and removal asked for so far is done.
    void waitForDone();
    /// Characters a base copy reads per turn of the event loop.
    void setCopyPieceLength(qint64 characters) { copyPieceLength_ = characters; }

private:
    struct BaseCopy;
    struct Entry {
        QTimer* timer = nullptr;
        QString file;
        RecoverySource source;
        bool needsBase = true;    ///< the next write is a whole base copy
        quint64 generation = 0;   ///< of the base written last
        QString path, title;      ///< as the base written last names them
        qint64 textChars = 0;     ///< of the text as last written, journal included
        qint64 journalBytes = 0;  ///< of the journal as last written
        QByteArray pending;       ///< journal entries not written yet
        qint64 pendingGrowth = 0; ///< characters the pending entries add
        bool keepAfterExit = false;
        /// The file the text was read from, while the text is still that file (then nothing is
        /// pending) or a base is due and `pending` holds every edit since.
        std::optional<RecoveryOrigin> origin;
        /// The base copy of the text under way, while one is.
        std::shared_ptr<BaseCopy> copying;
    };
    Entry& entryFor(const QObject* document);
    /// The document went away without a word.
    void dropped(const QObject* document);
    void write(const QObject* document);
    void writeBaseOfTextFile(const QObject* document, Entry& entry, const RecoveryRecord& record);
    /// A base copy from the document's file could not be made: the text itself is kept instead.
    void textFileBaseFailed(const QObject* document, quint64 generation);
    void startOver(Entry& entry);
    // Base copies of the text, a piece at a time (RecoveryBaseCopy.cpp).
    void startBaseCopy(Entry& entry, const RecoveryRecord& header);
    void copyPieces();
    void copyPiece(Entry& entry);
    void followEditInCopy(Entry& entry, const JournalEdit& edit);
    void cancelBaseCopy(Entry& entry);
    qint64 journalLimit(const Entry& entry) const;

    int delay_ = 2000;
    qint64 compactionMinimum_ = 1 << 20;
    qint64 copyPieceLength_ = 1 << 20;
    QTimer* copyTimer_ = nullptr;
    QHash<const QObject*, Entry> entries_;
    std::unique_ptr<RecoverySession> session_;
    // One thread, so a document's writes and its removal happen in the order asked.
    QThreadPool pool_;
};

/// The running editor's keeper (the main window's), or nullptr while there is none.
RecoveryKeeper* recoveryKeeper();
void setRecoveryKeeper(RecoveryKeeper* keeper);

} // namespace kelvane
