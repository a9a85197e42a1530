#pragma once

#include "kit/foundation/Action.h"
#include "kit/foundation/RunLoop.h"

#include <memory>
#include <vector>

namespace kit {

// A timer on the main run loop (scheduledTimerWithTimeInterval:target:
// selector:userInfo:repeats:). The run loop keeps a valid timer alive; the
// action's target is held weakly. A repeating timer fires every interval
// from when it was scheduled; it is fine to invalidate the timer, or to start
// another one, from its own action.
class NSTimer final : public Object {
    KIT_OBJECT(NSTimer, Object)

public:
    static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval(double seconds, Action, bool repeats);
    // Every timer that is still valid, in the order they were scheduled: what
    // the run loop would still fire. A checker's question ("did the app leave
    // a timer running when it closed?"); main thread only.
    static std::vector<std::shared_ptr<NSTimer>> scheduledTimers();

    void invalidate();
    bool isValid() const { return m_valid; }
    // Fires now, outside the schedule; a non-repeating timer is then invalid.
    void fire();

    double timeInterval() const { return m_interval; }
    // The run-loop time of the next firing.
    double fireDate() const { return m_fireDate; }

private:
    void scheduleNext();
    // Valid and waiting on the run loop (a reset of the loop drops its tasks).
    bool isScheduled() const;
    static void dropFinishedTimers();

    Action m_action;
    double m_interval { 0 };
    double m_fireDate { 0 };
    bool m_repeats { false };
    bool m_valid { true };
    // The run loop owns the task and the task owns the timer; the timer only
    // points back at it, so an abandoned timer never keeps itself alive.
    std::weak_ptr<ScheduledTask> m_task;
};

}
