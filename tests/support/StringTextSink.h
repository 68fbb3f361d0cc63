// A decoded-text sink that keeps the characters in a string, as a document's text would; shared
// by the decoder's tests and its fuzz target. A narrow sink takes characters up to U+00FF one
// byte each, as a document does, until the first wider one.
#pragma once

#include "platform/TextDecoder.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

namespace kelvane {

class StringTextSink : public DecodedTextSink {
public:
    explicit StringTextSink(bool narrow = false) : narrow_(narrow) {}

    void start(qsizetype, qsizetype) override {
        text.clear();
        wide_ = !narrow_;
        widenedAt = -1;
        ++starts;
    }
    char* narrowRoom(qsizetype count) override {
        if (wide_)
            return nullptr;
        bytes_.resize(count);
        return bytes_.data();
    }
    char16_t* room(qsizetype units) override {
        if (!wide_) {
            widenedAt = text.size();
            wide_ = true;
        }
        written_ = text.size();
        text.resize(written_ + units);
        return reinterpret_cast<char16_t*>(text.data()) + written_;
    }
    void wrote(qsizetype units) override {
        if (wide_)
            text.truncate(written_ + units);
        else
            text += QLatin1StringView(bytes_.constData(), units);
    }

    QString text;
    int starts = 0;           ///< how often decoding started, again after a rewind included
    qsizetype widenedAt = -1; ///< characters held one byte each before the first wider one

private:
    bool narrow_;
    bool wide_ = true;
    QByteArray bytes_; ///< the room of one piece of narrow characters
    qsizetype written_ = 0;
};

} // namespace kelvane
