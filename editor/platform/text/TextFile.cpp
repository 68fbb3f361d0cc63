// Loading and saving a document as a text file, its line-break styles following the edits.
#include "platform/text/TextFile.h"

#include "platform/FileIO.h"
#include "platform/text/TextModel.h"

#include <algorithm>
#include <cstring>

namespace kelvane {

namespace {

// About the number of line breaks in a file, from the line feeds of its first megabyte and a
// little more: room for the line index is only reserved, so a guess too high costs nothing
// until it is given back, and one too low lets the index grow as usual.
qsizetype expectedLineFeeds(QByteArrayView bytes) {
    const QByteArrayView head = bytes.first(std::min<qsizetype>(bytes.size(), 1 << 20));
    qsizetype count = 0;
    const char* p = head.data();
    const char* const end = p + head.size();
    while (p < end && (p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p))))) {
        ++count;
        ++p;
    }
    if (head.isEmpty())
        return 0;
    const double scaled = double(count) * double(bytes.size()) / double(head.size());
    return qsizetype(scaled * 1.125) + 16;
}

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

void TextFile::load(QByteArray bytes) {
    // Room for the line index is made once instead of growing through the whole load.
    model_.beginLoad(bytes.size(), expectedLineFeeds(bytes));
    TextFileFormat format =
        decodeTextPieces(bytes, [this](QStringView piece) { model_.appendLoaded(piece); });
    bytes = QByteArray();
    breakStyles_ = std::move(format.exceptions);
    format.exceptions.clear(); // kept in breakStyles_, following the edits
    format_ = std::move(format);
    model_.endLoad();
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
