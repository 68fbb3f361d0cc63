// Profile files: the EditorSettings record as bytes.
#include "prefs/ProfileRecord.h"

#include "platform/TextEncoding.h"

#include <QtEndian>

#include <bit>
#include <cstring>

namespace kelvane {

namespace {

class RecordWriter {
public:
    bool text(const QString& value) {
        const QByteArray encoded = toWindows1252(value);
        if (encoded.size() > 0xFFFF)
            return false;
        integer16(quint16(encoded.size()));
        bytes += encoded;
        return true;
    }
    void flag(bool value) { integer16(value ? 0xFFFF : 0); }
    void integer32(quint32 value) {
        char le[4];
        qToLittleEndian(value, le);
        bytes.append(le, 4);
    }
    void single(float value) { integer32(std::bit_cast<quint32>(value)); }

    QByteArray bytes;

private:
    void integer16(quint16 value) {
        char le[2];
        qToLittleEndian(value, le);
        bytes.append(le, 2);
    }
};

// Reads fields from the front; once a field does not fit, every later read fails too.
class RecordReader {
public:
    explicit RecordReader(QByteArrayView bytes) : bytes_(bytes) {}

    bool text(QString& value) {
        quint16 count = 0;
        if (!has(2))
            return fail();
        count = qFromLittleEndian<quint16>(bytes_.data() + at_);
        if (!has(2 + qsizetype(count)))
            return fail();
        value = fromWindows1252(bytes_.sliced(at_ + 2, count));
        at_ += 2 + count;
        return true;
    }
    bool flag(bool& value) {
        if (!has(2))
            return fail();
        value = qFromLittleEndian<quint16>(bytes_.data() + at_) != 0;
        at_ += 2;
        return true;
    }
    template <typename T> bool integer32(T& value) {
        if (!has(4))
            return fail();
        value = T(qFromLittleEndian<quint32>(bytes_.data() + at_));
        at_ += 4;
        return true;
    }
    bool single(float& value) {
        quint32 raw = 0;
        if (!integer32(raw))
            return false;
        value = std::bit_cast<float>(raw);
        return true;
    }

private:
    bool has(qsizetype count) const { return ok_ && bytes_.size() - at_ >= count; }
    bool fail() { return ok_ = false; }

    QByteArrayView bytes_;
    qsizetype at_ = 0;
    bool ok_ = true;
};

} // namespace

std::optional<QByteArray> encodeProfile(const EditorSettingsRecord& s) {
    RecordWriter w;
    if (!w.text(s.Keywords0) || !w.text(s.Keywords1) || !w.text(s.Keywords2))
        return std::nullopt;
    w.integer32(s.KeywordColor0);
    w.integer32(s.KeywordColor1);
    w.integer32(s.KeywordColor2);
    w.integer32(quint32(s.KeywordCount));
    w.flag(s.WordWrap);
    w.integer32(quint32(s.Delimiters));
    w.integer32(s.DelimitColor);
    w.text(QString()); // the reserved field
    w.flag(s.AutoCode);
    w.flag(s.Backup);
    if (!w.text(s.EditorFont))
        return std::nullopt;
    w.single(s.EditorSize);
    if (!w.text(s.CompilerString))
        return std::nullopt;
    w.flag(s.CodeOrder);
    w.flag(s.CaseSensitive);
    return w.bytes;
}

int decodeProfile(QByteArrayView bytes, EditorSettingsRecord& s) {
    RecordReader r(bytes);
    QString reserved;
    // Each read is attempted in record order; the count stops at the first that fails.
    const bool read[kProfileFieldCount] = {r.text(s.Keywords0),
                                           r.text(s.Keywords1),
                                           r.text(s.Keywords2),
                                           r.integer32(s.KeywordColor0),
                                           r.integer32(s.KeywordColor1),
                                           r.integer32(s.KeywordColor2),
                                           r.integer32(s.KeywordCount),
                                           r.flag(s.WordWrap),
                                           r.integer32(s.Delimiters),
                                           r.integer32(s.DelimitColor),
                                           r.text(reserved),
                                           r.flag(s.AutoCode),
                                           r.flag(s.Backup),
                                           r.text(s.EditorFont),
                                           r.single(s.EditorSize),
                                           r.text(s.CompilerString),
                                           r.flag(s.CodeOrder),
                                           r.flag(s.CaseSensitive)};
    int fields = 0;
    while (fields < kProfileFieldCount && read[fields])
        ++fields;
    return fields;
}

void applyProfileFields(const EditorSettingsRecord& profile, EditorSettingsRecord& s) {
    s.Keywords0 = profile.Keywords0;
    s.Keywords1 = profile.Keywords1;
    s.Keywords2 = profile.Keywords2;
    s.KeywordColor0 = profile.KeywordColor0;
    s.KeywordColor1 = profile.KeywordColor1;
    s.KeywordColor2 = profile.KeywordColor2;
    s.KeywordCount = profile.KeywordCount;
    s.DelimitColor = profile.DelimitColor;
    s.Delimiters = profile.Delimiters;
    s.CodeOrder = profile.CodeOrder;
    s.CaseSensitive = profile.CaseSensitive;
}

} // namespace kelvane
