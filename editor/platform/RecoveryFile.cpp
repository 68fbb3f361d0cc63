// Recovery files: their format, the running editor's folder and the files earlier runs left.
#include "platform/RecoveryFile.h"

#include "platform/FileCopy.h"
#include "platform/FileIO.h"
#include "platform/RecoveryJournal.h"
#include "platform/TextEncoding.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringDecoder>
#include <QSysInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace kelvane {

namespace {

const QByteArray kSignature = "Kelvane recovery file 1";
const QByteArray kJournalledSignature = "Kelvane recovery file 2";
// The base is a text file's bytes, read as the file was when the document was opened.
const QByteArray kTextFileSignature = "Kelvane recovery file 3";
const QString kLockName = QStringLiteral("running.lock");
const QString kSuffix = QStringLiteral(".recovery");

std::unique_ptr<QLockFile> lockFor(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + kLockName);
    // Only a lock whose process has gone is stale, however long the editor has run.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

namespace {

QByteArray recoveryHeader(const RecoveryRecord& record, quint64 generation,
                          const QByteArray& journalledSignature = kJournalledSignature) {
    QByteArray bytes = generation == 0
                           ? kSignature + '\n'
                           : journalledSignature + '\n' + QByteArray::number(generation) + '\n';
    bytes += record.path.toUtf8().toPercentEncoding() + '\n' +
             record.title.toUtf8().toPercentEncoding() + '\n';
    return bytes;
}

// A path or title line back as text. A leading U+FEFF is part of the name, not a byte order
// mark to drop, or a name beginning with one would lose it at every write and read.
QString percentDecoded(QByteArrayView line) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(QByteArray::fromPercentEncoding(line.toByteArray()));
}

// Puts characters down as UTF-16 little-endian code units.
void putLittleEndian(QStringView text, char* out) {
    for (const QChar c : text) {
        *out++ = char(c.unicode() & 0xFF);
        *out++ = char(c.unicode() >> 8);
    }
}

} // namespace

QByteArray encodeRecovery(const RecoveryRecord& record, quint64 generation) {
    QByteArray bytes = recoveryHeader(record, generation);
    const qsizetype start = bytes.size();
    bytes.resize(start + 2 * record.text.size());
    putLittleEndian(record.text, bytes.data() + start);
    return bytes;
}

bool writeRecovery(const QString& file, const RecoveryRecord& record, quint64 generation,
                   QString& error) {
    const ByteSource source = [&](const std::function<bool(QByteArrayView)>& write) {
        if (!write(recoveryHeader(record, generation)))
            return false;
        const QStringView text = record.text;
        constexpr qsizetype PieceLength = 1 << 19;
        QByteArray piece;
        for (qsizetype at = 0; at < text.size(); at += PieceLength) {
            const QStringView chars = text.sliced(at, std::min(PieceLength, text.size() - at));
            if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
                // The characters in memory are already the bytes the file holds.
                if (!write(QByteArrayView(reinterpret_cast<const char*>(chars.utf16()),
                                          2 * chars.size())))
                    return false;
            } else {
                piece.resize(2 * chars.size());
                putLittleEndian(chars, piece.data());
                if (!write(piece))
                    return false;
            }
        }
        return true;
    };
    return writeFileAtomically(file, source, error);
}

RecoveryBaseWriter::RecoveryBaseWriter() = default;
RecoveryBaseWriter::~RecoveryBaseWriter() = default;

void RecoveryBaseWriter::open(const QString& file, const RecoveryRecord& header,
                              quint64 generation) {
    file_ = std::make_unique<QSaveFile>(file);
    file_->setDirectWriteFallback(false);
    const QByteArray bytes = recoveryHeader(header, generation);
    ok_ = file_->open(QIODevice::WriteOnly) && file_->write(bytes) == bytes.size();
}

void RecoveryBaseWriter::append(QStringView text) {
    if (!ok_ || text.isEmpty())
        return;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        // The characters in memory are already the bytes the file holds.
        ok_ = file_->write(reinterpret_cast<const char*>(text.utf16()), 2 * text.size()) ==
              2 * text.size();
    } else {
        QByteArray piece(2 * text.size(), Qt::Uninitialized);
        putLittleEndian(text, piece.data());
        ok_ = file_->write(piece) == piece.size();
    }
}

bool RecoveryBaseWriter::commit() {
    if (!file_)
        return false;
    bool done = ok_ && file_->flush();
#ifdef Q_OS_UNIX
    done = done && ::fsync(file_->handle()) == 0;
#endif
    if (done)
        done = file_->commit();
    else
        file_->cancelWriting();
    file_.reset();
    return done;
}

void RecoveryBaseWriter::cancel() {
    if (file_)
        file_->cancelWriting();
    file_.reset();
}

bool writeRecoveryOfTextFile(const QString& file, const RecoveryRecord& record, quint64 generation,
                             const QString& textFile, const FileStamp& stamp, QString& error) {
    const QString changed = QStringLiteral("The file was changed since it was read");
    QFile source(textFile);
    if (!stamp.exists || FileStamp::of(textFile) != stamp) {
        error = changed;
        return false;
    }
    if (!source.open(QIODevice::ReadOnly)) {
        error = source.errorString();
        return false;
    }
    QSaveFile base(file);
    base.setDirectWriteFallback(false);
    if (!base.open(QIODevice::WriteOnly)) {
        error = base.errorString();
        return false;
    }
    const QByteArray header = recoveryHeader(record, generation, kTextFileSignature);
    const bool copied = base.write(header) == header.size() && base.flush() &&
                        appendFileBytes(source, base) == stamp.size && base.flush();
    // A write to the file while it was copied shows in its stamp: the copy may be torn.
    if (!copied || FileStamp::of(textFile) != stamp) {
        error = copied ? changed : base.errorString();
        base.cancelWriting();
        return false;
    }
#ifdef Q_OS_UNIX
    ::fsync(base.handle());
#endif
    if (!base.commit()) {
        error = base.errorString();
        return false;
    }
    return true;
}

std::optional<RecoveryRecord> decodeRecovery(QByteArrayView bytes, quint64* generation) {
    QByteArrayView rest = bytes;
    auto nextLine = [&rest](QByteArrayView& line) {
        const qsizetype end = rest.indexOf('\n');
        if (end < 0)
            return false;
        line = rest.first(end);
        rest = rest.sliced(end + 1);
        return true;
    };
    QByteArrayView lines[3];
    if (!nextLine(lines[0]))
        return std::nullopt;
    quint64 kept = 0;
    const bool textFileBase = lines[0] == kTextFileSignature;
    if (lines[0] == kJournalledSignature || textFileBase) {
        QByteArrayView number;
        if (!nextLine(number) || number.isEmpty() ||
            !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        bool ok = false;
        kept = number.toULongLong(&ok);
        if (!ok || kept == 0)
            return std::nullopt;
    } else if (lines[0] != kSignature) {
        return std::nullopt;
    }
    if (!nextLine(lines[1]) || !nextLine(lines[2]) || (!textFileBase && rest.size() % 2 != 0))
        return std::nullopt;
    if (generation)
        *generation = kept;
    RecoveryRecord record;
    record.path = percentDecoded(lines[1]);
    record.title = percentDecoded(lines[2]);
    if (textFileBase) {
        record.text = decodeText(rest).text;
        return record;
    }
    record.text.resize(rest.size() / 2);
    const auto* in = reinterpret_cast<const unsigned char*>(rest.data());
    for (qsizetype i = 0; i < record.text.size(); ++i)
        record.text[i] = QChar(char16_t(in[2 * i] | (in[2 * i + 1] << 8)));
    return record;
}

QString journalFileOf(const QString& recoveryFile) {
    return recoveryFile + QStringLiteral(".journal");
}

std::optional<RecoveryRecord> readRecovery(const QString& recoveryFile) {
    QByteArray bytes;
    QString error;
    if (!readWholeFile(recoveryFile, bytes, error))
        return std::nullopt;
    quint64 generation = 0;
    std::optional<RecoveryRecord> record = decodeRecovery(bytes, &generation);
    bytes.clear();
    if (!record || generation == 0)
        return record;
    // A journal of another generation was left by a run killed while it wrote a new base,
    // which already holds those edits.
    if (readWholeFile(journalFileOf(recoveryFile), bytes, error))
        if (std::optional<JournalContents> journal = decodeJournal(bytes))
            if (journal->generation == generation)
                applyJournal(record->text, journal->edits);
    return record;
}

QString recoveryFolder() {
    return userDataFolder() + QStringLiteral("/recovery");
}

RecoverySession::RecoverySession() {
    const QString name = QStringLiteral("%1-%2-%3")
                             .arg(QDateTime::currentMSecsSinceEpoch())
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    folder_ = recoveryFolder() + QLatin1Char('/') + name;
}

bool RecoverySession::open() {
    if (state_.load() != State::Named)
        return state_.load() == State::Open;
    if (!QDir().mkpath(folder_)) {
        state_ = State::Failed;
        return false;
    }
    lock_ = lockFor(folder_);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        QDir(folder_).removeRecursively();
        state_ = State::Failed;
        return false;
    }
    state_ = State::Open;
    return true;
}

RecoverySession::~RecoverySession() {
    if (state_.load() != State::Open)
        return;
    lock_->unlock();
    // Every document removed its file when it was saved or closed; whatever is left is kept
    // for the next run to offer.
    QDir(folder_).rmdir(folder_);
}

QString RecoverySession::newFileName() {
    return folder_ + QStringLiteral("/document-%1").arg(++next_) + kSuffix;
}

std::vector<LeftRecovery> findLeftRecovery(std::vector<std::unique_ptr<QLockFile>>* claim) {
    std::vector<LeftRecovery> found;
    const QDir root(recoveryFolder());
    for (const QFileInfo& run : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        auto lock = lockFor(run.filePath());
        if (!lock->tryLock(0))
            continue; // that editor is still running
        const QFileInfoList files = QDir(run.filePath())
                                        .entryInfoList({QLatin1Char('*') + kSuffix}, QDir::Files,
                                                       QDir::Time | QDir::Reversed);
        if (files.isEmpty()) {
            lock->unlock();
            QDir(run.filePath()).removeRecursively();
            continue;
        }
        for (const QFileInfo& file : files)
            if (std::optional<RecoveryRecord> record = readRecovery(file.filePath()))
                found.push_back({file.filePath(), std::move(*record)});
        if (claim)
            claim->push_back(std::move(lock));
    }
    return found;
}

void removeLeftRecovery(const QString& file, std::vector<std::unique_ptr<QLockFile>>* claim) {
    QFile::remove(file);
    QFile::remove(journalFileOf(file));
    const QDir run = QFileInfo(file).dir();
    if (!run.entryList({QLatin1Char('*') + kSuffix}, QDir::Files).isEmpty())
        return;
    // A held lock is released through its owner, which removes the lock file; removing the file
    // under it would leave the owner failing to remove it again.
    const QString lockFile = run.filePath(kLockName);
    if (claim) {
        std::erase_if(*claim, [&](const std::unique_ptr<QLockFile>& lock) {
            return QFileInfo(lock->fileName()) == QFileInfo(lockFile);
        });
    }
    QFile::remove(lockFile);
    run.rmdir(run.path());
}

} // namespace kelvane
