// A decoded-text sink that keeps the characters in a string, as a document's text would; shared
// by the decoder's tests and its fuzz target.
#pragma once

#include "platform/TextDecoder.h"

#include <QString>

namespace kelvane {

class StringTextSink : public DecodedTextSink {
public:
    void start(qsizetype, qsizetype) override {
        text.clear();
        ++starts;
    }
    char16_t* room(qsizetype units) override {
        written_ = text.size();
        text.resize(written_ + units);
        return reinterpret_cast<char16_t*>(text.data()) + written_;
    }
    void wrote(qsizetype units) override { text.truncate(written_ + units); }

    QString text;
    int starts = 0; ///< how often decoding started, again after a rewind included

private:
    qsizetype written_ = 0;
};

} // namespace kelvane
