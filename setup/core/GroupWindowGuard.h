// Keeps the setup's questions in front while the Program Manager opens its new group window.
#pragma once

#include <cstdint>

namespace fastinst {

/// After the group commands are posted, the Program Manager may open the new group in a window
/// of its own at any moment, and that window takes the foreground from the setup. A question box
/// caught by it stops taking keys (and under some window systems stops painting), so for a while
/// the setup takes the foreground back and asks again. That window may also open over the setup
/// window without taking the foreground: the box keeps the keys but is left unpainted and the
/// setup's title covered, so the setup raises itself over that window and asks again. A window of
/// another program that comes to the front later is the user's choice and is left alone.
class GroupWindowGuard {
public:
    /// How long after the commands the Program Manager's window is waited for.
    static constexpr std::uint32_t kWatchMilliseconds = 15000;
    /// How often during one watch the setup raises itself over other programs' windows: one that
    /// stays above (it keeps itself on top) is not fought over for the whole watch.
    static constexpr int kMaxRaises = 5;

    /// Records that the group commands were posted at tick `now`.
    void CommandsPosted(std::uint32_t now) {
        armed_ = true;
        postedAt_ = now;
        raises_ = 0;
    }
    /// True while the Program Manager may still be opening its window.
    bool Watching(std::uint32_t now) const {
        // Unsigned subtraction keeps this right across the tick counter's wrap-around.
        return armed_ && now - postedAt_ < kWatchMilliseconds;
    }
    /// Records whether the setup holds the foreground as a question box is shown.
    void QuestionShown(bool inFront) { questionInFront_ = inFront; }
    /// Records that the open question box holds the foreground.
    void QuestionInFront() { questionInFront_ = true; }
    /// True when the open question should be asked again in front of `foreignForeground`, a
    /// window of another program that is now in front. Only a question that was in front lost
    /// it: where the window system refused the setup the foreground, asking again would only
    /// make the box flicker.
    bool ShouldReclaim(bool foreignForeground, std::uint32_t now) const {
        return foreignForeground && questionInFront_ && Watching(now);
    }
    /// True when the open question should be asked again over the raised setup window because of
    /// `foreignAbove`, a window of another program stacked above the setup window while the setup
    /// keeps the foreground. As with the foreground, only a question that was in front is raised.
    bool ShouldRaise(bool foreignAbove, std::uint32_t now) const {
        return foreignAbove && questionInFront_ && raises_ < kMaxRaises && Watching(now);
    }
    /// Records that the setup raised itself over another program's window.
    void Raised() { ++raises_; }

private:
    bool armed_ = false;
    bool questionInFront_ = false;
    int raises_ = 0;
    std::uint32_t postedAt_ = 0;
};

} // namespace fastinst
