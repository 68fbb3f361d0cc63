// Loading and saving a document as a text file, its line-break styles following the edits.
#include "platform/text/TextFile.h"

#include "platform/FileIO.h"
#include "platform/TextDecoder.h"
#include "platform/text/TextModel.h"

#include <QBuffer>

#include <algorithm>

namespace kelvane {

namespace {

// Decoded characters go straight into the model's text.
class ModelSink : public DecodedTextSink {
public:
    explicit ModelSink(TextModel& model) : model_(model) {}
    void start(qsizetype expectedUnits, qsizetype expectedBreaks) override {
        model_.beginLoad(expectedUnits, expectedBreaks);
    }
    char16_t* room(qsizetype units) override { return model_.loadRoom(units); }
    char* narrowRoom(qsizetype count) override { return model_.loadNarrowRoom(count); }
    void wrote(qsizetype units) override { model_.loadedInRoom(units); }

private:
    TextModel& model_;
};

} // namespace

TextFile::TextFile(TextModel& model, QObject* parent) : QObject(parent), model_(model) {
    startNew();
    knownLines_ = model_.text().lineCount();
    connect(&model_, &TextModel::contentsChanged, this,
            [this](qsizetype from, qsizetype, qsizetype added) { followEdit(from, added); });
    connect(&model_, &TextModel::reset, this, [this] { knownLines_ = model_.text().lineCount(); });
}

void TextFile::startNew() {
    format_ = TextFileFormat{};
    format_.lineBreak = platformLineBreak();
    breakStyles_.clear();
}

TextFileFormat TextFile::format() const {
    TextFileFormat format = format_;
    format.exceptions = breakStyles_;
    return format;
}

void TextFile::load(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    load(buffer, error); // reading memory does not fail
}

bool TextFile::load(QIODevice& file, QString& error, qsizetype pieceBytes) {
    ModelSink sink(model_);
    const std::optional<TextFileFormat> read =
        decodeTextStream([&file](char* out, qsizetype max) { return file.read(out, max); },
                         [&file] { return file.seek(0); }, file.size(), sink, pieceBytes);
    if (!read) {
        error = file.errorString();
        model_.beginLoad(0);
        model_.endLoad();
        startNew();
        return false;
    }
    TextFileFormat format = *read;
    breakStyles_ = std::move(format.exceptions);
    format.exceptions.clear(); // kept in breakStyles_, following the edits
    format_ = std::move(format);
    model_.endLoad();
    return true;
}

void TextFile::adopt(TextFileFormat format) {
    breakStyles_ = std::move(format.exceptions);
    format.exceptions.clear();
    format_ = std::move(format);
}

bool TextFile::save(const QString& path, QString& error) {
    TextEncoding written = format_.encoding;
    const TextStore& text = model_.text();
    const QByteArray bytes = encodeTextPieces(
        [&text](const std::function<void(QStringView)>& take) {
            text.forPieces(0, text.size(), take);
        },
        format(), &written);
    if (!writeFileAtomically(path, bytes, error))
        return false;
    format_.encoding = written; // a text that outgrew its 8-bit encoding stays UTF-8
    return true;
}

void TextFile::followEdit(qsizetype from, qsizetype added) {
    const TextStore& text = model_.text();
    const qsizetype delta = text.lineCount() - knownLines_;
    knownLines_ = text.lineCount();
    if (breakStyles_.empty())
        return;
    // Break n ends line n. The breaks of the changed range went away and its new breaks take
    // the file's usual style; the break that ended the changed range's last line still ends
    // it, and every later break moves with its line.
    qsizetype addedBreaks = 0;
    text.forPieces(from, from + added,
                   [&addedBreaks](QStringView piece) { addedBreaks += piece.count(u'\n'); });
    const qsizetype removedBreaks = addedBreaks - delta;
    const qsizetype first = text.lineOf(from);
    std::vector<std::pair<qsizetype, LineBreak>> kept;
    kept.reserve(breakStyles_.size());
    for (const auto& [index, style] : breakStyles_) {
        if (index < first)
            kept.emplace_back(index, style);
        else if (index >= first + removedBreaks)
            kept.emplace_back(index + delta, style);
    }
    breakStyles_ = std::move(kept);
}

} // namespace kelvane
