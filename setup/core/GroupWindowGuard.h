// Keeps the setup's questions in front while the Program Manager opens its new group window.
#pragma once

#include <cstdint>

namespace fastinst {

/// After the group commands are posted, the Program Manager may open the new group in a window
/// of its own at any moment, and that window takes the foreground from the setup. A question box
/// caught by it stops taking keys (and under some window systems stops painting), so for a while
/// the setup takes the foreground back and asks again. A window of another program that comes to
/// the front later is the user's choice and is left alone.
class GroupWindowGuard {
public:
    /// How long after the commands the Program Manager's window is waited for.
    static constexpr std::uint32_t kWatchMilliseconds = 15000;

    /// Records that the group commands were posted at tick `now`.
    void CommandsPosted(std::uint32_t now) {
        armed_ = true;
        postedAt_ = now;
    }
    /// True while the Program Manager may still be opening its window.
    bool Watching(std::uint32_t now) const {
        // Unsigned subtraction keeps this right across the tick counter's wrap-around.
        return armed_ && now - postedAt_ < kWatchMilliseconds;
    }
    /// True when the setup should take the foreground back from `foreignForeground`, a window of
    /// another program that is now in front.
    bool ShouldReclaim(bool foreignForeground, std::uint32_t now) const {
        return foreignForeground && Watching(now);
    }

private:
    bool armed_ = false;
    std::uint32_t postedAt_ = 0;
};

} // namespace fastinst
