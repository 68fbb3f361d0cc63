// The undo history on its own: which edits join into one step (typing, Backspace and Delete
// runs), batches, the saved state across undo, redo and new edits, and runs whose removed
// characters' styles cannot be kept together.
#include "platform/text/EditHistory.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace kelvane {
namespace {

RecordedEdit edit(qsizetype at, const QString& removed, const QString& inserted) {
    RecordedEdit e;
    e.at = at;
    e.removed = removed;
    e.inserted = inserted;
    return e;
}

/// A removed character of style index `index`, which stands for `style`.
RecordedEdit removedStyled(qsizetype at, const QString& removed, std::uint8_t index,
                           const CharStyle& style) {
    RecordedEdit e = edit(at, removed, {});
    e.removedStyles.indexes.assign(size_t(removed.size()), index);
    e.removedStyles.styles.emplace_back(index, style);
    return e;
}

TEST(EditHistoryTest, TwoEditsJoinOnlyWhenTheyContinueARun) {
    using K = EditKind;
    struct Joined {
        qsizetype at;
        const char* removed;
        const char* inserted;
    };
    struct Case {
        const char* name;
        RecordedEdit first;
        K firstKind;
        RecordedEdit second;
        K secondKind;
        std::optional<Joined> joined; // the one step's edit; none: two steps
    };
    const Case cases[] = {
        {"typing right after typing", edit(0, "", "a"), K::Typing, edit(1, "", "b"), K::Typing,
         Joined{0, "", "ab"}},
        {"typing elsewhere", edit(0, "", "a"), K::Typing, edit(5, "", "b"), K::Typing, {}},
        {"typing after a typed line break",
         edit(0, "", "\n"),
         K::Typing,
         edit(1, "", "b"),
         K::Typing,
         {}},
        {"a typed line break after typing",
         edit(0, "", "a"),
         K::Typing,
         edit(1, "", "\n"),
         K::Typing,
         {}},
        {"typing over a selection", edit(0, "", "a"), K::Typing, edit(1, "x", "b"), K::Typing, {}},
        {"Backspace just before the last one", edit(5, "e", ""), K::DeleteBack, edit(4, "d", ""),
         K::DeleteBack, Joined{4, "de", ""}},
        {"Backspace elsewhere",
         edit(5, "e", ""),
         K::DeleteBack,
         edit(2, "c", ""),
         K::DeleteBack,
         {}},
        {"Delete where the last one was", edit(3, "d", ""), K::DeleteForward, edit(3, "e", ""),
         K::DeleteForward, Joined{3, "de", ""}},
        {"Delete one further on",
         edit(3, "d", ""),
         K::DeleteForward,
         edit(4, "e", ""),
         K::DeleteForward,
         {}},
        {"Delete after Backspace",
         edit(3, "d", ""),
         K::DeleteBack,
         edit(3, "e", ""),
         K::DeleteForward,
         {}},
        {"typing after a command", edit(0, "", "a"), K::Command, edit(1, "", "b"), K::Typing, {}},
        {"two commands", edit(0, "", "a"), K::Command, edit(1, "", "b"), K::Command, {}},
    };
    for (const Case& c : cases) {
        EditHistory history;
        history.record(c.first, c.firstKind);
        history.record(c.second, c.secondKind);
        EXPECT_EQ(history.undoSteps(), c.joined ? 1 : 2) << c.name;
        if (!c.joined)
            continue;
        const EditHistory::Step* step = history.takeUndo();
        ASSERT_TRUE(step && step->edits.size() == 1) << c.name;
        EXPECT_EQ(step->edits[0].at, c.joined->at) << c.name;
        EXPECT_EQ(step->edits[0].removed, c.joined->removed) << c.name;
        EXPECT_EQ(step->edits[0].inserted, c.joined->inserted) << c.name;
    }
}

TEST(EditHistoryTest, ABackspaceRunKeepsItsStylesInTextOrderOrSplitsWhereAnIndexChangedMeaning) {
    const CharStyle red = test::coloured(0x0000FF);
    const CharStyle blue = test::coloured(0xFF0000);
    EditHistory same;
    same.record(removedStyled(5, "e", 1, red), EditKind::DeleteBack);
    same.record(removedStyled(4, "d", 2, blue), EditKind::DeleteBack);
    ASSERT_EQ(same.undoSteps(), 1);
    const RecordedEdit& run = same.takeUndo()->edits.front();
    EXPECT_EQ(run.removed, "de");
    EXPECT_EQ(run.removedStyles.indexes, (std::vector<std::uint8_t>{2, 1}));
    EXPECT_EQ(run.removedStyles.styles.size(), 2u);

    // Index 1 was reused for another style between the two keys: one step could give only one
    // of them back, so the second key is a step of its own.
    EditHistory reused;
    reused.record(removedStyled(5, "e", 1, red), EditKind::DeleteBack);
    reused.record(removedStyled(4, "d", 1, blue), EditKind::DeleteBack);
    EXPECT_EQ(reused.undoSteps(), 2);
    EditHistory forward;
    forward.record(removedStyled(3, "d", 1, red), EditKind::DeleteForward);
    forward.record(removedStyled(3, "e", 1, blue), EditKind::DeleteForward);
    EXPECT_EQ(forward.undoSteps(), 2);
}

TEST(EditHistoryTest, ABatchIsOneStepOfEveryEditInIt) {
    EditHistory history;
    history.record(edit(0, "", "a"), EditKind::Typing);
    history.openBatch();
    EXPECT_EQ(history.takeUndo(), nullptr) << "nothing is undone while a batch is open";
    history.record(edit(1, "", "b"), EditKind::Typing); // does not join the typing before
    history.record(edit(0, "a", "A"), EditKind::Command);
    history.record(edit(1, "b", ""), EditKind::DeleteForward);
    history.closeBatch();
    history.record(edit(1, "", "c"), EditKind::Typing); // nor the batch after it
    ASSERT_EQ(history.undoSteps(), 3);
    history.takeUndo();
    const EditHistory::Step* batch = history.takeUndo();
    ASSERT_NE(batch, nullptr);
    ASSERT_EQ(batch->edits.size(), 3u);
    EXPECT_EQ(batch->edits[0].inserted, "b");
    EXPECT_EQ(batch->edits[1].inserted, "A");
    EXPECT_EQ(batch->edits[2].removed, "b");

    EditHistory empty;
    empty.openBatch();
    empty.closeBatch();
    EXPECT_EQ(empty.undoSteps(), 0) << "a batch without edits leaves no step";
}

TEST(EditHistoryTest, TheSavedStateFollowsUndoAndRedoUntilANewEditCutsItOff) {
    EditHistory history;
    EXPECT_TRUE(history.isClean()) << "a new history is the saved text";
    history.record(edit(0, "", "a"), EditKind::Command);
    history.record(edit(1, "", "b"), EditKind::Command);
    EXPECT_FALSE(history.isClean());
    history.markClean();
    EXPECT_TRUE(history.isClean());
    history.takeUndo();
    EXPECT_FALSE(history.isClean());
    EXPECT_EQ(history.redoSteps(), 1);
    history.takeRedo();
    EXPECT_TRUE(history.isClean()) << "redone back to the saved text";

    history.takeUndo();
    history.record(edit(1, "", "c"), EditKind::Command);
    EXPECT_EQ(history.redoSteps(), 0) << "a new edit drops what could be redone";
    history.takeUndo();
    EXPECT_FALSE(history.isClean()) << "the saved text can no longer be reached";
    history.markDirty();
    EXPECT_FALSE(history.isClean());

    history.clear();
    EXPECT_TRUE(history.isClean());
    EXPECT_EQ(history.undoSteps() + history.redoSteps(), 0);
}

TEST(EditHistoryTest, SavingOrUndoingEndsATypingRun) {
    EditHistory saved;
    saved.record(edit(0, "", "a"), EditKind::Typing);
    saved.markClean();
    saved.record(edit(1, "", "b"), EditKind::Typing);
    EXPECT_EQ(saved.undoSteps(), 2) << "undo goes back to the saved text first";

    EditHistory undone;
    undone.record(edit(0, "", "a"), EditKind::Typing);
    undone.record(edit(1, "x", ""), EditKind::Command);
    undone.takeUndo();
    undone.record(edit(1, "", "b"), EditKind::Typing);
    EXPECT_EQ(undone.undoSteps(), 2) << "typing after an undo is a step of its own";
}

} // namespace
} // namespace kelvane
