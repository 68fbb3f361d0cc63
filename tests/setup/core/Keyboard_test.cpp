// Focus cycles and the keyboard hook's key table.
#include "Keyboard.h"

#include <gtest/gtest.h>

using namespace fastinst;

TEST(Keyboard, FocusCyclesThroughTheFourControlsBothWays) {
    const struct {
        const char* name;
        bool backward;
        int order[4];
    } cycles[] = {
        {"forward: field, Browse, OK, Cancel",
         false,
         {kFocusBrowse, kFocusOk, kFocusCancel, kFocusField}},
        {"backward: field, Cancel, OK, Browse",
         true,
         {kFocusCancel, kFocusOk, kFocusBrowse, kFocusField}},
    };
    for (const auto& cycle : cycles) {
        SCOPED_TRACE(cycle.name);
        int index = kFocusField;
        for (int next : cycle.order) {
            index = NextFocus(index, cycle.backward);
            EXPECT_EQ(index, next);
        }
    }
}

TEST(Keyboard, EnterRunsOkFromTheFieldAndTheFocusedButtonOtherwise) {
    for (int focus : {kFocusField, kFocusOk, kFocusCancel, kFocusBrowse}) {
        const KeyDecision d = DecideKey(0x0D, true, false, focus);
        EXPECT_EQ(d.action, KeyAction::Command);
        EXPECT_EQ(d.command, focus == kFocusField ? kFocusOk : focus);
        EXPECT_TRUE(d.swallow);
    }
}

TEST(Keyboard, TabFollowsShiftUpAndDownAreFixed) {
    EXPECT_FALSE(DecideKey(0x09, true, false, 0).backward);
    EXPECT_TRUE(DecideKey(0x09, true, true, 0).backward);
    EXPECT_TRUE(DecideKey(0x26, true, false, 0).backward);
    EXPECT_FALSE(DecideKey(0x28, true, true, 0).backward);
    for (unsigned key : {0x09u, 0x26u, 0x28u}) {
        EXPECT_EQ(DecideKey(key, true, false, 0).action, KeyAction::MoveFocus);
        EXPECT_TRUE(DecideKey(key, true, false, 0).swallow);
    }
}

TEST(Keyboard, ShiftIsTrackedAndPassedOn) {
    const KeyDecision down = DecideKey(0x10, true, false, 0);
    EXPECT_EQ(down.action, KeyAction::SetShift);
    EXPECT_TRUE(down.shift);
    EXPECT_FALSE(down.swallow);
    EXPECT_FALSE(DecideKey(0x10, false, true, 0).shift);
}

TEST(Keyboard, EscapeClosesWithoutSwallowing) {
    const KeyDecision d = DecideKey(0x1B, true, false, 2);
    EXPECT_EQ(d.action, KeyAction::Close);
    EXPECT_FALSE(d.swallow);
}

TEST(Keyboard, ReleasesAndOtherKeysDoNothing) {
    EXPECT_EQ(DecideKey(0x0D, false, false, 0).action, KeyAction::None);
    EXPECT_FALSE(DecideKey(0x0D, false, false, 0).swallow);
    EXPECT_EQ(DecideKey('A', true, false, 0).action, KeyAction::None);
}
