// What the text model tells its listeners: one batchEnded for the outermost batch with whether
// its text changed, no step for a batch without edits, undo and redo held while a batch is open,
// and loading announced by reset() alone.
#include "platform/text/TextModel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kelvane;

namespace {

TEST(TextModelNotificationsTest, NestedBatchesEndOnceAndSayWhetherTheTextChanged) {
    TextModel model;
    model.setText(u"abc");
    QSignalSpy ended(&model, &TextModel::batchEnded);
    QSignalSpy contents(&model, &TextModel::contentsChanged);

    model.beginBatch();
    model.replace(0, 1, u"x");
    model.beginBatch();
    model.replace(2, 1, u"yz");
    model.endBatch();
    EXPECT_EQ(ended.count(), 0) << "an inner batch ends nothing";
    EXPECT_EQ(model.undo(), -1) << "no undo while a batch is open";
    model.endBatch();
    ASSERT_EQ(ended.count(), 1);
    EXPECT_TRUE(ended[0][0].toBool());
    EXPECT_EQ(contents.count(), 2) << "each edit of a batch is announced in order";
    EXPECT_EQ(model.undoSteps(), 1);

    model.beginBatch();
    model.restyle(0, 2, [](CharStyle& s) { s.bold = true; });
    model.endBatch();
    ASSERT_EQ(ended.count(), 2);
    EXPECT_FALSE(ended[1][0].toBool()) << "formatting is no change of the text";
    EXPECT_EQ(model.undoSteps(), 1) << "a batch without edits is no step";

    model.endBatch(); // one end too many is ignored
    EXPECT_EQ(ended.count(), 2);
    EXPECT_FALSE(model.inBatch());
    EXPECT_GE(model.undo(), 0);
    EXPECT_EQ(model.text().text(), "abc");
}

TEST(TextModelNotificationsTest, PastedRichTextInsideABatchJoinsItsStep) {
    TextModel model;
    model.setText(u"12");
    model.beginBatch();
    model.replace(0, 0, u"a");
    model.replaceStyled(3, 0, u"b", {0}, {CharStyle{}});
    model.endBatch();
    EXPECT_EQ(model.text().text(), "a12b");
    EXPECT_EQ(model.undoSteps(), 1);
    model.replaceStyled(0, 0, u"c", {0}, {CharStyle{}});
    EXPECT_EQ(model.undoSteps(), 2) << "outside a batch it is a step of its own";
}

TEST(TextModelNotificationsTest, LoadingIsAnnouncedByResetAlone) {
    TextModel model;
    QSignalSpy contents(&model, &TextModel::contentsChanged);
    QSignalSpy styles(&model, &TextModel::stylesChanged);
    QSignalSpy reset(&model, &TextModel::reset);
    model.beginLoad(10);
    model.appendLoaded(u"line\n");
    model.appendLoaded(u"two");
    model.endLoad();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(contents.count(), 0);
    EXPECT_EQ(styles.count(), 0);
    EXPECT_EQ(model.undoSteps(), 0);
    EXPECT_FALSE(model.isModified());
    model.replace(0, 4, u"one");
    EXPECT_EQ(contents.count(), 1);
    EXPECT_EQ(styles.count(), 0) << "a change of the text alone restyles nothing";
}

} // namespace
