// The recovery journal's format: a header line, then entries that each carry their own check.
#include "platform/RecoveryJournal.h"

#include <QtEndian>

namespace kelvane {

namespace {

const QByteArray kJournalSignature = "Kelvane recovery journal 1 ";
constexpr char kEntryMarker = 'E';
// Marker, from, removed, inserted length: 1 + 3 * 8 bytes; the check sum follows the text.
constexpr qsizetype kEntryHead = 25;
constexpr qsizetype kCheckSize = 4;

// FNV-1a over the entry's bytes: cheap, and a torn write or flipped byte changes it.
quint32 checkSum(QByteArrayView bytes) {
    quint32 hash = 2166136261u;
    for (const char c : bytes) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return hash;
}

void appendNumber(QByteArray& bytes, quint64 value) {
    char out[8];
    qToLittleEndian(value, out);
    bytes.append(out, 8);
}

qint64 numberAt(QByteArrayView bytes, qsizetype at) {
    return qint64(qFromLittleEndian<quint64>(bytes.data() + at));
}

} // namespace

QByteArray journalHeader(quint64 generation) {
    return kJournalSignature + QByteArray::number(generation) + '\n';
}

QByteArray encodeJournalEdit(const JournalEdit& edit) {
    QByteArray bytes;
    bytes.reserve(kEntryHead + 2 * edit.inserted.size() + kCheckSize);
    bytes.append(kEntryMarker);
    appendNumber(bytes, quint64(edit.from));
    appendNumber(bytes, quint64(edit.removed));
    appendNumber(bytes, quint64(edit.inserted.size()));
    for (const QChar c : edit.inserted) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    char check[kCheckSize];
    qToLittleEndian(checkSum(bytes), check);
    bytes.append(check, kCheckSize);
    return bytes;
}

std::optional<JournalContents> decodeJournal(QByteArrayView bytes) {
    const qsizetype lineEnd = bytes.indexOf('\n');
    if (lineEnd < 0 || !bytes.startsWith(kJournalSignature))
        return std::nullopt;
    const QByteArrayView number =
        bytes.sliced(kJournalSignature.size(), lineEnd - kJournalSignature.size());
    bool ok = false;
    JournalContents contents;
    contents.generation = number.toULongLong(&ok);
    // Only the number as the writer writes it: no sign, blank or leading zero.
    if (!ok || QByteArray::number(contents.generation) != number)
        return std::nullopt;
    qsizetype at = lineEnd + 1;
    contents.wholeBytes = at;
    while (bytes.size() - at >= kEntryHead + kCheckSize && bytes[at] == kEntryMarker) {
        const qint64 from = numberAt(bytes, at + 1);
        const qint64 removed = numberAt(bytes, at + 9);
        const qint64 length = numberAt(bytes, at + 17);
        const qsizetype room = (bytes.size() - at - kEntryHead - kCheckSize) / 2;
        if (from < 0 || removed < 0 || length < 0 || length > room)
            break;
        const qsizetype end = at + kEntryHead + 2 * length;
        if (checkSum(bytes.sliced(at, end - at)) != qFromLittleEndian<quint32>(bytes.data() + end))
            break;
        JournalEdit edit{from, removed, QString(qsizetype(length), Qt::Uninitialized)};
        const auto* in = reinterpret_cast<const unsigned char*>(bytes.data() + at + kEntryHead);
        for (qsizetype i = 0; i < length; ++i)
            edit.inserted[i] = QChar(char16_t(in[2 * i] | (in[2 * i + 1] << 8)));
        contents.edits.push_back(std::move(edit));
        at = end + kCheckSize;
        contents.wholeBytes = at;
    }
    return contents;
}

std::size_t applyJournal(QString& text, const std::vector<JournalEdit>& edits) {
    std::size_t applied = 0;
    for (const JournalEdit& edit : edits) {
        if (edit.from > text.size() || edit.removed > text.size() - edit.from)
            break;
        text.replace(qsizetype(edit.from), qsizetype(edit.removed), edit.inserted);
        ++applied;
    }
    return applied;
}

} // namespace kelvane
