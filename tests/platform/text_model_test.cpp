// The document content model: undo steps as users expect them (typing, Backspace and Delete
// runs grouped, Enter and commands apart, batches as one step), the saved state, and styles
// that come back with undone text but are no edits themselves.
#include "platform/text/TextModel.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kelvane;

namespace {

void type(TextModel& model, qsizetype at, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        model.replace(at + i, 0, QStringView(text).mid(i, 1), EditKind::Typing);
}

using kelvane::test::coloured;

} // namespace

TEST(TextModelTest, TypedRunIsOneStepAndEnterStartsAnother) {
    TextModel model;
    type(model, 0, QStringLiteral("hello world"));
    model.replace(11, 0, u"\n", EditKind::Typing);
    type(model, 12, QStringLiteral("next"));
    EXPECT_EQ(model.text().text(), "hello world\nnext");
    EXPECT_EQ(model.undoSteps(), 3);

    EXPECT_EQ(model.undo(), 12) << "the caret goes where the undone typing began";
    EXPECT_EQ(model.text().text(), "hello world\n");
    model.undo();
    EXPECT_EQ(model.text().text(), "hello world");
    model.undo();
    EXPECT_EQ(model.text().text(), "");
    EXPECT_EQ(model.undo(), -1) << "nothing left to undo";
    EXPECT_EQ(model.redoSteps(), 3);
    model.redo();
    model.redo();
    EXPECT_EQ(model.redo(), 16);
    EXPECT_EQ(model.text().text(), "hello world\nnext");
}

TEST(TextModelTest, TypingElsewhereOrAfterACommandStartsANewStep) {
    TextModel model;
    type(model, 0, QStringLiteral("abc"));
    type(model, 0, QStringLiteral("X")); // not where the run ended
    EXPECT_EQ(model.undoSteps(), 2);
    model.replace(0, 1, u"Y"); // a command
    type(model, 1, QStringLiteral("Z"));
    EXPECT_EQ(model.undoSteps(), 4);
    model.undo();
    EXPECT_EQ(model.text().text(), "Yabc");
}

TEST(TextModelTest, BackspaceAndDeleteRunsAreOneStepEach) {
    TextModel model;
    model.setText(u"abcdefgh");
    for (qsizetype at = 6; at > 3; --at) // Backspace three times from before g
        model.replace(at - 1, 1, u"", EditKind::DeleteBack);
    EXPECT_EQ(model.text().text(), "abcgh");
    for (int i = 0; i < 2; ++i) // Delete twice at the same place
        model.replace(3, 1, u"", EditKind::DeleteForward);
    EXPECT_EQ(model.text().text(), "abc");
    EXPECT_EQ(model.undoSteps(), 2);
    model.undo();
    EXPECT_EQ(model.text().text(), "abcgh");
    model.undo();
    EXPECT_EQ(model.text().text(), "abcdefgh");
}

TEST(TextModelTest, BatchIsOneStepAndNewEditsDropRedo) {
    TextModel model;
    model.setText(u"a-b-c");
    model.beginBatch();
    model.replace(1, 1, u"+");
    model.beginBatch(); // nested: still the same step
    model.replace(3, 1, u"++");
    model.endBatch();
    model.endBatch();
    EXPECT_EQ(model.text().text(), "a+b++c");
    EXPECT_EQ(model.undoSteps(), 1);
    model.undo();
    EXPECT_EQ(model.text().text(), "a-b-c");
    model.replace(0, 0, u">");
    EXPECT_EQ(model.redoSteps(), 0) << "an edit after undo drops what could be redone";
}

TEST(TextModelTest, ModifiedFollowsTheSavedState) {
    TextModel model;
    QSignalSpy spy(&model, &TextModel::modificationChanged);
    model.setText(u"text");
    EXPECT_FALSE(model.isModified()) << "loaded content is unmodified";
    type(model, 4, QStringLiteral("ab"));
    EXPECT_TRUE(model.isModified());
    model.setModified(false); // saved
    type(model, 6, QStringLiteral("c"));
    EXPECT_EQ(model.undoSteps(), 2) << "typing after saving starts a new step";
    model.undo();
    EXPECT_FALSE(model.isModified()) << "back at the saved state";
    model.undo();
    EXPECT_TRUE(model.isModified());
    model.redo();
    EXPECT_FALSE(model.isModified());
    model.setModified(true);
    EXPECT_TRUE(model.isModified());
    EXPECT_EQ(spy.count(), 7);
}

TEST(TextModelTest, InsertedTextTakesTheStyleAtTheCaret) {
    TextModel model;
    model.setText(u"ab");
    model.assignStyles(0, {1, 0}, {CharStyle{}, coloured(0x00FF00)});
    type(model, 1, QStringLiteral("x"));
    EXPECT_EQ(model.styles().styleAt(1).colour, 0x00FF00u);
    model.replace(0, 0, u"y");
    EXPECT_EQ(model.styles().styleAt(0).colour, 0x00FF00u)
        << "at the start, the first character's style";
}

TEST(TextModelTest, UndoAndRedoGiveTextItsStylesBack) {
    TextModel model;
    model.setText(u"red plain");
    model.assignStyles(0, {1, 1, 1}, {CharStyle{}, coloured(0x0000FF)});
    model.replace(0, 4, u"");
    EXPECT_EQ(model.text().text(), "plain");
    model.undo(); // removed text comes back coloured
    EXPECT_EQ(model.text().text(), "red plain");
    EXPECT_EQ(model.styles().styleAt(0).colour, 0x0000FFu);
    EXPECT_FALSE(model.styles().styleAt(3).hasColour);
    EXPECT_EQ(model.undoSteps(), 0) << "styling is not an edit";

    model.setText(u"");
    model.replaceStyled(0, 0, u"rich", {1, 1, 0, 0}, {CharStyle{}, coloured(0xFF0000)});
    EXPECT_EQ(model.undoSteps(), 1);
    model.undo();
    EXPECT_EQ(model.text().text(), "");
    model.redo(); // inserted text comes back coloured
    EXPECT_EQ(model.text().text(), "rich");
    EXPECT_EQ(model.styles().styleAt(1).colour, 0xFF0000u);
    EXPECT_FALSE(model.styles().styleAt(2).hasColour);
}

TEST(TextModelTest, ChangeSignalsReportDocumentPositions) {
    TextModel model;
    model.setText(u"one\ntwo");
    QSignalSpy changes(&model, &TextModel::contentsChanged);
    QSignalSpy styles(&model, &TextModel::stylesChanged);
    model.replace(4, 3, u"three");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].value<qsizetype>(), 4);
    EXPECT_EQ(changes[0][1].value<qsizetype>(), 3);
    EXPECT_EQ(changes[0][2].value<qsizetype>(), 5);
    model.restyle(0, 3, [](CharStyle& style) { style.bold = true; });
    EXPECT_EQ(styles.count(), 1);
    model.restyle(0, 3, [](CharStyle& style) { style.bold = true; });
    EXPECT_EQ(styles.count(), 1) << "a change that changes nothing is not reported";
    EXPECT_EQ(changes.count(), 1) << "styling raises no content change";
}
