// Undo steps and the rules that join edits into them.
#include "platform/text/EditHistory.h"

namespace kelvane {

namespace {

/// Joins saved styles of two neighbouring ranges; false when one index stood for two styles.
bool joinStyles(SavedStyles& first, const SavedStyles& second) {
    for (const auto& [index, style] : second.styles) {
        bool known = false;
        for (const auto& [i, s] : first.styles) {
            if (i == index) {
                if (!(s == style))
                    return false;
                known = true;
            }
        }
        if (!known)
            first.styles.emplace_back(index, style);
    }
    first.indexes.insert(first.indexes.end(), second.indexes.begin(), second.indexes.end());
    return true;
}

} // namespace

bool EditHistory::joins(const Step& last, const RecordedEdit& edit, EditKind kind) const {
    if (last.sealed || last.kind != kind || last.edits.size() != 1)
        return false;
    const RecordedEdit& previous = last.edits.front();
    switch (kind) {
    case EditKind::Typing:
        return edit.removed.isEmpty() && !edit.inserted.contains(QLatin1Char('\n')) &&
               previous.at + previous.inserted.size() == edit.at;
    case EditKind::DeleteBack:
        return edit.inserted.isEmpty() && previous.inserted.isEmpty() &&
               edit.at + edit.removed.size() == previous.at;
    case EditKind::DeleteForward:
        return edit.inserted.isEmpty() && previous.inserted.isEmpty() && edit.at == previous.at;
    case EditKind::Command:
        return false;
    }
    return false;
}

void EditHistory::dropRedoSteps() {
    if (applied_ < steps_.size()) {
        steps_.resize(applied_);
        if (clean_ > qsizetype(applied_))
            clean_ = -1; // the saved state can no longer be reached
    }
}

void EditHistory::recordSpread(SpreadEdit edit) {
    dropRedoSteps();
    seal();
    steps_.push_back(
        Step{{}, EditKind::Command, true, std::make_unique<SpreadEdit>(std::move(edit))});
    ++applied_;
}

void EditHistory::record(RecordedEdit edit, EditKind kind) {
    dropRedoSteps();
    if (batchOpen_ && !batchStarted_) {
        steps_.push_back(Step{{}, EditKind::Command, false, nullptr});
        ++applied_;
        batchStarted_ = true;
    }
    if (batchOpen_) {
        steps_.back().edits.push_back(std::move(edit));
        return;
    }
    if (!steps_.empty() && joins(steps_.back(), edit, kind)) {
        RecordedEdit& previous = steps_.back().edits.front();
        switch (kind) {
        case EditKind::Typing:
            previous.inserted += edit.inserted;
            return;
        case EditKind::DeleteBack:
            if (joinStyles(edit.removedStyles, previous.removedStyles)) {
                previous.at = edit.at;
                previous.removed = edit.removed + previous.removed;
                previous.removedStyles = std::move(edit.removedStyles);
                return;
            }
            break;
        case EditKind::DeleteForward:
            if (joinStyles(previous.removedStyles, edit.removedStyles)) {
                previous.removed += edit.removed;
                return;
            }
            break;
        case EditKind::Command:
            break;
        }
    }
    seal();
    // A typed line break ends the run: text typed after it is a step of its own.
    const bool ends = kind == EditKind::Typing && edit.inserted.contains(QLatin1Char('\n'));
    steps_.push_back(Step{{}, kind, ends || kind == EditKind::Command, nullptr});
    steps_.back().edits.push_back(std::move(edit));
    ++applied_;
}

void EditHistory::openBatch() {
    seal();
    batchOpen_ = true;
    batchStarted_ = false;
}

void EditHistory::closeBatch() {
    seal();
    batchOpen_ = false;
    batchStarted_ = false;
}

EditHistory::Step* EditHistory::takeUndo() {
    if (applied_ == 0 || batchOpen_)
        return nullptr;
    seal();
    --applied_;
    if (applied_ > 0)
        steps_[applied_ - 1].sealed = true; // typing after an undo starts a step of its own
    return &steps_[applied_];
}

EditHistory::Step* EditHistory::takeRedo() {
    if (applied_ >= steps_.size() || batchOpen_)
        return nullptr;
    Step* step = &steps_[applied_++];
    step->sealed = true;
    return step;
}

void EditHistory::seal() {
    if (!steps_.empty())
        steps_.back().sealed = true;
}

void EditHistory::markClean() {
    seal();
    clean_ = qsizetype(applied_);
}

void EditHistory::clear() {
    steps_.clear();
    applied_ = 0;
    clean_ = 0;
    batchOpen_ = false;
    batchStarted_ = false;
}

} // namespace kelvane
