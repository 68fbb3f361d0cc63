// Moves a document's room for edits toward the caret while the program idles, a few
// milliseconds at a time, so that the first key typed after a long jump (a click, Ctrl+End,
// Find, Go to) finds it in place instead of moving hundreds of megabytes while the key waits.
#pragma once

#include <QBasicTimer>
#include <QObject>

namespace kelvane {

class TextModel;

class GapMover : public QObject {
    Q_OBJECT
public:
    /// Moves the room of `model`, which must outlive the mover.
    explicit GapMover(TextModel& model, QObject* parent = nullptr);

    /// Heads for `position`: at once when little is left to move, else in slices, each after
    /// the events waiting for the program were handled, the first at once.
    void follow(qsizetype position);
    /// A slice is still to come.
    bool moving() const { return timer_.isActive(); }
    qsizetype target() const { return target_; }

    /// Characters moved between looks at the clock.
    static constexpr qsizetype kStep = 256 * 1024;
    /// The longest a slice works before the event loop takes its turn.
    static constexpr int kSliceMs = 4;
    /// The pause between slices, in which the event loop sleeps or serves what waits.
    static constexpr int kPauseMs = 1;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    /// Moves until done or the slice's time is up; true when done.
    bool slice();

    TextModel& model_;
    qsizetype target_ = 0;
    QBasicTimer timer_;
};

} // namespace kelvane
