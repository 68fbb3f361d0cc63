// Keeps C++ exceptions inside the program: none may unwind through the window system's frames.
#pragma once

#include <exception>

namespace fastinst {

/// Reports, once, that the setup cannot go on (the box of a failed start-up) and closes the
/// setup window, which ends the program; a running installation stops at its next step.
void FailAndClose() noexcept;

/// Runs the body of a window procedure, hook, timer or browser callback; an exception ends the
/// setup through FailAndClose and the callback returns `fallback`.
template <typename Body, typename Result>
Result GuardCallback(Body&& body, Result fallback) noexcept {
    try {
        return body();
    } catch (...) {
        FailAndClose();
        return fallback;
    }
}

} // namespace fastinst
