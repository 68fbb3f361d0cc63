// When the setup takes the foreground back from the Program Manager's window or rises above it.
// window.
#include "GroupWindowGuard.h"

#include <gtest/gtest.h>

using namespace fastinst;

TEST(GroupWindowGuard, NothingIsReclaimedBeforeTheCommandsArePosted) {
    const GroupWindowGuard guard;
    EXPECT_FALSE(guard.Watching(0));
    EXPECT_FALSE(guard.ShouldReclaim(true, 100));
}

TEST(GroupWindowGuard, ReclaimsOnlyFromAnotherProgramWhileWatching) {
    GroupWindowGuard guard;
    guard.CommandsPosted(1000);
    guard.QuestionShown(true);
    EXPECT_TRUE(guard.ShouldReclaim(true, 1000));
    EXPECT_TRUE(guard.ShouldReclaim(true, 1000 + GroupWindowGuard::kWatchMilliseconds - 1));
    EXPECT_FALSE(guard.ShouldReclaim(false, 1500)) << "the setup itself is in front";
    // Later a window of another program in front is the user's choice.
    EXPECT_FALSE(guard.ShouldReclaim(true, 1000 + GroupWindowGuard::kWatchMilliseconds));
}

TEST(GroupWindowGuard, WatchesAcrossTheTickCounterWrap) {
    GroupWindowGuard guard;
    const std::uint32_t nearWrap = 0xFFFFFF00u;
    guard.CommandsPosted(nearWrap);
    EXPECT_TRUE(guard.Watching(0x100u)) << "0x200 ms after the commands";
    EXPECT_FALSE(guard.Watching(nearWrap + GroupWindowGuard::kWatchMilliseconds));
}

TEST(GroupWindowGuard, OnlyAQuestionThatWasInFrontIsAskedAgain) {
    GroupWindowGuard guard;
    guard.CommandsPosted(0);
    // The window system did not let the setup to the front: the box waits behind, unchanged.
    guard.QuestionShown(false);
    EXPECT_FALSE(guard.ShouldReclaim(true, 200));
    // It came to the front later (a click), and then lost it to the Program Manager.
    guard.QuestionInFront();
    EXPECT_TRUE(guard.ShouldReclaim(true, 300));
}

TEST(GroupWindowGuard, RaisesOverAnotherProgramsWindowAboveTheSetupOnlyWhileWatching) {
    GroupWindowGuard guard;
    EXPECT_FALSE(guard.ShouldRaise(true, 0)) << "before the commands: nothing to watch for";
    guard.CommandsPosted(1000);
    guard.QuestionShown(true);
    EXPECT_FALSE(guard.ShouldRaise(false, 1500)) << "nothing of another program above";
    EXPECT_TRUE(guard.ShouldRaise(true, 1000 + GroupWindowGuard::kWatchMilliseconds - 1));
    // Later a window of another program over the setup is the user's choice.
    EXPECT_FALSE(guard.ShouldRaise(true, 1000 + GroupWindowGuard::kWatchMilliseconds));
}

TEST(GroupWindowGuard, RaisesOnlyAQuestionThatWasInFront) {
    GroupWindowGuard guard;
    guard.CommandsPosted(0);
    guard.QuestionShown(false);
    EXPECT_FALSE(guard.ShouldRaise(true, 200)) << "the user had another program in front";
    guard.QuestionInFront();
    EXPECT_TRUE(guard.ShouldRaise(true, 300));
}

TEST(GroupWindowGuard, StopsRaisingOverAWindowThatStaysAbove) {
    GroupWindowGuard guard;
    guard.CommandsPosted(0);
    guard.QuestionShown(true);
    for (int raise = 0; raise < GroupWindowGuard::kMaxRaises; ++raise) {
        ASSERT_TRUE(guard.ShouldRaise(true, 100 + raise)) << "raise " << raise;
        guard.Raised();
    }
    EXPECT_FALSE(guard.ShouldRaise(true, 200)) << "a window that keeps itself on top wins";
    // The next group's commands start a new watch with raises of its own.
    guard.CommandsPosted(5000);
    EXPECT_TRUE(guard.ShouldRaise(true, 5100));
}
