// A document's plain-text file: the encoding and the line breaks it was written with, kept
// beside the text while it is edited, so that saving writes the file back the way it came.
#pragma once

#include "platform/TextEncoding.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QObject>
#include <QString>

#include <utility>
#include <vector>

namespace kelvane {

class TextModel;

class TextFile : public QObject {
    Q_OBJECT
public:
    /// Follows the edits of `model`, which must outlive it.
    explicit TextFile(TextModel& model, QObject* parent = nullptr);

    /// Replaces the model's content with a text file's bytes (encoding detected, line breaks
    /// remembered), decoded a piece at a time straight into the model's storage. The undo
    /// history starts afresh.
    void load(const QByteArray& bytes);
    /// As above, reading an open file from its start in pieces of `pieceBytes`: its bytes are
    /// never held whole. False, with the system's description in `error` and an empty text
    /// in the model, when reading fails.
    bool load(QIODevice& file, QString& error, qsizetype pieceBytes = qsizetype(1) << 20);
    /// The file was read again into the model as an edit: its layout is now `format`.
    void adopt(TextFileFormat format);
    /// Writes the model's content in the file's encoding and line breaks, replacing the file
    /// on disk atomically. False, with the system's description in `error`, on failure.
    bool save(const QString& path, QString& error);
    /// The layout of a new document: UTF-8 and the platform's line break.
    void startNew();
    /// Every line break takes the file's usual style (the whole text was replaced).
    void forgetBreakStyles() { breakStyles_.clear(); }

    /// The file's layout, with the line breaks that differ from its usual one as they are now.
    TextFileFormat format() const;

private:
    void followEdit(qsizetype from, qsizetype added);

    TextModel& model_;
    TextFileFormat format_; ///< without exceptions: those are breakStyles_
    /// Line breaks whose style on disk differs from the file's usual one: (break, style), by
    /// break number, following the edits.
    std::vector<std::pair<qsizetype, LineBreak>> breakStyles_;
    qsizetype knownLines_ = 1; ///< text lines before the last change
};

} // namespace kelvane
