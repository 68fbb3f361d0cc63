// Moving the room for edits in slices on idle turns of the event loop.
#include "platform/text/GapMover.h"

#include "platform/text/TextModel.h"

#include <QElapsedTimer>
#include <QTimerEvent>

namespace kelvane {

GapMover::GapMover(TextModel& model, QObject* parent) : QObject(parent), model_(model) {}

void GapMover::follow(qsizetype position) {
    target_ = position;
    // A short way (typing, moving by lines) is gone before anyone could notice; only a long
    // one waits for the event loop.
    if (model_.prepareEditAt(target_, kStep)) {
        timer_.stop();
        return;
    }
    // The first slice comes at the event loop's next turn, not a pause later: a key typed soon
    // after the jump finds that much less left to move. Later ones come a millisecond apart:
    // the thread sleeps between them, so a key pressed meanwhile (and any other event, and the
    // other threads) waits for one slice at most.
    if (!timer_.isActive())
        timer_.start(0, this);
}

bool GapMover::slice() {
    QElapsedTimer clock;
    clock.start();
    while (!model_.prepareEditAt(target_, kStep))
        if (clock.elapsed() >= kSliceMs)
            return false;
    return true;
}

void GapMover::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (slice())
        timer_.stop();
    else // counted from now: a repeating timer would be due again at once after a long slice
        timer_.start(kPauseMs, Qt::PreciseTimer, this);
}

} // namespace kelvane
