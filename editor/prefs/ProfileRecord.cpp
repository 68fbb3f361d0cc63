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

namespace {
using R = EditorSettingsRecord;
} // namespace

std::optional<QByteArray> encodeProfile(const EditorSettingsRecord& s) {
    RecordWriter w;
    for (const SettingField& field : kSettingFields) {
        const bool written = visitSettingField(
            field, SettingOverloads{
                       // The reserved field is always written empty.
                       [&](QString R::*m) { return w.text(m == &R::Reserved ? QString() : s.*m); },
                       [&](WinColour R::*m) { return w.integer32(s.*m), true; },
                       [&](qint32 R::*m) { return w.integer32(quint32(s.*m)), true; },
                       [&](bool R::*m) { return w.flag(s.*m), true; },
                       [&](float R::*m) { return w.single(s.*m), true; },
                   });
        if (!written)
            return std::nullopt;
    }
    return w.bytes;
}

int decodeProfile(QByteArrayView bytes, EditorSettingsRecord& s) {
    RecordReader r(bytes);
    int fields = 0;
    for (const SettingField& field : kSettingFields) {
        QString reserved; // read past, never kept
        const bool read = visitSettingField(
            field, SettingOverloads{
                       [&](QString R::*m) { return r.text(m == &R::Reserved ? reserved : s.*m); },
                       [&](WinColour R::*m) { return r.integer32(s.*m); },
                       [&](qint32 R::*m) { return r.integer32(s.*m); },
                       [&](bool R::*m) { return r.flag(s.*m); },
                       [&](float R::*m) { return r.single(s.*m); },
                   });
        if (!read)
            break;
        ++fields;
    }
    return fields;
}

void applyProfileFields(const EditorSettingsRecord& profile, EditorSettingsRecord& s) {
    for (const SettingField& field : kSettingFields)
        if (field.setByProfile)
            std::visit([&](auto member) { s.*member = profile.*member; }, field.member);
}

} // namespace kelvane
