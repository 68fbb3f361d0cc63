// Text, styles and undo history of a document, changed together.
#include "platform/text/TextModel.h"

#include <utility>

namespace kelvane {

TextModel::TextModel(QObject* parent) : QObject(parent) {
    text_.clear();
    styles_.reset(0);
}

void TextModel::apply(qsizetype from, qsizetype removed, QStringView inserted) {
    text_.replace(from, removed, inserted);
    styles_.replace(from, removed, inserted.size());
    changedInBatch_ = changedInBatch_ || batchDepth_ > 0;
    emit contentsChanged(from, removed, inserted.size());
}

void TextModel::noteModification(bool before) {
    if (isModified() != before)
        emit modificationChanged(!before);
}

void TextModel::replace(qsizetype from, qsizetype removed, QStringView inserted, EditKind kind) {
    from = std::clamp<qsizetype>(from, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - from);
    if (removed == 0 && inserted.isEmpty())
        return;
    const bool wasModified = isModified();
    RecordedEdit edit;
    edit.at = from;
    edit.removed = text_.text(from, from + removed);
    edit.removedStyles = styles_.save(from, removed);
    edit.inserted = inserted.toString();
    history_.record(std::move(edit), kind);
    apply(from, removed, inserted);
    noteModification(wasModified);
}

void TextModel::replaceStyled(qsizetype from, qsizetype removed, QStringView inserted,
                              const std::vector<std::uint8_t>& styleOfChar,
                              const std::vector<CharStyle>& styles) {
    from = std::clamp<qsizetype>(from, 0, size());
    const bool outermost = batchDepth_ == 0; // else the open batch holds the step
    if (outermost)
        history_.openBatch();
    replace(from, removed, inserted);
    if (outermost)
        history_.closeBatch();
    assignStyles(from, styleOfChar, styles);
}

void TextModel::beginBatch() {
    if (batchDepth_++ == 0) {
        history_.openBatch();
        changedInBatch_ = false;
    }
}

void TextModel::endBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    history_.closeBatch();
    emit batchEnded(std::exchange(changedInBatch_, false));
}

qsizetype TextModel::moveText(qsizetype from, qsizetype count, qsizetype to) {
    from = std::clamp<qsizetype>(from, 0, size());
    count = std::clamp<qsizetype>(count, 0, size() - from);
    to = std::clamp<qsizetype>(to, 0, size());
    if (count == 0 || (to >= from && to <= from + count))
        return from;
    const QString moved = text_.text(from, from + count);
    const SavedStyles movedStyles = styles_.save(from, count);
    beginBatch();
    replace(from, count, u"");
    if (to > from)
        to -= count;
    replace(to, 0, moved);
    styles_.restore(to, movedStyles);
    emit stylesChanged(to, count);
    endBatch();
    return to;
}

void TextModel::setText(QStringView text) {
    beginLoad(text.size());
    appendLoaded(text);
    endLoad();
}

void TextModel::beginLoad(qsizetype expectedSize, qsizetype expectedBreaks) {
    text_.clear(expectedSize, expectedBreaks);
}

void TextModel::appendLoaded(QStringView piece) {
    text_.append(piece);
}

void TextModel::endLoad() {
    const bool wasModified = isModified();
    text_.finishLoading();
    styles_.reset(text_.size());
    history_.clear();
    emit reset();
    noteModification(wasModified);
}

qsizetype TextModel::undo() {
    const bool wasModified = isModified();
    EditHistory::Step* step = history_.takeUndo();
    if (!step)
        return -1;
    qsizetype caret = -1;
    for (auto edit = step->edits.rbegin(); edit != step->edits.rend(); ++edit) {
        const qsizetype insertedLength = edit->inserted.size();
        edit->insertedStyles = styles_.save(edit->at, insertedLength);
        apply(edit->at, insertedLength, edit->removed);
        styles_.restore(edit->at, edit->removedStyles);
        if (!edit->removed.isEmpty())
            emit stylesChanged(edit->at, edit->removed.size());
        caret = edit->at + edit->removed.size();
    }
    noteModification(wasModified);
    return caret;
}

qsizetype TextModel::redo() {
    const bool wasModified = isModified();
    EditHistory::Step* step = history_.takeRedo();
    if (!step)
        return -1;
    qsizetype caret = -1;
    for (RecordedEdit& edit : step->edits) {
        apply(edit.at, edit.removed.size(), edit.inserted);
        styles_.restore(edit.at, edit.insertedStyles);
        if (!edit.inserted.isEmpty())
            emit stylesChanged(edit.at, edit.inserted.size());
        caret = edit.at + edit.inserted.size();
    }
    noteModification(wasModified);
    return caret;
}

void TextModel::setModified(bool modified) {
    const bool wasModified = isModified();
    if (modified)
        history_.markDirty();
    else
        history_.markClean();
    noteModification(wasModified);
}

void TextModel::restyle(qsizetype from, qsizetype count,
                        const std::function<void(CharStyle&)>& change) {
    if (styles_.restyle(from, count, change))
        emit stylesChanged(from, count);
}

void TextModel::assignStyles(qsizetype from, const std::vector<std::uint8_t>& styleOfChar,
                             const std::vector<CharStyle>& styles) {
    styles_.assign(from, styleOfChar, styles);
    emit stylesChanged(from, qsizetype(styleOfChar.size()));
}

void TextModel::colourByClass(qsizetype from, const std::uint8_t* classes, qsizetype count,
                              const std::vector<WinColour>& classColours) {
    styles_.colourByClass(from, classes, count, classColours);
    emit stylesChanged(from, count);
}

void TextModel::clearStyles() {
    styles_.reset(text_.size());
    emit stylesChanged(0, text_.size());
}

} // namespace kelvane
