// The client side of the Program Manager conversation: partner window and pending request.
#pragma once

#include <cstdint>

namespace fastinst {

/// Tracks which server answered and what is awaited; the program performs the actions.
class DdeConversation {
public:
    enum class State { Idle = 0, InitiatePending = 0x03E0, ExecutePending = 0x03E8 };
    /// What to do with an acknowledgement besides deleting its atoms or memory.
    enum class AckAction { None, KeepServer, TerminateExtraServer, ReleaseCommands };

    /// Marks the start of the initiate broadcast.
    void BeginInitiate() { state_ = State::InitiatePending; }
    /// Ends the broadcast; true when some server answered.
    bool EndInitiate();
    /// Classifies an acknowledgement from `server` and updates the state.
    AckAction OnAck(std::uintptr_t server);
    /// True when commands may be posted: a partner exists and nothing is awaited.
    bool ReadyToExecute() const { return server_ != 0 && state_ == State::Idle; }
    /// Records that the commands were posted and their acknowledgement is awaited.
    void ExecutePosted() { state_ = State::ExecutePending; }
    /// Stops awaiting the acknowledgement of posted commands; true when one was awaited.
    bool AbandonExecute() {
        const bool pending = state_ == State::ExecutePending;
        if (pending) {
            state_ = State::Idle;
        }
        return pending;
    }
    /// Returns the partner and forgets it.
    std::uintptr_t TakeServer();

    std::uintptr_t server() const { return server_; }
    State state() const { return state_; }

private:
    std::uintptr_t server_ = 0;
    State state_ = State::Idle;
};

} // namespace fastinst
