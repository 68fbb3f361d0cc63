// Text, styles and undo history of a document, changed together.
#include "platform/text/TextModel.h"

#include "platform/text/SystemPages.h"

#include <algorithm>
#include <array>
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

bool TextModel::replaceEach(std::vector<SpreadPiece> pieces, QString allInserted) {
    if (batchDepth_ > 0)
        return false;
    qsizetype end = 0;
    qsizetype inserted = 0;
    std::erase_if(pieces, [](const SpreadPiece& p) { return p.removed == 0 && p.inserted == 0; });
    for (const SpreadPiece& piece : pieces) {
        if (piece.at < end || piece.removed < 0 || piece.inserted < 0 ||
            piece.at + piece.removed > size())
            return false;
        end = piece.at + piece.removed;
        inserted += piece.inserted;
    }
    if (pieces.empty() || inserted != allInserted.size())
        return false;
    const bool wasModified = isModified();
    SpreadEdit edit;
    qsizetype removed = 0;
    for (const SpreadPiece& piece : pieces)
        removed += piece.removed;
    edit.removed.reserve(removed);
    for (const SpreadPiece& piece : pieces)
        text_.forPieces(piece.at, piece.at + piece.removed,
                        [&edit](QStringView run) { edit.removed += run; });
    edit.removedStyles = styles_.saveEach(pieces);
    // The inserted characters of a piece take the style of the first one it replaces.
    SavedStyles insertedStyles;
    insertedStyles.indexes.reserve(size_t(inserted));
    std::array<bool, 256> used{};
    for (const SpreadPiece& piece : pieces) {
        const qsizetype from = piece.removed > 0 ? piece.at : piece.at - 1;
        const std::uint8_t index =
            size() == 0 ? 0 : styles_.indexAt(std::clamp<qsizetype>(from, 0, size() - 1));
        insertedStyles.indexes.insert(insertedStyles.indexes.end(), size_t(piece.inserted), index);
        used[index] = true;
    }
    for (std::size_t i = 0; i < used.size(); ++i)
        if (used[i])
            insertedStyles.styles.emplace_back(std::uint8_t(i),
                                               styles_.table().at(std::uint8_t(i)));
    edit.inserted = std::move(allInserted);
    edit.pieces = std::move(pieces);
    applySpread(edit.pieces, edit.inserted, insertedStyles);
    history_.recordSpread(std::move(edit));
    noteModification(wasModified);
    return true;
}

void TextModel::applySpread(const std::vector<SpreadPiece>& pieces, QStringView inserted,
                            const SavedStyles& styles) {
    const qsizetype from = pieces.front().at;
    const qsizetype oldEnd = pieces.back().at + pieces.back().removed;
    const qsizetype oldSize = size();
    text_.replaceEach(pieces, inserted);
    // The new characters take plain style first, then the saved ones.
    styles_.replaceEach(pieces, std::vector<std::uint8_t>(pieces.size(), 0));
    styles_.restoreEach(invertPieces(pieces), styles);
    const qsizetype newEnd = oldEnd + size() - oldSize;
    emit contentsChanged(from, oldEnd - from, newEnd - from);
    emit stylesChanged(from, newEnd - from);
}

qsizetype TextModel::undoSpread(SpreadEdit& edit) {
    const std::vector<SpreadPiece> back = invertPieces(edit.pieces);
    edit.insertedStyles = styles_.saveEach(back);
    applySpread(back, edit.removed, edit.removedStyles);
    return edit.oldEnd();
}

qsizetype TextModel::redoSpread(SpreadEdit& edit) {
    applySpread(edit.pieces, edit.inserted, edit.insertedStyles);
    return edit.newEnd();
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
    if (step->spread) {
        const qsizetype caret = undoSpread(*step->spread);
        giveBackFreeHeap(); // the pieces turned round for it were many and are gone
        noteModification(wasModified);
        return caret;
    }
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
    if (step->spread) {
        const qsizetype caret = redoSpread(*step->spread);
        giveBackFreeHeap();
        noteModification(wasModified);
        return caret;
    }
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
