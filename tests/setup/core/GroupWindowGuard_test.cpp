// When the setup takes the foreground back from the Program Manager's group window.
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
