// The text view's key table: how keys with modifiers find their actions, and a window's own
// command taking an action over on a shown view.
#include "platform/richtext/KeyActions.h"
#include "platform/richtext/TextView.h"
#include "platform/text/TextModel.h"
#include "shown_text_view.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

using namespace kelvane;
using kelvane::testing::ShownView;

namespace {

KeyAction actionOf(const KeyTable& table, Qt::KeyboardModifiers modifiers, Qt::Key key) {
    return table.actionOf(QKeyCombination(modifiers, key));
}

TEST(KeyTableTest, ModifiersPickTheActionOrLeaveTheKeyToTheWindow) {
    const KeyTable table;
    struct Case {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        KeyAction action;
    };
    const Case cases[] = {
        {{}, Qt::Key_Left, KeyAction::CharLeft},
        {Qt::ShiftModifier, Qt::Key_Left, KeyAction::CharLeft}, // Shift extends
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Left, KeyAction::WordLeft},
        {Qt::KeypadModifier, Qt::Key_Right, KeyAction::CharRight},
        {Qt::ControlModifier, Qt::Key_Home, KeyAction::TextHome},
        {Qt::ControlModifier, Qt::Key_Backspace, KeyAction::DeleteWordBack},
        {Qt::ShiftModifier, Qt::Key_Return, KeyAction::NewLine},
        {Qt::KeypadModifier, Qt::Key_Enter, KeyAction::NewLine},
        {Qt::ControlModifier, Qt::Key_Tab, KeyAction::None},
        {Qt::AltModifier, Qt::Key_End, KeyAction::None},
        {Qt::AltModifier, Qt::Key_Left, KeyAction::None},
        {Qt::ControlModifier, Qt::Key_Z, KeyAction::Undo},
        {Qt::ControlModifier, Qt::Key_C, KeyAction::Copy},
        {Qt::ControlModifier, Qt::Key_Insert, KeyAction::Copy},
        {Qt::ShiftModifier, Qt::Key_Insert, KeyAction::Paste},
        {Qt::ControlModifier, Qt::Key_A, KeyAction::SelectAll},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_A, KeyAction::None},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_C, KeyAction::None},
        {Qt::ControlModifier, Qt::Key_Q, KeyAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(actionOf(table, c.modifiers, c.key), c.action)
            << QKeySequence(QKeyCombination(c.modifiers, c.key)).toString().toStdString();

    KeyTable edited;
    edited.unbind(QKeyCombination(Qt::ControlModifier, Qt::Key_X));
    EXPECT_EQ(actionOf(edited, Qt::ControlModifier, Qt::Key_X), KeyAction::None);
    edited.bind(QKeyCombination(Qt::ControlModifier, Qt::Key_Q), KeyAction::SelectAll);
    EXPECT_EQ(actionOf(edited, Qt::ControlModifier, Qt::Key_Q), KeyAction::SelectAll);
}

TEST(KeyTableTest, AWindowsCommandRunsInPlaceOfTheViewsActionAndClaimsTheKey) {
    ShownView shown(QStringLiteral("one two"));
    TextView& view = shown.view;
    int runs = 0;
    view.setKeyCommand(KeyAction::SelectAll, [&runs] { ++runs; });
    view.setCaret(3);

    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_A, Qt::ControlModifier);
    override.setAccepted(false);
    QApplication::sendEvent(&view, &override);
    EXPECT_TRUE(override.isAccepted()) << "the window's shortcuts do not run it as well";
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(view.hasSelection()) << "the view's own Select All did not run";

    QKeyEvent other(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
    other.setAccepted(false);
    QApplication::sendEvent(&view, &other);
    EXPECT_FALSE(other.isAccepted()) << "keys without a command stay open to shortcuts";

    view.setKeyCommand(KeyAction::SelectAll, {});
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(view.selectionEnd() - view.selectionStart(), 7);
}

} // namespace
