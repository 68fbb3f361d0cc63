// The client side of the Program Manager conversation: partner window and pending request.
#include "DdeConversation.h"

namespace fastinst {

bool DdeConversation::EndInitiate() {
    state_ = State::Idle;
    return server_ != 0;
}

DdeConversation::AckAction DdeConversation::OnAck(std::uintptr_t server) {
    switch (state_) {
    case State::InitiatePending:
        // The first server to answer is the partner; any later one is sent away.
        if (server_ == 0) {
            server_ = server;
            return AckAction::KeepServer;
        }
        return AckAction::TerminateExtraServer;
    case State::ExecutePending:
        state_ = State::Idle;
        return AckAction::ReleaseCommands;
    case State::Idle:
        break;
    }
    return AckAction::None;
}

std::uintptr_t DdeConversation::TakeServer() {
    const std::uintptr_t server = server_;
    server_ = 0;
    return server;
}

} // namespace fastinst
