// Recovery files: the unsaved text of a document, kept on disk so that a crash or a killed
// editor does not lose it. One folder per running editor, locked while it runs.
#pragma once

#include "platform/FileStamp.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLockFile>
#include <QString>
#include <QStringView>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

class QSaveFile;

namespace kelvane {

/// What a recovery file holds.
struct RecoveryRecord {
    QString path;  ///< the document's file; empty while the document is untitled
    QString title; ///< the document's caption when the text was kept
    QString text;  ///< the unsaved text, '\n' line breaks

    bool operator==(const RecoveryRecord&) const = default;
};

/// The file's bytes: a signature line, the path and the title (percent-encoded UTF-8, one line
/// each), then the text as UTF-16 little-endian code units, so every character comes back.
/// A file with a journal beside it (generation above 0) names its generation on a line after
/// the signature; the journal continues only the base of the same generation.
QByteArray encodeRecovery(const RecoveryRecord& record, quint64 generation = 0);

/// Writes the bytes of encodeRecovery to a file (through a temporary file and a rename),
/// handing the text over a piece at a time, so a long text is not held a second time as bytes.
bool writeRecovery(const QString& file, const RecoveryRecord& record, quint64 generation,
                   QString& error);

/// A recovery file's base copy of a text written a piece at a time, as writeRecovery writes it
/// whole: into a temporary file that takes the file's place on commit, so a copy left unfinished
/// never replaces the file that was there. Used on one thread.
class RecoveryBaseWriter {
public:
    RecoveryBaseWriter();
    ~RecoveryBaseWriter();
    RecoveryBaseWriter(const RecoveryBaseWriter&) = delete;
    RecoveryBaseWriter& operator=(const RecoveryBaseWriter&) = delete;

    /// Starts the copy with the file's header (the record's text is not written).
    void open(const QString& file, const RecoveryRecord& header, quint64 generation);
    /// The next piece of the text.
    void append(QStringView text);
    /// The copy is whole: it takes the file's place. False when any step failed (then the file
    /// that was there stays).
    bool commit();
    /// The copy is dropped; the file that was there stays.
    void cancel();

private:
    std::unique_ptr<QSaveFile> file_;
    bool ok_ = false;
};

/// Writes a recovery file whose base is a text file's bytes as they are on disk (the document's
/// text is that file as it was read, decoded as text files are): the bytes are copied as they
/// are (appendFileBytes), so a large document costs neither an encoding pass nor the memory of
/// one. False
/// with the error text when the file cannot be copied or is no longer the one `stamp` describes
/// (another program wrote it since it was read); nothing is left behind then.
bool writeRecoveryOfTextFile(const QString& file, const RecoveryRecord& record, quint64 generation,
                             const QString& textFile, const FileStamp& stamp, QString& error);

/// Reads a recovery file's bytes; nothing when they are not one (no signature, a line missing,
/// or an odd number of text bytes). `generation` receives 0 for a file without a journal.
std::optional<RecoveryRecord> decodeRecovery(QByteArrayView bytes, quint64* generation = nullptr);

/// The journal of edits kept beside a recovery file.
QString journalFileOf(const QString& recoveryFile);

/// Reads a recovery file and replays its journal's whole entries on its text: the text as it
/// was at the last journal write. Nothing when the file cannot be read or is no recovery file.
std::optional<RecoveryRecord> readRecovery(const QString& recoveryFile);

/// The folder that holds the recovery files of every editor run: recovery/ in the user's data
/// folder.
QString recoveryFolder();

/// The recovery files of this running editor: a folder of its own in recoveryFolder(), with a
/// lock that tells later runs it is still alive.
class RecoverySession {
public:
    /// Names the folder; nothing is made on disk until open().
    RecoverySession();
    ~RecoverySession();
    RecoverySession(const RecoverySession&) = delete;
    RecoverySession& operator=(const RecoverySession&) = delete;

    /// Makes the folder and takes its lock, once. Taking the lock waits for the disk (the lock
    /// file is synced), so this belongs on a thread that does not take keys. False when the
    /// folder could not be made or locked: then nothing is kept in it.
    bool open();
    /// open() was tried and failed.
    bool failed() const { return state_.load() == State::Failed; }
    /// The folder, named before it is made.
    QString folder() const { return folder_; }
    /// A new file name in the folder for one document.
    QString newFileName();

private:
    enum class State { Named, Open, Failed };
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    std::atomic<State> state_ = State::Named;
    int next_ = 0;
};

/// A recovery file left by an editor run that ended without removing it.
struct LeftRecovery {
    QString file;
    RecoveryRecord record;
};

/// The recovery files of runs that are no longer alive, oldest first. Their folders stay locked
/// by `claim` (when given) so that two editors starting together do not both offer them.
/// Unreadable files are skipped and left in place.
std::vector<LeftRecovery>
findLeftRecovery(std::vector<std::unique_ptr<QLockFile>>* claim = nullptr);

/// Removes a recovery file an earlier run left, once it is handled, and that run's folder once
/// nothing else is left in it; the claim on that folder (when `claim` holds it) is given up first.
void removeLeftRecovery(const QString& file,
                        std::vector<std::unique_ptr<QLockFile>>* claim = nullptr);

} // namespace kelvane
